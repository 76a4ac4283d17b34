#include "foundation/dates/Date.h"

#include "foundation/dates/Clock.h"
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
    return withTimeOfDayInOwnOffset(QStringLiteral(" 00:00:00"));
}

Date Date::elevenFiftyNineDate() const
{
    return withTimeOfDayInOwnOffset(QStringLiteral(" 23:59:59"));
}

// The day is written out with this instant's zone offset and read back, rather
// than computed by the calendar. On a day whose offset changes, the result is
// therefore the wall time in the offset in force at this instant, not at the
// wall time itself: in New York, the midnight of an afternoon on the day
// daylight saving ends (offset -0500) is 00:00 -0500, one hour after that
// day's real midnight (00:00 -0400). Callers that bracket a day with these two
// instants must allow for that hour on the few days a year it occurs.
Date Date::withTimeOfDayInOwnOffset(const QString& timeOfDay) const
{
    const QString text = DateFormatting::formatPattern(*this, QStringLiteral("yyyy-MM-dd")) + timeOfDay
        + DateFormatting::formatPattern(*this, QStringLiteral(" ZZZ"));
    // Written and read by the same locale's formatter, the text always parses;
    // should it not, this instant is the least surprising answer.
    return DateFormatting::parse(text, QStringLiteral("yyyy-MM-dd HH:mm:ss ZZZ")).value_or(*this);
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
