#include "publish/HTMLCourseMonthIndex.h"

#include "foundation/dates/LocalCalendar.h"
#include "publish/HtmlText.h"
#include "publish/SitePage.h"

#include <QFileInfo>

using HtmlText::escaped;

namespace {

// The menu goes to the month chosen; without scripts the links beside it
// still lead from month to month.
const QString menuScript
    = QStringLiteral("\t<script>\n"
                     "\tfunction menu_goto(menuform) {\n"
                     "\t\tvar newurl = menuform.newurl.options[menuform.newurl.selectedIndex].value;\n"
                     "\t\tif (newurl.length != 0) {\n"
                     "\t\t\tlocation.href = newurl;\n"
                     "\t\t}\n"
                     "\t}\n"
                     "\t</script>\n");

int daysInMonth(int year, int month)
{
    static constexpr std::array<int, 12> lengths { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    const bool leap = year % 400 == 0 || (year % 4 == 0 && year % 100 != 0);
    return month == 2 && leap ? 29 : lengths[size_t(month - 1)];
}

QString monthLink(const SiteMonth& month)
{
    return QStringLiteral("<a href=\"%1\">%2</a>")
        .arg(HtmlText::pathHref({ month.fileName + QStringLiteral(".html") }), escaped(month.label));
}

QString titlesOf(const SiteCourseDay& day)
{
    QStringList titles;
    for (const SiteLesson& lesson : day.lessons)
        titles.append(lesson.title.isEmpty() ? QStringLiteral("No Title") : lesson.title);
    return titles.join(QStringLiteral("; "));
}

} // namespace

HTMLCourseMonthIndex::HTMLCourseMonthIndex(const SiteFrame& frame, const SiteNames::DateNames& names,
    const SiteCourse& course, const QList<SiteMonth>& months, int position, const QHash<int, const SiteDayPage*>& pages)
    : m_frame(frame)
    , m_names(names)
    , m_course(course)
    , m_months(months)
    , m_position(position)
    , m_pages(pages)
{
    const SiteMonth& month = m_months[m_position];
    for (const SiteDay& day : m_frame.days) {
        if (!m_frame.settings.inCalendarRange(day.date))
            continue;
        if (day.parts.year == month.year && day.parts.month == month.month)
            m_days.insert(day.parts.day, &day);
    }
}

QString HTMLCourseMonthIndex::allHTML()
{
    const SiteMonth& month = m_months[m_position];
    const QString title = escaped(m_course.name) + QStringLiteral(" - ") + escaped(month.label);
    const QString feed = HtmlText::pathHref({ m_course.folder + QStringLiteral(".ics") });
    QString body = QStringLiteral("<div id=\"header\">%1").arg(title);
    if (!m_frame.settings.monthHeader.trimmed().isEmpty())
        body += QStringLiteral("\n<h5>%1</h5>").arg(HtmlText::escapedLines(m_frame.settings.monthHeader));
    body += navigation() + QStringLiteral("\n</div>");
    body += QStringLiteral("\n<div id=\"center\" class=\"column\">") + tableHTML() + QStringLiteral("\n</div>");
    body += QStringLiteral("\n<div id=\"right\" class=\"column\">\n") + handoutString() + QStringLiteral("\n</div>");
    body += QStringLiteral("\n<div id=\"footer\">");
    if (!m_frame.settings.monthFooter.trimmed().isEmpty())
        body += QStringLiteral("\n\t<p>%1</p>").arg(HtmlText::escapedLines(m_frame.settings.monthFooter));
    body += QStringLiteral("\n\t<p class=\"subscribe\"><a href=\"%1\">Subscribe to this calendar</a></p>\n</div>")
                .arg(feed);

    const QString head = QStringLiteral("\t<link rel=\"alternate\" type=\"text/calendar\" title=\"%1\" href=\"%2\">\n")
                             .arg(escaped(m_course.name), feed)
        + menuScript;
    return SitePage::document(title,
        SitePage::themeStyleSheets(
            m_frame.settings.theme, 1, { QStringLiteral("Courses"), QStringLiteral("calendarstyle.css") }),
        head, body);
}

QString HTMLCourseMonthIndex::navigation() const
{
    const QString reverse = m_position > 0 ? monthLink(m_months[m_position - 1]) : QString();
    const QString forward = m_position + 1 < m_months.size() ? monthLink(m_months[m_position + 1]) : QString();
    return QStringLiteral("\n<table class=\"navigationTable\">\n\t<tr>\n"
                          "\t\t<td class=\"navLeft\">%1</td>\n"
                          "\t\t<td class=\"navCenter\">%2</td>\n"
                          "\t\t<td class=\"navRight\">%3</td>\n"
                          "\t</tr>\n</table>")
        .arg(reverse, monthMenu(), forward);
}

QString HTMLCourseMonthIndex::monthMenu() const
{
    QString menu = QStringLiteral("<form name=\"menuform\" action=\"#\">\n\t<select name=\"newurl\" "
                                  "onchange=\"menu_goto(this.form)\" aria-label=\"Choose a Month\">\n"
                                  "\t\t<option value=\"\">Choose a Month</option>");
    for (const SiteMonth& month : m_months) {
        menu += QStringLiteral("\n\t\t<option value=\"%1\">%2</option>")
                    .arg(HtmlText::pathHref({ month.fileName + QStringLiteral(".html") }), escaped(month.label));
    }
    return menu + QStringLiteral("\n\t</select>\n</form>");
}

QString HTMLCourseMonthIndex::tableHTML()
{
    const SiteMonth& month = m_months[m_position];
    const QStringList& full = m_names.weekdays();
    const QStringList& brief = m_names.shortWeekdays();
    QString table = QStringLiteral("\n\t<table class=\"calendar\">\n\t\t<thead>\n\t\t<tr>");
    for (int weekday = 0; weekday < 7; ++weekday) {
        const bool weekend = weekday == 0 || weekday == 6;
        const QString name = (weekend ? brief : full).value(weekday);
        table += QStringLiteral("<th class=\"calendarHeader%1\">%2</th>")
                     .arg(weekend ? QStringLiteral(" weekend") : QString(), escaped(name));
    }
    table += QStringLiteral("</tr>\n\t\t</thead>\n\t\t<tbody>\n\t\t<tr>");
    const int leading = LocalCalendar::weekday(month.firstDay) - 1;
    for (int blank = 0; blank < leading; ++blank)
        table += QStringLiteral("\n\t\t\t<td class=\"empty\"></td>");
    const int length = daysInMonth(month.year, month.month);
    int column = leading;
    for (int day = 1; day <= length; ++day) {
        if (column == 7) {
            table += QStringLiteral("\n\t\t</tr>\n\t\t<tr>");
            column = 0;
        }
        table += cell(day, column++);
    }
    for (; column < 7; ++column)
        table += QStringLiteral("\n\t\t\t<td class=\"empty\"></td>");
    return table + QStringLiteral("\n\t\t</tr>\n\t\t</tbody>\n\t</table>");
}

QString HTMLCourseMonthIndex::cell(int dayOfMonth, int weekday)
{
    const QString weekdayLabel
        = QStringLiteral("<span class=\"weekday\">%1</span> ").arg(escaped(m_names.shortWeekdays().value(weekday)));
    const QString number = QString::number(dayOfMonth);
    if (const SiteDayPage* page = m_pages.value(dayOfMonth)) {
        m_hadData = true;
        const QString text = number + QStringLiteral(" - ") + escaped(titlesOf(*page->courseDay));
        if (!page->linked)
            return QStringLiteral("\n\t\t\t<td class=\"schoolDay\">%1%2</td>").arg(weekdayLabel, text);
        return QStringLiteral("\n\t\t\t<td class=\"schoolDay\">%1<a href=\"%2\">%3</a></td>")
            .arg(weekdayLabel, HtmlText::pathHref({ page->folder, QStringLiteral("index.html") }), text);
    }
    const SiteDay* day = dayOn(dayOfMonth);
    if (day && day->isNonSchoolDay()) {
        m_hadData = true;
        const QString name = !day->holidayName.isEmpty() ? day->holidayName
            : day->isHoliday                             ? QStringLiteral("Holiday")
                                                         : QStringLiteral("Cancelled");
        return QStringLiteral("\n\t\t\t<td class=\"holiday\">%1%2 - %3</td>").arg(weekdayLabel, number, escaped(name));
    }
    return QStringLiteral("\n\t\t\t<td class=\"noLesson\">%1</td>").arg(number);
}

const SiteDay* HTMLCourseMonthIndex::dayOn(int dayOfMonth) const
{
    return m_days.value(dayOfMonth);
}

QString HTMLCourseMonthIndex::handoutString() const
{
    QString list = QStringLiteral("<dl>\n\t<dt class=\"header\">Handouts</dt>");
    for (int dayOfMonth = 1; dayOfMonth <= 31; ++dayOfMonth) {
        const SiteDayPage* page = m_pages.value(dayOfMonth);
        if (!page)
            continue;
        for (const SiteLesson& lesson : page->courseDay->lessons) {
            for (const SiteFile& file : lesson.handouts) {
                list += QStringLiteral("\n\t\t<dt>%1 (%2)</dt>").arg(escaped(file.name), escaped(page->day->shortDate));
                const QString copy = page->fileNames.value(&file);
                if (!page->availableFiles.contains(&file)) {
                    list += QStringLiteral("\n\t\t\t<dd>%1</dd>").arg(escaped(QFileInfo(copy).completeBaseName()));
                    continue;
                }
                list += QStringLiteral("\n\t\t\t<dd><a href=\"%1\">%2</a></dd>")
                            .arg(HtmlText::pathHref({ page->folder, copy }),
                                escaped(QFileInfo(copy).completeBaseName()));
            }
        }
    }
    return list + QStringLiteral("\n</dl>");
}
