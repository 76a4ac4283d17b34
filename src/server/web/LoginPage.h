#pragma once

#include "server/web/PageFrame.h"
#include "server/web/WebViews.h"

#include <QString>

// The sign-in form (POST /login with username, password and csrf_token),
// the same for a teacher, a script and the desktop program's browser flow.
namespace LoginPage {
QString render(const LoginView& view, const PageFrame& frame);
} // namespace LoginPage
