#include "foundation/dates/Date.h"

#include "foundation/dates/Clock.h"
#include "foundation/dates/DateComponents.h"
#include "foundation/dates/DateFormatting.h"
#include "foundation/dates/LocalCalendar.h"

#include <QDateTime>
#include <QString>

#include <cmath>

namespace {

// Seconds from 1970-01-01 00:00:00 UTC to 2001-01-01 00:00:00 UTC.
constexpr double referenceDateSince1970 = 978307200.0;

Date midnightOf(DateComponents components)
{
    components.hour = 0;
    components.minute = 0;
    components.second = 0;
    return LocalCalendar::dateFromComponents(components);
}

Date midnightOf(Date date, int monthsLater, int dayOfMonth)
{
    DateComponents components = LocalCalendar::components(date);
    components.month += monthsLater;
    components.day = dayOfMonth;
    return midnightOf(components);
}

} // namespace

Date Date::fromUDate(double millisecondsSince1970)
{
    return Date(millisecondsSince1970 / 1000.0 - referenceDateSince1970);
}

Date Date::fromQDateTime(const QDateTime& dateTime)
{
    return fromUDate(double(dateTime.toMSecsSinceEpoch()));
}

Date Date::now()
{
    return Clock::now();
}

double Date::toUDate() const
{
    return (m_seconds + referenceDateSince1970) * 1000.0;
}

QDateTime Date::toQDateTime() const
{
    return QDateTime::fromMSecsSinceEpoch(std::llround(toUDate()));
}

bool Date::isBetween(Date earlier, Date later) const
{
    return *this > earlier && *this < later;
}

bool Date::isSameMonthAsDate(Date other) const
{
    const DateComponents mine = LocalCalendar::components(*this);
    const DateComponents theirs = LocalCalendar::components(other);
    return mine.year == theirs.year && mine.month == theirs.month;
}

bool Date::isTodaysDate() const
{
    const DateComponents mine = LocalCalendar::components(*this);
    const DateComponents today = LocalCalendar::components(now());
    return mine.year == today.year && mine.month == today.month && mine.day == today.day;
}

Date Date::firstDayOfMonth() const
{
    return midnightOf(*this, 0, 1);
}

Date Date::nextDay() const
{
    DateComponents components = LocalCalendar::components(*this);
    components.day += 1;
    return midnightOf(components);
}

Date Date::firstDayOfNextMonth() const
{
    return midnightOf(*this, 1, 1);
}

Date Date::firstDayOfLastMonth() const
{
    return midnightOf(*this, -1, 1);
}

Date Date::lastDayOfLastMonth() const
{
    // Day 0 of this month is normalised to the last day of the one before.
    return midnightOf(*this, 0, 0);
}

Date Date::midnightDate() const
{
    return wallTimeOnSameDay(QStringLiteral(" 00:00:00"), { 0, 0, 0 });
}

Date Date::elevenFiftyNineDate() const
{
    return wallTimeOnSameDay(QStringLiteral(" 23:59:59"), { 23, 59, 59 });
}

// The day is written out and read back with the time of day, in the zone's own
// rules: on a day whose offset changes, the offset is the one in force at that
// wall time, not at this instant. (Reading it back with this instant's offset
// would put the midnight of an afternoon on the day daylight saving starts on
// the evening before, and one hour late on the day it ends, so that the day
// of such an afternoon could not be found.) A wall time the clocks skip has no
// text to parse; the calendar then resolves it to the moment after the gap.
Date Date::wallTimeOnSameDay(const QString& timeOfDay, const WallTime& time) const
{
    const QString text = DateFormatting::formatPattern(*this, QStringLiteral("yyyy-MM-dd")) + timeOfDay;
    if (const std::optional<Date> parsed = DateFormatting::parse(text, QStringLiteral("yyyy-MM-dd HH:mm:ss")))
        return *parsed;
    DateComponents day = LocalCalendar::components(*this);
    day.hour = time.hour;
    day.minute = time.minute;
    day.second = time.second;
    return LocalCalendar::dateFromComponents(day);
}

Date Date::timeOnDate(Date day) const
{
    return LocalCalendar::timeOnDay(*this, day);
}

Date Date::roundToEarlierHour() const
{
    DateComponents components = LocalCalendar::components(*this);
    components.minute = 0;
    return LocalCalendar::dateFromComponents(components);
}

Date Date::roundToLaterHour() const
{
    DateComponents components = LocalCalendar::components(*this);
    if (components.minute <= 24) {
        components.minute = 30;
    } else {
        // Hour 24 rolls over to the next day when the calendar resolves it.
        components.hour += 1;
        components.minute = components.minute <= 51 ? 0 : 10;
    }
    return LocalCalendar::dateFromComponents(components);
}

int Date::numberOfHoursSince(Date other) const
{
    return LocalCalendar::components(*this).hour - LocalCalendar::components(other).hour;
}
