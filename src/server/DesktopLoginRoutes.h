#pragma once

namespace httplib {
class Server;
} // namespace httplib

struct Services;

// Logging the desktop program in through the teacher's own browser, for a
// program that cannot show a web page itself:
//
//   POST /desktop/login/start   label=NAME (optional, shown in the settings)
//       -> 200 application/json {"login_url": "...", "poll_token": "...", "expires_in": 600}
//   The program opens login_url (GET /desktop/confirm?request=CODE) in the
//   browser. The teacher logs in there if needed and answers with
//   POST /desktop/confirm (request=CODE, decision=allow|deny, csrf_token).
//   POST /desktop/login/poll    poll_token=TOKEN
//       -> 202 "pending" until confirmed;
//       -> 200 "loggedin", with Set-Cookie: semestra_session=... (a session of
//          its own, listed and revocable in the settings);
//       -> 410 when the token is unknown, used or expired.
//
// The login address carries a code that is not the poll token: whoever sees
// the browser's address cannot collect the session.
namespace DesktopLoginRoutes {

constexpr int PendingSeconds = 600;

void install(httplib::Server& http, Services& services);

} // namespace DesktopLoginRoutes
