#include "server/RouteContext.h"

#include "server/FileStore.h"
#include "server/Multipart.h"
#include "server/Records.h"
#include "server/ResourceSpec.h"
#include "server/ServerConfig.h"
#include "server/web/ErrorPage.h"
#include "server/web/PageLayout.h"

#include <QUrl>

#include <httplib.h>

namespace {

std::string utf8(const QString& text)
{
    return text.toStdString();
}

} // namespace

void Route::text(httplib::Response& res, int status, const QString& body)
{
    res.status = status;
    res.set_content(utf8(body), "text/plain; charset=utf-8");
}

void Route::page(httplib::Response& res, int status, const QString& html)
{
    res.status = status;
    for (const auto& [name, value] : PageLayout::securityHeaders())
        res.set_header(name.toStdString(), value.toStdString());
    res.set_content(utf8(html), "text/html; charset=utf-8");
}

PageFrame Route::frame(const Services& services, const std::optional<Session>& session, NavSection section)
{
    PageFrame frame;
    frame.baseUrl = services.config.baseUrl;
    frame.section = section;
    if (session) {
        frame.csrfToken = session->csrfToken;
        frame.username = session->account.username;
        frame.administrator = session->account.administrator;
    }
    return frame;
}

void Route::errorPage(const Services& services, httplib::Response& res, int status, const QString& reason,
    const std::optional<Session>& session)
{
    page(res, status, ErrorPage::render(status, reason, frame(services, session)));
}

void Route::redirect(httplib::Response& res, const QString& location, int status)
{
    res.status = status;
    res.set_header("Location", utf8(location));
}

QString Route::param(const httplib::Request& req, const char* name)
{
    return QString::fromStdString(req.get_param_value(name));
}

QString Route::cookie(const httplib::Request& req, const char* name)
{
    const QByteArray wanted = QByteArray(name) + '=';
    for (size_t i = 0, n = req.get_header_value_count("Cookie"); i < n; ++i) {
        const QByteArray header = QByteArray::fromStdString(req.get_header_value("Cookie", i));
        for (const QByteArray& pair : header.split(';')) {
            const QByteArray trimmed = pair.trimmed();
            if (trimmed.startsWith(wanted))
                return QString::fromUtf8(trimmed.mid(wanted.size()));
        }
    }
    return {};
}

void Route::setCookie(httplib::Response& res, const char* name, const QString& value, qint64 maxAgeSeconds)
{
    // HttpOnly keeps scripts away from it; Lax keeps it off other sites' posts.
    res.set_header("Set-Cookie",
        QStringLiteral("%1=%2; Path=/; Max-Age=%3; HttpOnly; SameSite=Lax")
            .arg(QLatin1String(name), value)
            .arg(maxAgeSeconds)
            .toStdString());
}

QString Route::localPath(const QString& next)
{
    const bool local = next.startsWith(QLatin1Char('/')) && !next.startsWith(QLatin1String("//"))
        && !next.contains(QLatin1Char('\\')) && QUrl(next).isRelative();
    return local ? next : QStringLiteral("/");
}

std::optional<Session> Route::session(Services& services, const httplib::Request& req)
{
    return services.accounts.session(cookie(req, SessionCookie));
}

std::function<void(const httplib::Request&, httplib::Response&)> Route::withSession(
    Services& services, SessionHandler handler)
{
    return [&services, handler = std::move(handler)](const httplib::Request& req, httplib::Response& res) {
        const auto current = session(services, req);
        if (!current)
            return text(res, 401, QStringLiteral("not logged in"));
        handler(req, res, *current);
    };
}

std::function<void(const httplib::Request&, httplib::Response&)> Route::withForm(
    Services& services, SessionHandler handler)
{
    return [&services, handler = std::move(handler)](const httplib::Request& req, httplib::Response& res) {
        const auto current = session(services, req);
        if (!current)
            return redirect(res, QStringLiteral("/login"));
        if (param(req, "csrf_token") != current->csrfToken)
            return errorPage(
                services, res, 403, QStringLiteral("The form had expired. Reload the page and try again."), current);
        handler(req, res, *current);
    };
}

void Route::sendFile(
    Services& services, httplib::Response& res, const Account& account, const QString& resource, qint64 id)
{
    const ResourceSpec* spec = ResourceSpecs::byName(resource);
    const auto record = spec && spec->isFile ? services.records.find(account, *spec, id) : std::nullopt;
    const auto bytes = record ? services.files.read(record->fileKey) : std::nullopt;
    if (!bytes)
        return text(res, 404, QStringLiteral("no such file"));
    const QString type = record->fields.value(QStringLiteral("content_type")).toString();
    // Never shown inline: an uploaded HTML file must not run as a page of this site.
    res.set_header("Content-Disposition", "attachment");
    res.set_header("X-Content-Type-Options", "nosniff");
    res.set_content(bytes->toStdString(), type.isEmpty() ? "application/octet-stream" : type.toStdString());
}

std::optional<QByteArray> Route::multipartBoundary(const httplib::Request& req)
{
    const QByteArray type = QByteArray::fromStdString(req.get_header_value("Content-Type"));
    if (!type.startsWith(RawMultipartType))
        return std::nullopt;
    return Multipart::boundary(type);
}
