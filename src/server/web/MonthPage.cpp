#include "server/web/MonthPage.h"

#include "server/web/DayKind.h"
#include "foundation/richtext/HtmlEscape.h"
#include "server/web/PageLayout.h"
#include "server/web/WebFormat.h"
#include "server/web/WebRoutes.h"

#include <QHash>

namespace {

constexpr int daysPerWeek = 7;

// Weeks start on Sunday; Qt numbers Sunday 7.
int daysSinceSunday(QDate date)
{
    return date.dayOfWeek() % daysPerWeek;
}

QString lessonList(const DayView& day)
{
    QString items;
    if (!day.notes.trimmed().isEmpty())
        items += QStringLiteral("<li>%1</li>").arg(HtmlEscape::escaped(day.notes.trimmed()));
    for (const LessonView& lesson : day.lessons) {
        items += QStringLiteral("<li><span class=\"course-name\">%1</span> %2</li>")
                     .arg(HtmlEscape::escaped(lesson.courseName), HtmlEscape::escaped(lesson.title));
    }
    return items.isEmpty() ? QString() : QStringLiteral("<ul>%1</ul>").arg(items);
}

QString dayCell(const DayView& day, const PageFrame& frame)
{
    const QString kind = DayKind::label(day);
    const QString count
        = day.lessons.isEmpty() ? QString() : QStringLiteral("<span class=\"count\">%1</span>").arg(day.lessons.size());
    return QStringLiteral("<td class=\"%1\"><a class=\"date\" href=\"%2\" aria-label=\"%3\">%4</a>%5%6%7</td>")
        .arg(DayKind::cssClass(day), HtmlEscape::escaped(frame.href(WebRoutes::day(day.date))),
            WebFormat::longDate(day.date), QString::number(day.date.day()),
            kind.isEmpty() ? QString() : QStringLiteral("<span class=\"kind\">%1</span>").arg(kind), count,
            lessonList(day));
}

QString cell(QDate date, QDate month, const QHash<QDate, const DayView*>& days, const PageFrame& frame)
{
    if (date.month() != month.month())
        return QStringLiteral("<td class=\"off\"></td>");
    if (const DayView* day = days.value(date))
        return dayCell(*day, frame);
    return QStringLiteral("<td class=\"off\">%1</td>").arg(date.day());
}

QString grid(const MonthView& view, const PageFrame& frame)
{
    QHash<QDate, const DayView*> days;
    for (const DayView& day : view.days)
        days.insert(day.date, &day);
    const QDate first(view.month.year(), view.month.month(), 1);
    const QDate last = first.addMonths(1).addDays(-1);
    QString html = QStringLiteral("<table class=\"month\"><thead><tr><th>Sun</th><th>Mon</th><th>Tue</th><th>Wed</th>"
                                  "<th>Thu</th><th>Fri</th><th>Sat</th></tr></thead><tbody>");
    for (QDate weekStart = first.addDays(-daysSinceSunday(first)); weekStart <= last;
         weekStart = weekStart.addDays(daysPerWeek)) {
        html += QStringLiteral("<tr>");
        for (int i = 0; i < daysPerWeek; ++i)
            html += cell(weekStart.addDays(i), first, days, frame);
        html += QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</tbody></table>");
}

QString pager(const MonthView& view, const PageFrame& frame)
{
    const QDate first(view.month.year(), view.month.month(), 1);
    const QDate previous = first.addMonths(-1);
    const QDate next = first.addMonths(1);
    const QString back = first.addDays(-1) >= view.yearStart
        ? QStringLiteral("<a href=\"%1\" rel=\"prev\">\u2039 %2</a>")
              .arg(HtmlEscape::escaped(frame.href(WebRoutes::month(previous))), WebFormat::monthName(previous))
        : QStringLiteral("<span></span>");
    const QString forward = next <= view.yearEnd
        ? QStringLiteral("<a href=\"%1\" rel=\"next\">%2 \u203a</a>")
              .arg(HtmlEscape::escaped(frame.href(WebRoutes::month(next))), WebFormat::monthName(next))
        : QStringLiteral("<span></span>");
    return QStringLiteral("<nav class=\"pager\" aria-label=\"Months\">%1%2</nav>").arg(back, forward);
}

} // namespace

namespace MonthPage {

QString render(const MonthView& view, const PageFrame& frame)
{
    const QString title = WebFormat::monthTitle(view.month);
    const QString body = QStringLiteral("<h1>%1</h1>%2%3").arg(title, pager(view, frame), grid(view, frame));
    return PageLayout::render(frame, title, body);
}

} // namespace MonthPage
