#pragma once

#include "foundation/dates/Date.h"
#include "foundation/dates/DateComponents.h"

// Calendar arithmetic in the user's current calendar and time zone (ICU's
// default locale and zone), asked for afresh on every call so that a change of
// zone or locale while the program runs is honoured at once.
namespace LocalCalendar {

DateComponents components(Date date);
Date dateFromComponents(const DateComponents& components);

// Gregorian weekday number, whatever day the locale starts its week on:
// 1 = Sunday ... 7 = Saturday.
int weekday(Date date);
// The Gregorian weekday number (1 = Sunday) the locale starts its week on.
int firstWeekday();
// Where the date's weekday falls in the locale's week: 1 for its first
// weekday ... 7 for its last. Calendars laid out in weeks use it as a column.
int weekdayOrdinal(Date date);

// Same wall-clock time on another day or month, so that local midnight plus one
// day is the next local midnight even across a 23- or 25-hour day. A day that
// does not exist in the target month is pinned to the month's last day.
Date addingDays(Date date, int days);
Date addingMonths(Date date, int months);

// Hour and minute of `time` on the calendar day of `day`, seconds zero, in the
// host's time zone. Works on one calendar cached for the process, whose zone
// is reset before each use.
Date timeOnDay(Date time, Date day);

} // namespace LocalCalendar
