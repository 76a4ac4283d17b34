#pragma once

#include "server/web/PageFrame.h"
#include "server/web/WebViews.h"

#include <QString>

// A day of the teacher's year: every course's lesson with its fields,
// assignments, files and links, and the way to the days around it.
namespace DayPage {
QString render(const DayPageView& view, const PageFrame& frame);
} // namespace DayPage
