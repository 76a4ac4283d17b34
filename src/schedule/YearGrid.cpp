#include "schedule/YearGrid.h"

#include "foundation/dates/LocalCalendar.h"

#include <cmath>

namespace {

constexpr double secondsPerDay = 86400;

} // namespace

YearGrid::YearGrid(Date chosenStart, Date chosenEnd)
{
    const Date firstDay = chosenStart.midnightDate();
    m_offset = LocalCalendar::weekday(firstDay) - 1;
    m_start = LocalCalendar::addingDays(firstDay, -m_offset);
    m_numberOfWeeks = daysBetween(m_start, chosenEnd) / 7 + 1;
}

Date YearGrid::day(int index) const
{
    // Counted from the grid start each time, so that no step can carry an
    // hour's drift into the following days.
    return LocalCalendar::addingDays(m_start, index);
}

int YearGrid::daysBetween(Date from, Date to)
{
    // Two local midnights differ by whole days give or take a daylight-saving
    // shift, which rounding absorbs.
    return int(std::lround(to.midnightDate().timeIntervalSince(from.midnightDate()) / secondsPerDay));
}
