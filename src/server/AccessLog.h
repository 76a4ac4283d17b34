#pragma once

namespace httplib {
class Server;
} // namespace httplib

// One line per request on standard error, as key=value pairs that log tools
// can split without guessing:
//   time=2026-12-08T08:16:54.120Z remote=127.0.0.1 method=GET path="/loginremote" status=200 bytes=11 ms=1.4
// The query string is left out: it may carry codes that should not be kept.
namespace AccessLog {

void install(httplib::Server& http);
// Called when a request has been read; the line then gives its answer time.
void markStart();

} // namespace AccessLog
