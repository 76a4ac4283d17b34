#include "model/Week.h"

#include "foundation/dates/DateFormatting.h"
#include "foundation/dates/LocalCalendar.h"
#include "model/Day.h"
#include "model/Year.h"

#include <algorithm>

Year* Week::year() const
{
    return object<Year>(u"year");
}

QList<Day*> Week::daysInOrder() const
{
    QList<Day*> ordered = days();
    std::stable_sort(
        ordered.begin(), ordered.end(), [](const Day* a, const Day* b) { return a->actualDate() < b->actualDate(); });
    return ordered;
}

QString Week::prettyPrintWeek() const
{
    const QList<Day*> ordered = daysInOrder();
    if (ordered.isEmpty())
        return {};
    return DateFormatting::formatTemplate(ordered.first()->actualDate(), QStringLiteral("dMMM")) + QStringLiteral(" - ")
        + DateFormatting::formatTemplate(ordered.last()->actualDate(), QStringLiteral("dMMMy"));
}

QList<Day*> Week::days() const
{
    return objects<Day>(u"days");
}

namespace {

Date todayAt(int hour, int minute)
{
    DateComponents parts = LocalCalendar::components(Date::now());
    parts.hour = hour;
    parts.minute = minute;
    parts.second = 0;
    return LocalCalendar::dateFromComponents(parts);
}

} // namespace

Week* Week::previousWeek() const
{
    const QList<Week*> ordered = year() ? year()->weeksInOrder() : QList<Week*>();
    const qsizetype index = ordered.indexOf(this);
    return index > 0 ? ordered[index - 1] : const_cast<Week*>(this);
}

Week* Week::nextWeek() const
{
    const QList<Week*> ordered = year() ? year()->weeksInOrder() : QList<Week*>();
    const qsizetype index = ordered.indexOf(this);
    return index >= 0 && index + 1 < ordered.size() ? ordered[index + 1] : const_cast<Week*>(this);
}

bool Week::hasHolidayOrCustom() const
{
    const QList<Day*> all = days();
    return std::any_of(
        all.begin(), all.end(), [](const Day* day) { return day->isNonSchoolDay() || day->isCustomDay(); });
}

bool Week::isRotatingOrCustom() const
{
    if (year() && !year()->isNonRotating())
        return true;
    const QList<Day*> all = days();
    return std::any_of(all.begin(), all.end(), [](const Day* day) { return day->isCustomDay(); });
}

// Times are compared on one date so that days on either side of a
// daylight-saving change line up by their time of day.
Date Week::earliestLessonStartTime() const
{
    const Date today = Date::now();
    Date earliest = todayAt(23, 59);
    for (const Day* day : days()) {
        if (const std::optional<Date> start = day->earliestLessonStartTime())
            earliest = std::min(earliest, start->timeOnDate(today));
    }
    return earliest;
}

Date Week::latestLessonEndTime() const
{
    const Date today = Date::now();
    Date latest = todayAt(0, 0);
    for (const Day* day : days()) {
        if (const std::optional<Date> end = day->latestLessonEndTime())
            latest = std::max(latest, end->timeOnDate(today));
    }
    return latest;
}
