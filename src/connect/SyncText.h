#pragma once

#include "foundation/dates/Date.h"

#include <QString>

// Text as the sync's XML bodies carry it.
namespace SyncText {

// "&", "<" and ">" as entities, and the characters XML 1.0 forbids (most
// control characters, lone surrogates, U+FFFE and U+FFFF) left out: one of
// them pasted into a lesson would otherwise make the whole body unreadable.
QString escape(const QString& text);
// "<name>value</name>", the value taken as it is.
QString element(const QString& name, const QString& value);

// Local time with hours written 1 to 24 ("kk"): midnight is hour 24.
QString yearDate(Date date);
QString dayDate(Date date);
// Seconds are always written as 00.
QString lessonTime(Date date);

} // namespace SyncText
