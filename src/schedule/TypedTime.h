#pragma once

#include "foundation/dates/Date.h"

#include <QString>

#include <optional>

// Reads a time of day as teachers type it: "9", "930", "9:30", "2pm", "1245".
// Colons are ignored; "p" anywhere means afternoon and "a" morning. Without a
// marker a lone hour or a three-digit time before 6 is taken as afternoon
// (school hours), so 2 is 14:00 and 130 is 13:30; four digits are read as
// typed. Anything else (no digits, 0, five or more digits, an hour past 23
// or minutes past 59) is no time.
namespace TypedTime {

// The time on the calendar day of `day`, seconds zero.
std::optional<Date> parse(const QString& text, Date day);

} // namespace TypedTime
