#include "server/DesktopLoginRoutes.h"

#include "server/RouteContext.h"
#include "server/Secrets.h"
#include "server/ServerConfig.h"
#include "server/Storage.h"
#include "server/web/DesktopLoginPage.h"
#include "server/web/WebRoutes.h"

#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>

#include <httplib.h>

namespace {

using httplib::Request;
using httplib::Response;

qint64 now()
{
    return QDateTime::currentSecsSinceEpoch();
}

QString confirmPath(const QString& code)
{
    return QLatin1String(WebRoutes::desktopConfirmation) + QStringLiteral("?request=") + code;
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
    const QJsonObject answer { { QStringLiteral("login_url"), services.config.baseUrl + confirmPath(code) },
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
    const QString code = Route::param(req, WebRoutes::Field::request);
    const auto session = Route::session(services, req);
    if (!session)
        return Route::redirect(
            res, QStringLiteral("/login?next=") + QString::fromLatin1(QUrl::toPercentEncoding(confirmPath(code))));
    const auto label = pendingLabel(services, code);
    if (!label)
        return Route::errorPage(
            services, res, 410, QStringLiteral("This sign-in link has expired. Start again from Semestra."), session);
    Route::page(res, 200, DesktopLoginPage::render({ code, *label }, Route::frame(services, session)));
}

// "Allow" hands the pending login to the account; "Deny" throws it away.
void confirm(Services& services, const Request& req, Response& res, const Session& session)
{
    const bool allow = Route::param(req, WebRoutes::Field::decision) == QLatin1String("allow");
    const QVariantList pending { Route::param(req, WebRoutes::Field::request), now() };
    const auto answered = allow
        ? services.storage.run(QStringLiteral("UPDATE desktop_logins SET account_id = ? WHERE code = ?"
                                              " AND account_id IS NULL AND expires_at > ?"),
            QVariantList { session.account.id } + pending)
        : services.storage.run(
            QStringLiteral("DELETE FROM desktop_logins WHERE code = ? AND account_id IS NULL AND expires_at > ?"),
            pending);
    if (!answered)
        return Route::text(res, 500, QStringLiteral("storage error"));
    if (answered->numRowsAffected() != 1)
        return Route::errorPage(
            services, res, 410, QStringLiteral("This sign-in link has expired. Start again from Semestra."), session);
    Route::page(res, 200,
        DesktopLoginPage::renderDecided(
            allow ? DesktopDecision::Allowed : DesktopDecision::Denied, Route::frame(services, session)));
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
    const auto taken
        = services.storage.run(QStringLiteral("DELETE FROM desktop_logins WHERE id = ?"), { row->value(0) });
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
    http.Get(WebRoutes::desktopConfirmation,
        [&services](const Request& req, Response& res) { confirmPage(services, req, res); });
    http.Post(WebRoutes::desktopConfirmation,
        Route::withForm(services, [&services](const Request& req, Response& res, const Session& session) {
            confirm(services, req, res, session);
        }));
    http.Post("/desktop/login/poll", [&services](const Request& req, Response& res) { poll(services, req, res); });
}
