#include "server/AccountRoutes.h"

#include "server/FeedbackBox.h"
#include "server/Multipart.h"
#include "server/Records.h"
#include "server/RouteContext.h"
#include "server/ServerConfig.h"
#include "server/Storage.h"
#include "server/web/FormHtml.h"
#include "server/web/LoginPage.h"
#include "server/web/PageLayout.h"
#include "server/web/WebRoutes.h"

#include <QHash>

#include <httplib.h>

namespace {

using httplib::Request;
using httplib::Response;

const QString LoginPurpose = QStringLiteral("login");
constexpr size_t MaximumFeedbackBody = 1024 * 1024;

// The login form's token is tied to a cookie as well as stored, so a page on
// another site cannot log a browser into an account of its choosing.
std::optional<QString> loginToken(Services& services, Response& res)
{
    const auto token = services.accounts.issueFormToken(std::nullopt, LoginPurpose);
    if (token)
        Route::setCookie(res, Route::LoginCookie, *token, 3600);
    return token;
}

void loginForm(Services& services, const Request& req, Response& res, int status, const QString& message = {})
{
    const auto token = loginToken(services, res);
    if (!token)
        return Route::text(res, 500, QStringLiteral("storage error"));
    LoginView view { *token, Route::param(req, "username"), Route::localPath(Route::param(req, "next")), {} };
    if (!message.isEmpty())
        view.error = message;
    Route::page(res, status, LoginPage::render(view, Route::frame(services, std::nullopt)));
}

bool loginTokenValid(Services& services, const Request& req)
{
    const QString token = Route::param(req, "csrf_token");
    return token == Route::cookie(req, Route::LoginCookie)
        && services.accounts.checkFormToken(token, std::nullopt, LoginPurpose);
}

void startWebSession(Services& services, Response& res, qint64 accountId, const QString& next)
{
    const auto cookie = services.accounts.startSession(accountId, SessionKind::Web);
    if (!cookie)
        return Route::text(res, 500, QStringLiteral("storage error"));
    Route::setCookie(res, Route::SessionCookie, *cookie, Accounts::WebSessionSeconds);
    Route::redirect(res, Route::localPath(next));
}

void logIn(Services& services, const Request& req, Response& res)
{
    if (!loginTokenValid(services, req))
        return loginForm(services, req, res, 403, QStringLiteral("The form had expired. Please try again."));
    const auto account = services.accounts.authenticate(Route::param(req, "username"), Route::param(req, "password"));
    if (!account)
        return loginForm(services, req, res, 401, QStringLiteral("Wrong user name or password."));
    startWebSession(services, res, account->id, Route::param(req, "next"));
}

void signUpForm(Services& services, Response& res, int status, const QString& message = {})
{
    const auto token = loginToken(services, res);
    if (!token)
        return Route::text(res, 500, QStringLiteral("storage error"));
    const QString error = message.isEmpty()
        ? QString()
        : QStringLiteral("<p class=\"error\" role=\"alert\">%1</p>").arg(message.toHtmlEscaped());
    const QString form = error + FormHtml::open(QStringLiteral("/signup"), *token)
        + FormHtml::input(QStringLiteral("User name"), QStringLiteral("username"), QStringLiteral("text"), {},
            QStringLiteral("username"))
        + FormHtml::input(QStringLiteral("Password (at least 8 characters)"), QStringLiteral("password"),
            QStringLiteral("password"), {}, QStringLiteral("new-password"))
        + FormHtml::button(QStringLiteral("Sign up")) + QStringLiteral("</form>");
    Route::page(res, status,
        PageLayout::render(Route::frame(services, std::nullopt), QStringLiteral("Sign up"), form, PageWidth::Narrow));
}

void signUp(Services& services, const Request& req, Response& res)
{
    if (!loginTokenValid(services, req))
        return signUpForm(services, res, 403, QStringLiteral("The form had expired. Please try again."));
    const Status added = services.accounts.add(Route::param(req, "username"), Route::param(req, "password"));
    if (!added)
        return signUpForm(services, res, 400, added.error());
    const auto account = services.accounts.find(Route::param(req, "username"));
    if (!account)
        return Route::text(res, 500, QStringLiteral("storage error"));
    startWebSession(services, res, account->id, QStringLiteral("/"));
}

bool confirmed(const Request& req)
{
    return Route::param(req, WebRoutes::Field::confirm) == QLatin1String("yes");
}

void backToSettings(Services& services, Response& res, const Session& session, bool ok, const char* done = nullptr)
{
    if (!ok)
        return Route::errorPage(services, res, 500, QStringLiteral("The change could not be stored."), session);
    Route::redirect(
        res, done ? QStringLiteral("/settings?done=%1").arg(QLatin1String(done)) : QStringLiteral("/settings"));
}

void changePassword(Services& services, const Request& req, Response& res, const Session& session)
{
    const QString username = session.account.username;
    const QString password = Route::param(req, WebRoutes::Field::newPassword);
    if (!services.accounts.authenticate(username, Route::param(req, WebRoutes::Field::currentPassword)))
        return Route::errorPage(services, res, 403, QStringLiteral("The current password is wrong."), session);
    if (password != Route::param(req, WebRoutes::Field::newPasswordAgain))
        return Route::errorPage(services, res, 400, QStringLiteral("The two new passwords differ."), session);
    const Status changed = services.accounts.resetPassword(username, password);
    if (!changed)
        return Route::errorPage(services, res, 400, changed.error(), session);
    // Every session ended with the old password; this browser carries on.
    const auto cookie = services.accounts.startSession(session.account.id, SessionKind::Web);
    if (!cookie)
        return Route::text(res, 500, QStringLiteral("storage error"));
    Route::setCookie(res, Route::SessionCookie, *cookie, Accounts::WebSessionSeconds);
    Route::redirect(res, QStringLiteral("/settings?done=password"));
}

void deleteAccount(Services& services, const Request& req, Response& res, const Session& session)
{
    const QString username = session.account.username;
    if (Route::param(req, WebRoutes::Field::confirmUsername) != username
        || !services.accounts.authenticate(username, Route::param(req, WebRoutes::Field::password)))
        return Route::errorPage(services, res, 400,
            QStringLiteral("Type your password and your user name to delete the account."), session);
    if (!services.records.purgeYear(session.account) || !services.accounts.remove(session.account.id))
        return Route::errorPage(services, res, 500, QStringLiteral("The account could not be deleted."), session);
    Route::setCookie(res, Route::SessionCookie, QString(), 0);
    Route::redirect(res, QStringLiteral("/login"));
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
    if (!FeedbackBox(services.storage).store(fields))
        return Route::text(res, 500, QStringLiteral("storage error"));
    Route::text(res, 200, QStringLiteral("Thank you for your feedback."));
}

using FormHandler = void (*)(Services&, const Request&, Response&, const Session&);

void installForm(httplib::Server& http, Services& services, const char* path, FormHandler handler)
{
    http.Post(
        path, Route::withForm(services, [&services, handler](const Request& req, Response& res, const Session& s) {
            handler(services, req, res, s);
        }));
}

void installSettings(httplib::Server& http, Services& services)
{
    installForm(http, services, WebRoutes::archiveYear,
        [](Services& s, const Request& req, Response& res, const Session& session) {
            if (!confirmed(req))
                return Route::errorPage(s, res, 400, QStringLiteral("Tick the box to archive the year."), session);
            backToSettings(s, res, session, s.records.archiveYear(session.account), "archived");
        });
    installForm(http, services, WebRoutes::purgeYear,
        [](Services& s, const Request& req, Response& res, const Session& session) {
            if (!confirmed(req))
                return Route::errorPage(s, res, 400, QStringLiteral("Tick the box to purge the year."), session);
            backToSettings(s, res, session, s.records.purgeYear(session.account), "purged");
        });
    installForm(http, services, WebRoutes::changePassword, changePassword);
    installForm(http, services, WebRoutes::signOutEverywhere,
        [](Services& s, const Request&, Response& res, const Session& session) {
            if (!s.accounts.endSessions(session.account.id))
                return Route::errorPage(s, res, 500, QStringLiteral("The sessions could not be ended."), session);
            Route::setCookie(res, Route::SessionCookie, QString(), 0);
            Route::redirect(res, QStringLiteral("/login"));
        });
    installForm(http, services, WebRoutes::deleteAccount, deleteAccount);
    installForm(http, services, WebRoutes::logout, [](Services& s, const Request& req, Response& res, const Session&) {
        s.accounts.endSession(Route::cookie(req, Route::SessionCookie));
        Route::setCookie(res, Route::SessionCookie, QString(), 0);
        Route::redirect(res, QStringLiteral("/login"));
    });
}

} // namespace

void AccountRoutes::install(httplib::Server& http, Services& services)
{
    http.Get(WebRoutes::login, [&services](const Request& req, Response& res) { loginForm(services, req, res, 200); });
    http.Post(WebRoutes::login, [&services](const Request& req, Response& res) { logIn(services, req, res); });
    http.Post("/feedback", [&services](const Request& req, Response& res) { storeFeedback(services, req, res); });
    if (services.config.signup) {
        http.Get("/signup", [&services](const Request&, Response& res) { signUpForm(services, res, 200); });
        http.Post("/signup", [&services](const Request& req, Response& res) { signUp(services, req, res); });
    }
    installSettings(http, services);
}
