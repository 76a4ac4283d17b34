#pragma once

#include "server/web/PageFrame.h"
#include "server/web/WebViews.h"

#include <QString>

// The signed-in teacher's home: the year's courses, each leading to its lessons.
namespace CoursesPage {
QString render(const YearView& year, const PageFrame& frame);
} // namespace CoursesPage
