#pragma once

#include "foundation/dates/Date.h"

#include <QDate>
#include <QDateTime>

// Date pickers show calendar days; the records hold instants.
namespace SheetDates {

inline QDate calendarDay(Date date)
{
    return date.toQDateTime().toLocalTime().date();
}

// Noon keeps the instant inside the picked calendar day on any zone change.
inline Date instant(const QDate& day)
{
    return Date::fromQDateTime(QDateTime(day, QTime(12, 0)));
}

} // namespace SheetDates
