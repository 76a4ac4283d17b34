#pragma once

#include "foundation/dates/LocalCalendar.h"

// A wall-clock time in the current zone, for building years in tests.
inline Date local(int year, int month, int day, int hour = 0, int minute = 0)
{
    return LocalCalendar::dateFromComponents({ year, month, day, hour, minute, 0 });
}
