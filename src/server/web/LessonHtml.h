#pragma once

#include "server/web/PageFrame.h"
#include "server/web/WebViews.h"

#include <QString>

// Who reads the lesson: the teacher sees every field, file and link; the
// public course page shows students and parents only what is meant for
// them: the homework and public comment fields, and published files and
// links, downloaded through the public address.
enum class Audience { Teacher, Public };

// Which of course and date a lesson's heading names; the other is implied
// by the page (a day page lists courses, a course page lists dates).
enum class LessonHeading { Course, Date };

struct LessonContext {
    const PageFrame& frame;
    const FieldTitles& titles;
    Audience audience = Audience::Teacher;
    QString publicToken; // for the public page's download addresses
    LessonHeading heading = LessonHeading::Course;
};

namespace LessonHtml {
// One lesson as a card: heading, times and unit, the fields through the
// sanitizer, assignments, files and web links.
QString render(const LessonView& lesson, const LessonContext& context);
} // namespace LessonHtml
