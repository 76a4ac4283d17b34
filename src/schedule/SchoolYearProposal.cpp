#include "schedule/SchoolYearProposal.h"

#include "foundation/dates/LocalCalendar.h"

namespace {

constexpr int june = 6;
constexpr int september = 9;
constexpr int monday = 2;
constexpr int friday = 6;

Date midnightOn(int year, int month, int day)
{
    return LocalCalendar::dateFromComponents(DateComponents { .year = year, .month = month, .day = day });
}

// Day of the month of the n-th (1-based) given weekday.
int nthWeekday(int year, int month, int weekday, int n)
{
    const int firstOfMonth = LocalCalendar::weekday(midnightOn(year, month, 1));
    return 1 + (weekday - firstOfMonth + 7) % 7 + 7 * (n - 1);
}

} // namespace

SchoolYearProposal SchoolYearProposal::forDate(Date now)
{
    const int calendarYear = LocalCalendar::components(now).year;
    const int startYear = now > midnightOn(calendarYear, 5, 30) ? calendarYear : calendarYear - 1;
    const int dayAfterFirstMonday = nthWeekday(startYear, september, monday, 1) + 1;
    return SchoolYearProposal(midnightOn(startYear, september, dayAfterFirstMonday),
        midnightOn(startYear + 1, june, nthWeekday(startYear + 1, june, friday, 3)));
}
