#include "server/web/DayKind.h"

namespace DayKind {

QString cssClass(const DayView& day)
{
    if (day.isHoliday)
        return QStringLiteral("holiday");
    if (day.isCancelled)
        return QStringLiteral("cancelled");
    if (day.isCustom)
        return QStringLiteral("custom");
    return QStringLiteral("school");
}

QString label(const DayView& day)
{
    if (day.isHoliday)
        return QStringLiteral("Holiday");
    if (day.isCancelled)
        return QStringLiteral("Cancelled");
    if (day.isCustom)
        return QStringLiteral("Custom day");
    return {};
}

} // namespace DayKind
