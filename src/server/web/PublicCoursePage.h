#pragma once

#include "server/web/PageFrame.h"
#include "server/web/WebViews.h"

#include <QString>

// A course's read-only page for students and parents, at the secret address
// the teacher switched on: its published lessons only, with what is meant
// for them (see Audience::Public). Whether the link is on is the route's
// check; this page never shows an unpublished lesson, whatever it is given.
namespace PublicCoursePage {
QString render(const CoursePageView& view, const PageFrame& frame);
} // namespace PublicCoursePage
