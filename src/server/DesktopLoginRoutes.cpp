#include "server/DesktopLoginRoutes.h"

#include "server/RouteContext.h"
#include "server/Secrets.h"
#include "server/ServerConfig.h"
#include "server/Storage.h"
#include "server/WebRoutes.h"

#include <httplib.h>

#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>

namespace {

using httplib::Request;
using httplib::Response;

qint64 now()
{
    return QDateTime::currentSecsSinceEpoch();
}

void start(Services& services, const Request& req, Response& res)
{
    const QString code = Secrets::randomToken();
    const QString poll = Secrets::randomToken();
    const QString label = Route::param(req, "label").left(100);
    services.storage.run(QStringLiteral("DELETE FROM desktop_logins WHERE expires_at <= ?"), { now() });
    if (!services.storage.run(QStringLiteral("INSERT INTO desktop_logins (code, poll_hash, label, expires_at)"
                                             " VALUES (?, ?, ?, ?)"),
            { code, Secrets::tokenDigest(poll), label, now() + DesktopLoginRoutes::PendingSeconds }))
        return Route::text(res, 500, QStringLiteral("storage error"));
    const QJsonObject answer { { QStringLiteral("login_url"),
                                   services.config.baseUrl + QStringLiteral("/desktop/login?code=") + code },
        { QStringLiteral("poll_token"), poll }, { QStringLiteral("expires_in"), DesktopLoginRoutes::PendingSeconds } };
    res.set_content(QJsonDocument(answer).toJson(QJsonDocument::Compact).toStdString(), "application/json");
}

// The label of a pending login that nobody has confirmed yet.
std::optional<QString> pendingLabel(Services& services, const QString& code)
{
    const auto label = services.storage.scalar(QStringLiteral("SELECT label FROM desktop_logins WHERE code = ?"
                                                              " AND account_id IS NULL AND expires_at > ?"),
        { code, now() });
    return label ? std::optional<QString>(label->toString()) : std::nullopt;
}

void confirmPage(Services& services, const Request& req, Response& res)
{
    const QString code = Route::param(req, "code");
    const auto session = Route::session(services, req);
    if (!session) {
        const QString here = QStringLiteral("/desktop/login?code=") + code;
        return Route::redirect(res,
            QStringLiteral("/login?next=") + QString::fromLatin1(QUrl::toPercentEncoding(here)));
    }
    const auto label = pendingLabel(services, code);
    if (!label)
        return Route::html(res, 410,
            WebRoutes::page(QStringLiteral("Link expired"),
                QStringLiteral("<p>This login link has expired. Start again from Semestra.</p>")));
    Route::html(res, 200,
        WebRoutes::page(QStringLiteral("Allow Semestra on this computer to sync?"),
            QStringLiteral("<p>Semestra %1 asks to sync with the account %2.</p>"
                           "<form method=\"post\" action=\"/desktop/login\">"
                           "<input type=\"hidden\" name=\"csrf_token\" value=\"%3\">"
                           "<input type=\"hidden\" name=\"code\" value=\"%4\">"
                           "<button type=\"submit\">Allow</button></form>")
                .arg(Route::escape(*label), Route::escape(session->account.username), Route::escape(session->csrfToken),
                    Route::escape(code))));
}

void confirm(Services& services, const Request& req, Response& res, const Session& session)
{
    const auto claimed = services.storage.run(QStringLiteral("UPDATE desktop_logins SET account_id = ? WHERE code = ?"
                                                             " AND account_id IS NULL AND expires_at > ?"),
        { session.account.id, Route::param(req, "code"), now() });
    if (!claimed)
        return Route::text(res, 500, QStringLiteral("storage error"));
    if (claimed->numRowsAffected() != 1)
        return Route::text(res, 410, QStringLiteral("this login link has expired"));
    Route::html(res, 200,
        WebRoutes::page(QStringLiteral("Semestra is signed in"),
            QStringLiteral("<p>You can close this page and return to Semestra.</p>")));
}

void poll(Services& services, const Request& req, Response& res)
{
    const QString digest = Secrets::tokenDigest(Route::param(req, "poll_token"));
    auto row = services.storage.run(QStringLiteral("SELECT id, account_id, label FROM desktop_logins"
                                                   " WHERE poll_hash = ? AND expires_at > ?"),
        { digest, now() });
    if (!row)
        return Route::text(res, 500, QStringLiteral("storage error"));
    if (!row->next())
        return Route::text(res, 410, QStringLiteral("unknown or expired login"));
    if (row->value(1).isNull())
        return Route::text(res, 202, QStringLiteral("pending"));
    // Whoever deletes the row hands out the session, so two polls racing
    // each other cannot both get one.
    const auto taken = services.storage.run(QStringLiteral("DELETE FROM desktop_logins WHERE id = ?"),
        { row->value(0) });
    if (!taken || taken->numRowsAffected() != 1)
        return Route::text(res, 410, QStringLiteral("unknown or expired login"));
    const auto cookie
        = services.accounts.startSession(row->value(1).toLongLong(), SessionKind::Desktop, row->value(2).toString());
    if (!cookie)
        return Route::text(res, 500, QStringLiteral("storage error"));
    Route::setCookie(res, Route::SessionCookie, *cookie, Accounts::DesktopSessionSeconds);
    Route::text(res, 200, QStringLiteral("loggedin"));
}

} // namespace

void DesktopLoginRoutes::install(httplib::Server& http, Services& services)
{
    http.Post("/desktop/login/start", [&services](const Request& req, Response& res) { start(services, req, res); });
    http.Get("/desktop/login", [&services](const Request& req, Response& res) { confirmPage(services, req, res); });
    http.Post("/desktop/login", Route::withForm(services, [&services](const Request& req, Response& res,
                                                              const Session& session) {
        confirm(services, req, res, session);
    }));
    http.Post("/desktop/login/poll", [&services](const Request& req, Response& res) { poll(services, req, res); });
}
