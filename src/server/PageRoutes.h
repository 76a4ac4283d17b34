#pragma once

namespace httplib {
class Server;
} // namespace httplib

struct Services;

// The pages people read: the teacher's year by course, month and day, the
// settings, and the public pages of courses whose link is on. Each loads the
// account's year, fills the views of the page library and sends its HTML.
namespace PageRoutes {

void install(httplib::Server& http, Services& services);

} // namespace PageRoutes
