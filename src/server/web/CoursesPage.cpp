#include "server/web/CoursesPage.h"

#include "foundation/richtext/HtmlEscape.h"
#include "server/web/PageLayout.h"
#include "server/web/WebFormat.h"
#include "server/web/WebRoutes.h"

namespace {

QString courseItem(const CourseView& course, const PageFrame& frame)
{
    const QString badge = course.publicLinkOn ? QStringLiteral("<span class=\"badge public\">Public link on</span>")
                                              : QStringLiteral("<span class=\"badge\">Private</span>");
    return QStringLiteral("<li><a class=\"course-name\" href=\"%1\">%2</a>%3</li>")
        .arg(HtmlEscape::escaped(frame.href(WebRoutes::course(course.id))), HtmlEscape::escaped(course.name), badge);
}

} // namespace

namespace CoursesPage {

QString render(const YearView& year, const PageFrame& frame)
{
    QString body = QStringLiteral("<h1>Your courses</h1>");
    if (year.courses.isEmpty()) {
        body += QStringLiteral("<div class=\"card\"><p>Nothing has been synced yet. In Semestra, choose "
                               "<strong>Sync Everything to SemestraConnect</strong> to send your year here.</p></div>");
        return PageLayout::render(frame, QStringLiteral("Courses"), body);
    }
    body += QStringLiteral("<p class=\"muted\">School year %1 to %2</p>")
                .arg(WebFormat::longDate(year.startDate), WebFormat::longDate(year.endDate));
    QString items;
    for (const CourseView& course : year.courses)
        items += courseItem(course, frame);
    body += QStringLiteral("<div class=\"card\"><ul class=\"plain courses\">%1</ul></div>").arg(items);
    return PageLayout::render(frame, QStringLiteral("Courses"), body);
}

} // namespace CoursesPage
