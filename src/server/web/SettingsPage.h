#pragma once

#include "server/web/PageFrame.h"
#include "server/web/WebViews.h"

#include <QString>

// The teacher's personal settings: the public links of the courses, the
// desktop computers allowed to sync, the password, signing out everywhere,
// and the destructive forms (purge or archive the year, delete the account),
// each of which asks for a confirmation field the route checks.
namespace SettingsPage {
QString render(const SettingsView& view, const PageFrame& frame);
} // namespace SettingsPage
