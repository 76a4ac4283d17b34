#pragma once

#include "server/web/PageFrame.h"
#include "server/web/WebViews.h"

#include <QString>

enum class DesktopDecision { Allowed, Denied };

// The browser half of the desktop program's sign-in: the signed-in teacher
// is asked whether the computer that opened this page may sync, and the
// program, polling, gets a session of its own only after "Allow".
namespace DesktopLoginPage {
QString render(const DesktopLoginView& view, const PageFrame& frame);
// After the answer: where to go on.
QString renderDecided(DesktopDecision decision, const PageFrame& frame);
} // namespace DesktopLoginPage
