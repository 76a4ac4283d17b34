#include "server/WebRoutes.h"

#include "server/Multipart.h"
#include "server/Records.h"
#include "server/RouteContext.h"
#include "server/ServerConfig.h"
#include "server/Storage.h"

#include <httplib.h>

#include <QDateTime>
#include <QHash>
#include <QUrl>

namespace {

using httplib::Request;
using httplib::Response;

const QString LoginPurpose = QStringLiteral("login");
constexpr size_t MaximumFeedbackBody = 1024 * 1024;

QString hiddenToken(const QString& token)
{
    return QStringLiteral("<input type=\"hidden\" name=\"csrf_token\" value=\"%1\">").arg(Route::escape(token));
}

QString postButton(const QString& action, const QString& csrf, const QString& label, const QString& extra = {})
{
    return QStringLiteral("<form method=\"post\" action=\"%1\">%2%3<button type=\"submit\">%4</button></form>")
        .arg(action, hiddenToken(csrf), extra, Route::escape(label));
}

// The login form's token is tied to a cookie as well as stored, so a page on
// another site cannot log a browser into an account of its choosing.
// Signing up takes the same two fields as logging in.
enum class AccountForm { LogIn, SignUp };

void accountForm(Services& services, Response& res, int status, const QString& next, const QString& message,
    AccountForm kind = AccountForm::LogIn)
{
    const bool login = kind == AccountForm::LogIn;
    const auto token = services.accounts.issueFormToken(std::nullopt, LoginPurpose);
    if (!token)
        return Route::text(res, 500, QStringLiteral("storage error"));
    Route::setCookie(res, Route::LoginCookie, *token, 3600);
    const QString error = message.isEmpty() ? QString() : QStringLiteral("<p class=\"error\">%1</p>").arg(Route::escape(message));
    Route::html(res, status,
        WebRoutes::page(login ? QStringLiteral("Log in") : QStringLiteral("Sign up"),
            QStringLiteral("%1<form method=\"post\" action=\"%4\">%2"
                           "<input type=\"hidden\" name=\"next\" value=\"%3\">"
                           "<p><label>User name <input name=\"username\" autocomplete=\"username\" required></label></p>"
                           "<p><label>Password <input type=\"password\" name=\"password\""
                           " autocomplete=\"current-password\" required></label></p>"
                           "<p><button type=\"submit\">%5</button></p></form>")
                .arg(error, hiddenToken(*token), Route::escape(Route::localPath(next)),
                    login ? QStringLiteral("/login") : QStringLiteral("/signup"),
                    login ? QStringLiteral("Log in") : QStringLiteral("Sign up"))));
}

bool loginTokenValid(Services& services, const Request& req)
{
    const QString token = Route::param(req, "csrf_token");
    return token == Route::cookie(req, Route::LoginCookie)
        && services.accounts.checkFormToken(token, std::nullopt, LoginPurpose);
}

void logIn(Services& services, const Request& req, Response& res)
{
    const QString next = Route::param(req, "next");
    if (!loginTokenValid(services, req))
        return accountForm(services, res, 403, next, QStringLiteral("The form had expired. Please try again."));
    const auto account = services.accounts.authenticate(Route::param(req, "username"), Route::param(req, "password"));
    if (!account)
        return accountForm(services, res, 401, next, QStringLiteral("Wrong user name or password."));
    const auto cookie = services.accounts.startSession(account->id, SessionKind::Web);
    if (!cookie)
        return Route::text(res, 500, QStringLiteral("storage error"));
    Route::setCookie(res, Route::SessionCookie, *cookie, Accounts::WebSessionSeconds);
    Route::redirect(res, Route::localPath(next));
}

void home(Services& services, const Request& req, Response& res)
{
    const auto session = Route::session(services, req);
    if (!session)
        return Route::redirect(res, QStringLiteral("/login"));
    const Account& account = session->account;
    const QString year = account.yearId < 0 ? QStringLiteral("No year has been synced yet.")
                                            : QStringLiteral("Year %1 is synced.").arg(account.yearId);
    QString sessions;
    for (const Session& other : services.accounts.sessions(account.id).value_or(QList<Session>())) {
        const QString name = other.kind == SessionKind::Desktop
            ? QStringLiteral("Semestra on a computer %1").arg(Route::escape(other.label))
            : QStringLiteral("Web browser");
        sessions += QStringLiteral("<li>%1 %2</li>")
                        .arg(name,
                            postButton(QStringLiteral("/settings/sessions/revoke"), session->csrfToken,
                                QStringLiteral("Sign out"),
                                QStringLiteral("<input type=\"hidden\" name=\"session_id\" value=\"%1\">")
                                    .arg(other.id)));
    }
    const QString csrf = session->csrfToken;
    const QString confirm = QStringLiteral("<label><input type=\"checkbox\" name=\"confirm\" value=\"yes\" required>"
                                           " I am sure</label> ");
    Route::html(res, 200,
        WebRoutes::page(QStringLiteral("Settings"),
            QStringLiteral("<p>Signed in as %1. %2</p>%3"
                           "<h2>Year</h2>%4%5"
                           "<h2>Password</h2><form method=\"post\" action=\"/settings/password\">%6"
                           "<p><label>Current password <input type=\"password\" name=\"current\" required></label></p>"
                           "<p><label>New password <input type=\"password\" name=\"password\" minlength=\"8\""
                           " required></label></p><button type=\"submit\">Change password</button></form>"
                           "<h2>Sessions</h2><ul>%7</ul>%8<h2>Account</h2>%9")
                .arg(Route::escape(account.username), year,
                    postButton(QStringLiteral("/logout"), csrf, QStringLiteral("Log out")),
                    postButton(QStringLiteral("/settings/archive"), csrf, QStringLiteral("Archive year"), confirm),
                    postButton(QStringLiteral("/settings/purge"), csrf, QStringLiteral("Purge year"), confirm),
                    hiddenToken(csrf), sessions,
                    postButton(QStringLiteral("/settings/signout-everywhere"), csrf,
                        QStringLiteral("Sign out everywhere")),
                    postButton(QStringLiteral("/settings/delete-account"), csrf, QStringLiteral("Delete account"),
                        confirm))));
}

bool confirmed(const Request& req)
{
    return Route::param(req, "confirm") == QLatin1String("yes");
}

void settingsDone(Response& res, bool ok)
{
    if (!ok)
        return Route::text(res, 500, QStringLiteral("storage error"));
    Route::redirect(res, QStringLiteral("/"));
}

void changePassword(Services& services, const Request& req, Response& res, const Session& session)
{
    const QString username = session.account.username;
    if (!services.accounts.authenticate(username, Route::param(req, "current")))
        return Route::text(res, 403, QStringLiteral("the current password is wrong"));
    const Status changed = services.accounts.resetPassword(username, Route::param(req, "password"));
    if (!changed)
        return Route::text(res, 400, changed.error());
    // Every session ended with the old password; this browser carries on.
    const auto cookie = services.accounts.startSession(session.account.id, SessionKind::Web);
    if (!cookie)
        return Route::text(res, 500, QStringLiteral("storage error"));
    Route::setCookie(res, Route::SessionCookie, *cookie, Accounts::WebSessionSeconds);
    Route::redirect(res, QStringLiteral("/"));
}

QHash<QString, QString> feedbackFields(const QList<MultipartPart>& parts)
{
    // The program ends its last field with a line break of its own before the
    // closing boundary's; it is not part of the value.
    QHash<QString, QString> fields;
    for (const MultipartPart& part : parts) {
        const QByteArray value = part.data.endsWith("\r\n") ? part.data.chopped(2) : part.data;
        fields.insert(part.name, QString::fromUtf8(value));
    }
    return fields;
}

void storeFeedback(Services& services, const Request& req, Response& res)
{
    const auto boundary = Route::multipartBoundary(req);
    if (req.body.size() > MaximumFeedbackBody)
        return Route::text(res, 413, QStringLiteral("the feedback is too long"));
    const auto parts = boundary ? Multipart::parse(QByteArray::fromStdString(req.body), *boundary) : std::nullopt;
    if (!parts)
        return Route::text(res, 400, QStringLiteral("the body must be a multipart form"));
    const auto fields = feedbackFields(*parts);
    static const QStringList types { QStringLiteral("BUG"), QStringLiteral("FEATURE"), QStringLiteral("SUPPORT") };
    if (!types.contains(fields.value(QStringLiteral("feedbackType"))) || !fields.contains(QStringLiteral("feedback")))
        return Route::text(res, 400, QStringLiteral("feedbackType and feedback are required"));
    QVariantList values { QDateTime::currentSecsSinceEpoch() };
    for (const char* name : { "feedbackType", "feedback", "appName", "bundleID", "version", "systemProfile", "email",
             "name" })
        values.append(fields.value(QString::fromLatin1(name)));
    if (!services.storage.run(QStringLiteral("INSERT INTO feedback (received_at, feedback_type, feedback, app_name,"
                                             " bundle_id, version, system_profile, email, name)"
                                             " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
            values))
        return Route::text(res, 500, QStringLiteral("storage error"));
    Route::text(res, 200, QStringLiteral("Thank you for your feedback."));
}

void signUp(Services& services, const Request& req, Response& res)
{
    if (!loginTokenValid(services, req))
        return accountForm(services, res, 403, {}, QStringLiteral("The form had expired. Please try again."), AccountForm::SignUp);
    const Status added = services.accounts.add(Route::param(req, "username"), Route::param(req, "password"));
    if (!added)
        return accountForm(services, res, 400, {}, added.error(), AccountForm::SignUp);
    logIn(services, req, res);
}

void installSettings(httplib::Server& http, Services& services)
{
    http.Post("/settings/archive", Route::withForm(services, [&services](const Request& req, Response& res, const Session& s) {
        if (!confirmed(req))
            return Route::text(res, 400, QStringLiteral("please confirm"));
        settingsDone(res, services.records.archiveYear(s.account));
    }));
    http.Post("/settings/purge", Route::withForm(services, [&services](const Request& req, Response& res, const Session& s) {
        if (!confirmed(req))
            return Route::text(res, 400, QStringLiteral("please confirm"));
        settingsDone(res, services.records.purgeYear(s.account));
    }));
    http.Post("/settings/password", Route::withForm(services, [&services](const Request& req, Response& res,
                                                                  const Session& s) { changePassword(services, req, res, s); }));
    http.Post("/settings/signout-everywhere",
        Route::withForm(services, [&services](const Request&, Response& res, const Session& s) {
            settingsDone(res, services.accounts.endSessions(s.account.id));
        }));
    http.Post("/settings/sessions/revoke",
        Route::withForm(services, [&services](const Request& req, Response& res, const Session& s) {
            if (!services.accounts.revokeSession(s.account.id, Route::param(req, "session_id").toLongLong()))
                return Route::text(res, 404, QStringLiteral("no such session"));
            Route::redirect(res, QStringLiteral("/"));
        }));
    http.Post("/settings/delete-account",
        Route::withForm(services, [&services](const Request& req, Response& res, const Session& s) {
            if (!confirmed(req))
                return Route::text(res, 400, QStringLiteral("please confirm"));
            if (!services.records.purgeYear(s.account) || !services.accounts.remove(s.account.id))
                return Route::text(res, 500, QStringLiteral("storage error"));
            Route::setCookie(res, Route::SessionCookie, QString(), 0);
            Route::redirect(res, QStringLiteral("/login"));
        }));
}

} // namespace

QString WebRoutes::page(const QString& title, const QString& body)
{
    return QStringLiteral("<!DOCTYPE html><html lang=\"en\"><head><meta charset=\"utf-8\">"
                          "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
                          "<title>%1 - SemestraConnect</title></head><body><h1>%1</h1>%2</body></html>")
        .arg(Route::escape(title), body);
}

void WebRoutes::install(httplib::Server& http, Services& services)
{
    http.Get("/login", [&services](const Request& req, Response& res) {
        accountForm(services, res, 200, Route::param(req, "next"), {});
    });
    http.Post("/login", [&services](const Request& req, Response& res) { logIn(services, req, res); });
    http.Post("/logout", Route::withForm(services, [&services](const Request& req, Response& res, const Session&) {
        services.accounts.endSession(Route::cookie(req, Route::SessionCookie));
        Route::setCookie(res, Route::SessionCookie, QString(), 0);
        Route::redirect(res, QStringLiteral("/login"));
    }));
    http.Get("/", [&services](const Request& req, Response& res) { home(services, req, res); });
    http.Post("/feedback", [&services](const Request& req, Response& res) { storeFeedback(services, req, res); });
    if (services.config.signup) {
        http.Get("/signup", [&services](const Request&, Response& res) {
            accountForm(services, res, 200, {}, {}, AccountForm::SignUp);
        });
        http.Post("/signup", [&services](const Request& req, Response& res) { signUp(services, req, res); });
    }
    installSettings(http, services);
}
