#pragma once

#include "foundation/dates/Date.h"

// The week grid of a new year: whole weeks from the Sunday on or before the
// chosen start, through the week that holds the chosen end.
class YearGrid {
public:
    YearGrid(Date chosenStart, Date chosenEnd);

    // Local midnight of the grid's first Sunday; the year's start date.
    Date start() const { return m_start; }
    // How many days the chosen start lies after the grid start (0 for a Sunday).
    int offset() const { return m_offset; }
    int numberOfWeeks() const { return m_numberOfWeeks; }
    // Local midnight of the index-th day of the grid (0 is the first Sunday).
    Date day(int index) const;

    // Calendar days from the day of `from` to the day of `to`. Counted in
    // days rather than seconds over 86,400, which would lose a day (and at a
    // week's edge a whole week) across the spring daylight-saving change.
    static int daysBetween(Date from, Date to);

private:
    Date m_start;
    int m_offset = 0;
    int m_numberOfWeeks = 0;
};
