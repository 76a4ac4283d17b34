#pragma once

namespace httplib {
class Server;
} // namespace httplib

struct Services;

// The requests the desktop program's sync sends: one XML resource per record,
// created with POST, updated with PUT, removed with DELETE, attached files as
// multipart forms.
namespace ProtocolRoutes {

void install(httplib::Server& http, Services& services);

} // namespace ProtocolRoutes
