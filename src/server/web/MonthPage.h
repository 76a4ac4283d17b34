#pragma once

#include "server/web/PageFrame.h"
#include "server/web/WebViews.h"

#include <QString>

// A month of the year as a calendar grid, weeks from Sunday, each of the
// year's days leading to its day page; holidays, cancelled and custom days
// are marked, days outside the year are greyed.
namespace MonthPage {
QString render(const MonthView& view, const PageFrame& frame);
} // namespace MonthPage
