#pragma once

#include "foundation/dates/Date.h"

#include <QString>
#include <QStringList>

#include <optional>

// Display and parsing of dates in the current locale and time zone (ICU's
// defaults at the time of the call). Patterns are Unicode date-format patterns.
namespace DateFormatting {

enum class DateStyle { Short, Medium, Long };
enum class SymbolWidth { Full, Short };

// A fixed pattern, used as written ("EEEE", "yyyy-MM-dd HH:mm:ss ZZZ").
// ICU does not reject bad patterns: it stops formatting at the first letter it
// does not know, so literal text must be quoted ("yyyy-MM-dd'T'HH").
QString formatPattern(Date date, const QString& pattern);

// A template names the fields wanted ("EEEEdMMMM"); the locale decides their
// order and punctuation ("Monday, January 5" in English, "Montag, 5. Januar"
// in German).
QString patternForTemplate(const QString& dateTemplate);
QString formatTemplate(Date date, const QString& dateTemplate);

// The locale's date form of the given style, without a time.
QString formatDateStyle(Date date, DateStyle style);
// The pattern behind a style ("M/d/yy" for the short style in English).
QString patternForDateStyle(DateStyle style);
// The locale's short time form ("9:45 AM", "09:45").
QString formatShortTime(Date date);

// Reads a date written with `pattern`; the whole text must match and every
// field must be in range. None when it does not.
std::optional<Date> parse(const QString& text, const QString& pattern);
// Reads a date as a person of the current locale types it: the locale's
// numeric form ("2/10/2027", "10/02/2027", "10.2.2027"), its short, medium
// and long styles, or ISO "2027-02-10". Leading and trailing spaces do not
// matter; a date that does not exist ("2/30/2027") is none.
std::optional<Date> parseTypedDate(const QString& text);

// The locale's weekday names, Sunday first whatever day the locale starts its
// week on.
QStringList weekdaySymbols(SymbolWidth width);
// The full weekday name of a date ("Monday"); days of weekly repeating
// schedules are matched by it.
QString weekdayName(Date date);

} // namespace DateFormatting
