#pragma once

#include "server/Accounts.h"
#include "server/web/PageFrame.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

namespace httplib {
struct Request;
struct Response;
} // namespace httplib

class CourseLinks;
class FileStore;
class Records;
class Storage;
struct ServerConfig;

// What every route works with. Routes hold no state of their own: all of it
// is in the database, so any server process can answer any request.
struct Services {
    const ServerConfig& config;
    Storage& storage;
    Accounts& accounts;
    Records& records;
    FileStore& files;
    CourseLinks& links;
};

using SessionHandler = std::function<void(const httplib::Request&, httplib::Response&, const Session&)>;

// Helpers the route files share.
namespace Route {

inline const char* const SessionCookie = "semestra_session";
inline const char* const LoginCookie = "semestra_login";
// Content types of multipart bodies are renamed to this before cpp-httplib
// reads the body (see ConnectServer), and read by Multipart instead.
inline const char* const RawMultipartType = "application/x-semestra-multipart";

void text(httplib::Response& res, int status, const QString& body);
// A whole page, with the headers that forbid scripts, inline styles and frames.
void page(httplib::Response& res, int status, const QString& html);
PageFrame frame(const Services& services, const std::optional<Session>& session, NavSection section = NavSection::None);
void errorPage(const Services& services, httplib::Response& res, int status, const QString& reason,
    const std::optional<Session>& session = std::nullopt);
void redirect(httplib::Response& res, const QString& location, int status = 303);
QString param(const httplib::Request& req, const char* name);
QString cookie(const httplib::Request& req, const char* name);
void setCookie(httplib::Response& res, const char* name, const QString& value, qint64 maxAgeSeconds);
// A path on this server to go on to after logging in, never another site.
QString localPath(const QString& next);

std::optional<Session> session(Services& services, const httplib::Request& req);
// Answers 401 without a live session instead of calling the handler.
std::function<void(const httplib::Request&, httplib::Response&)> withSession(
    Services& services, SessionHandler handler);
// For the pages' forms: also wants the session's form token in csrf_token,
// and sends a browser without a session to the login page.
std::function<void(const httplib::Request&, httplib::Response&)> withForm(Services& services, SessionHandler handler);
// The bytes of one of the account's attached files, or 404.
void sendFile(Services& services, httplib::Response& res, const Account& account, const QString& resource, qint64 id);
// The boundary of a multipart request, or nothing when it is not one.
std::optional<QByteArray> multipartBoundary(const httplib::Request& req);

} // namespace Route
