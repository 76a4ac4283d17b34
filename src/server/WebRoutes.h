#pragma once

#include <QString>

namespace httplib {
class Server;
} // namespace httplib

struct Services;

// The pages for people: logging in and out, the account's settings and the
// desktop program's feedback form. Every form carries a token that only a
// page of this server can have handed out.
namespace WebRoutes {

void install(httplib::Server& http, Services& services);

// A small page around `body` (already escaped HTML).
QString page(const QString& title, const QString& body);

} // namespace WebRoutes
