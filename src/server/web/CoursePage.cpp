#include "server/web/CoursePage.h"

#include "foundation/richtext/HtmlEscape.h"
#include "server/web/PageLayout.h"
#include "server/web/WebFormat.h"
#include "server/web/WebRoutes.h"

namespace {

QString lessonRow(const LessonView& lesson, const PageFrame& frame)
{
    const QString title = lesson.title.trimmed().isEmpty() ? QStringLiteral("<span class=\"muted\">No title</span>")
                                                           : HtmlEscape::escaped(lesson.title);
    return QStringLiteral("<tr><td><a href=\"%1\">%2</a></td><td>%3</td><td class=\"wide\">%4</td><td>%5</td></tr>")
        .arg(HtmlEscape::escaped(frame.href(WebRoutes::day(lesson.date))), WebFormat::shortDate(lesson.date), title,
            HtmlEscape::escaped(lesson.unit),
            lesson.published ? QStringLiteral("<span class=\"badge public\">Published</span>") : QString());
}

} // namespace

namespace CoursePage {

QString render(const CoursePageView& view, const PageFrame& frame)
{
    const CourseView& course = view.course;
    QString body = QStringLiteral("<h1>%1</h1>").arg(HtmlEscape::escaped(course.name));
    if (course.publicLinkOn) {
        const QString address = frame.absoluteUrl(WebRoutes::publicCourse(course.publicToken));
        body += QStringLiteral("<p>Public page: <a href=\"%1\">%2</a></p>")
                    .arg(HtmlEscape::escaped(frame.href(WebRoutes::publicCourse(course.publicToken))),
                        HtmlEscape::escaped(address));
    }
    if (course.lessons.isEmpty()) {
        body += QStringLiteral("<div class=\"card\"><p>This course has no lessons yet.</p></div>");
        return PageLayout::render(frame, course.name, body);
    }
    QString rows;
    for (const LessonView& lesson : course.lessons)
        rows += lessonRow(lesson, frame);
    body += QStringLiteral("<div class=\"card\"><table class=\"list\"><thead><tr><th>Day</th><th>Lesson</th>"
                           "<th class=\"wide\">Unit</th><th></th></tr></thead><tbody>%1</tbody></table></div>")
                .arg(rows);
    return PageLayout::render(frame, course.name, body);
}

} // namespace CoursePage
