#pragma once

#include "foundation/core/Result.h"
#include "foundation/dates/Date.h"

#include <QJsonValue>

#include <optional>

// Dates as scripts write and read them, in the local zone.
namespace CliDates {
// Local midnight of a YYYY-MM-DD day.
Result<Date> parseDay(const QString& text);
QString formatDay(Date date);
QString formatTime(Date date);
// A meeting time for --json output: null when the time was never set, not a
// made-up time of day.
QJsonValue timeJson(const std::optional<Date>& time);
// "mon" ... "sat" (or full English names, any case): 0 = Sunday ... 6 = Saturday.
Result<int> parseWeekday(const QString& text);
// The weekday indexes (0 = Sunday) of a --days list or the day types of a
// --types list, as `option` says.
Result<QList<int>> parseDayList(const QString& list, const QString& option);
} // namespace CliDates
