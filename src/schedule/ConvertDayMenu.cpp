#include "schedule/ConvertDayMenu.h"

#include "foundation/alerts/AlertPresenter.h"
#include "foundation/dates/DateFormatting.h"
#include "foundation/dates/RotationLabels.h"
#include "foundation/notify/NotificationCenter.h"
#include "foundation/prefs/Preferences.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/Year.h"
#include "planning/PlanningNotifications.h"
#include "schedule/NoTemplateDayAlert.h"

namespace ConvertDayMenu {

QStringList dayTypeLabels(const Year& year)
{
    const auto numbering = Preferences::shared().boolValue(QStringLiteral("rotatingNumbers"))
        ? RotationLabels::Numbering::Numbers
        : RotationLabels::Numbering::Letters;
    QStringList labels;
    for (int type = 0; type < year.repeatInterval(); ++type)
        labels << RotationLabels::rotationLabel(type, numbering);
    return labels;
}

QList<Item> items(const Year& year)
{
    QList<Item> result;
    const QString pattern = QStringLiteral("%1 Schedule");
    if (!year.isNonRotating()) {
        const QStringList labels = dayTypeLabels(year);
        for (int type = 0; type < labels.size(); ++type)
            result.append({ pattern.arg(labels[type]), firstTag + type, type, QString() });
        return result;
    }
    const QHash<QString, bool> taught = year.getDaysInWeek();
    for (const QString& name : DateFormatting::weekdaySymbols(DateFormatting::SymbolWidth::Full)) {
        if (taught.value(name))
            result.append({ pattern.arg(name), firstTag + int(result.size()), 0, name });
    }
    return result;
}

bool convert(Day& day, const Item& item, AlertPresenter& alerts)
{
    const bool converted
        = item.weekdayName.isEmpty() ? day.convertToDayType(item.dayType) : day.convertToWeekday(item.weekdayName);
    if (!converted) {
        NoTemplateDayAlert::show(alerts, QStringLiteral("Can't Convert Day"));
        return false;
    }
    NotificationCenter& center = NotificationCenter::defaultCenter();
    center.post(PlanningNotifications::planningModesNeedRefresh, &day);
    if (Lesson* first = day.firstVisibleLesson())
        center.post(PlanningNotifications::lessonClicked, first);
    return true;
}

} // namespace ConvertDayMenu
