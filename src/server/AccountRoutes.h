#pragma once

namespace httplib {
class Server;
} // namespace httplib

struct Services;

// Logging in and out, the forms of the settings page, open sign-up and the
// desktop program's feedback. Every form must carry a token only a page of
// this server handed out.
namespace AccountRoutes {

void install(httplib::Server& http, Services& services);

} // namespace AccountRoutes
