#pragma once

#include <QByteArray>

// The one stylesheet of every page, served at WebRoutes::styleSheet. Pages
// carry no inline style and no script, so the service can send a content
// security policy that forbids both.
namespace StyleSheet {
QByteArray css();
} // namespace StyleSheet
