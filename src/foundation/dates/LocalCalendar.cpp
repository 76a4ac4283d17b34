#include "foundation/dates/LocalCalendar.h"

#include <QtGlobal>

#include <unicode/calendar.h>
#include <unicode/timezone.h>

#include <memory>

namespace {

// ICU only fails to make a calendar when it cannot allocate one; nothing
// sensible can follow from there.
std::unique_ptr<icu::Calendar> checkedCalendar(icu::Calendar* calendar, UErrorCode status)
{
    if (U_FAILURE(status) || !calendar)
        qFatal("ICU could not create a calendar: %s", u_errorName(status));
    return std::unique_ptr<icu::Calendar>(calendar);
}

std::unique_ptr<icu::Calendar> currentCalendar()
{
    UErrorCode status = U_ZERO_ERROR;
    return checkedCalendar(icu::Calendar::createInstance(status), status);
}

// Fetched once and kept for the life of the process, unlike currentCalendar().
// Main thread only, like all model work.
icu::Calendar& semestraCalendar()
{
    static const std::unique_ptr<icu::Calendar> calendar = currentCalendar();
    return *calendar;
}

icu::Calendar& positioned(icu::Calendar& calendar, Date date)
{
    UErrorCode status = U_ZERO_ERROR;
    calendar.setTime(date.toUDate(), status);
    return calendar;
}

DateComponents componentsIn(icu::Calendar& calendar, Date date)
{
    positioned(calendar, date);
    UErrorCode status = U_ZERO_ERROR;
    return DateComponents {
        .year = calendar.get(UCAL_YEAR, status),
        .month = calendar.get(UCAL_MONTH, status) + 1,
        .day = calendar.get(UCAL_DATE, status),
        .hour = calendar.get(UCAL_HOUR_OF_DAY, status),
        .minute = calendar.get(UCAL_MINUTE, status),
        .second = calendar.get(UCAL_SECOND, status),
    };
}

// The calendar is lenient, so overflowing or zero fields roll into the
// neighbouring units instead of failing.
Date dateIn(icu::Calendar& calendar, const DateComponents& c)
{
    calendar.clear();
    calendar.set(c.year, c.month - 1, c.day, c.hour, c.minute, c.second);
    UErrorCode status = U_ZERO_ERROR;
    return Date::fromUDate(calendar.getTime(status));
}

Date adding(Date date, UCalendarDateFields field, int amount)
{
    auto calendar = currentCalendar();
    UErrorCode status = U_ZERO_ERROR;
    positioned(*calendar, date).add(field, amount, status);
    return Date::fromUDate(calendar->getTime(status));
}

} // namespace

namespace LocalCalendar {

DateComponents components(Date date)
{
    return componentsIn(*currentCalendar(), date);
}

Date dateFromComponents(const DateComponents& components)
{
    return dateIn(*currentCalendar(), components);
}

int weekday(Date date)
{
    UErrorCode status = U_ZERO_ERROR;
    return positioned(*currentCalendar(), date).get(UCAL_DAY_OF_WEEK, status);
}

int firstWeekday()
{
    return currentCalendar()->getFirstDayOfWeek();
}

int weekdayOrdinal(Date date)
{
    UErrorCode status = U_ZERO_ERROR;
    return positioned(*currentCalendar(), date).get(UCAL_DOW_LOCAL, status);
}

Date addingDays(Date date, int days)
{
    return adding(date, UCAL_DATE, days);
}

Date addingMonths(Date date, int months)
{
    return adding(date, UCAL_MONTH, months);
}

Date timeOnDay(Date time, Date day)
{
    icu::Calendar& calendar = semestraCalendar();
    calendar.adoptTimeZone(icu::TimeZone::detectHostTimeZone());
    const DateComponents clock = componentsIn(calendar, time);
    DateComponents onDay = componentsIn(calendar, day);
    onDay.hour = clock.hour;
    onDay.minute = clock.minute;
    onDay.second = 0;
    return dateIn(calendar, onDay);
}

} // namespace LocalCalendar
