#pragma once

#include "server/web/PageFrame.h"
#include "server/web/WebViews.h"

#include <QString>

// One course's lessons for its teacher, in date order, each leading to its day.
namespace CoursePage {
QString render(const CoursePageView& view, const PageFrame& frame);
} // namespace CoursePage
