#pragma once

#include "foundation/core/Result.h"
#include "foundation/dates/Date.h"

// Dates as scripts write and read them, in the local zone.
namespace CliDates {
// Local midnight of a YYYY-MM-DD day.
Result<Date> parseDay(const QString& text);
QString formatDay(Date date);
QString formatTime(Date date);
// "mon" ... "sat" (or full English names, any case): 0 = Sunday ... 6 = Saturday.
Result<int> parseWeekday(const QString& text);
} // namespace CliDates
