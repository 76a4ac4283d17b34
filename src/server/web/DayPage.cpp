#include "server/web/DayPage.h"

#include "server/web/DayKind.h"
#include "foundation/richtext/HtmlEscape.h"
#include "server/web/LessonHtml.h"
#include "server/web/PageLayout.h"
#include "server/web/WebFormat.h"
#include "server/web/WebRoutes.h"

namespace {

QString dayLink(const std::optional<QDate>& date, const PageFrame& frame, const char* format)
{
    if (!date)
        return QStringLiteral("<span></span>");
    return QString::fromUtf8(format).arg(
        HtmlEscape::escaped(frame.href(WebRoutes::day(*date))), WebFormat::shortDate(*date));
}

QString pager(const DayPageView& view, const PageFrame& frame)
{
    return QStringLiteral("<nav class=\"pager\" aria-label=\"Days\">%1<a href=\"%2\">%3</a>%4</nav>")
        .arg(dayLink(view.previousDay, frame, "<a href=\"%1\" rel=\"prev\">\u2039 %2</a>"),
            HtmlEscape::escaped(frame.href(WebRoutes::month(view.day.date))), WebFormat::monthTitle(view.day.date),
            dayLink(view.nextDay, frame, "<a href=\"%1\" rel=\"next\">%2 \u203a</a>"));
}

QString dayNote(const DayView& day)
{
    const QString kind = DayKind::label(day);
    QString html;
    if (!kind.isEmpty())
        html += QStringLiteral("<span class=\"badge day-kind\">%1</span> ").arg(kind);
    if (!day.notes.trimmed().isEmpty())
        html += QStringLiteral("<div class=\"card\">%1</div>").arg(HtmlEscape::escapedLines(day.notes.trimmed()));
    return html;
}

} // namespace

namespace DayPage {

QString render(const DayPageView& view, const PageFrame& frame)
{
    const QString title = WebFormat::longDate(view.day.date);
    QString body = QStringLiteral("<h1>%1</h1>").arg(title) + pager(view, frame) + dayNote(view.day);
    const LessonContext context { frame, view.titles, Audience::Teacher, {}, LessonHeading::Course };
    for (const LessonView& lesson : view.day.lessons)
        body += LessonHtml::render(lesson, context);
    if (view.day.lessons.isEmpty())
        body += QStringLiteral("<p class=\"muted\">No lessons on this day.</p>");
    return PageLayout::render(frame, title, body);
}

} // namespace DayPage
