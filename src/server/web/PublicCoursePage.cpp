#include "server/web/PublicCoursePage.h"

#include "foundation/richtext/HtmlEscape.h"
#include "server/web/LessonHtml.h"
#include "server/web/PageLayout.h"

namespace PublicCoursePage {

QString render(const CoursePageView& view, const PageFrame& frame)
{
    const CourseView& course = view.course;
    QString body = QStringLiteral("<h1>%1</h1>").arg(HtmlEscape::escaped(course.name));
    const LessonContext context { frame, view.titles, Audience::Public, course.publicToken, LessonHeading::Date };
    QString lessons;
    for (const LessonView& lesson : course.lessons) {
        if (lesson.published)
            lessons += LessonHtml::render(lesson, context);
    }
    body += lessons.isEmpty() ? QStringLiteral("<p class=\"muted\">No lessons have been shared yet.</p>") : lessons;
    return PageLayout::render(frame, course.name, body);
}

} // namespace PublicCoursePage
