#include "schedule/YearFrameCommands.h"

#include "foundation/alerts/AlertPresenter.h"
#include "foundation/dates/DateFormatting.h"
#include "foundation/notify/NotificationCenter.h"
#include "model/Day.h"
#include "model/Year.h"
#include "planning/PlanningNotifications.h"

namespace {

const QString cannotChangeTitle = QStringLiteral("Can't Change Year");
const QString cannotChangeMessage
    = QStringLiteral("Semestra was unable to find a school day to copy into the new week.");

QString medium(Date date)
{
    return DateFormatting::formatDateStyle(date, DateFormatting::DateStyle::Medium);
}

} // namespace

namespace YearFrameCommands {

bool insertWeekAtBeginning(Year& year, AlertPresenter& alerts)
{
    if (!year.insertWeekAtBeginning()) {
        alerts.inform(cannotChangeTitle, cannotChangeMessage);
        return false;
    }
    NotificationCenter::defaultCenter().post(PlanningNotifications::planningModesNeedRefresh, &year);
    alerts.inform(QStringLiteral("Week Inserted"),
        QStringLiteral("A week has been inserted at the beginning of your year.  It now begins on %1")
            .arg(medium(year.startDate())));
    return true;
}

// The end date is the midnight after the year's grid; the report names the
// year's last day.
bool extendYearByOneWeek(Year& year, AlertPresenter& alerts)
{
    if (!year.extendYearByOneWeek()) {
        alerts.inform(cannotChangeTitle, cannotChangeMessage);
        return false;
    }
    NotificationCenter::defaultCenter().post(PlanningNotifications::planningModesNeedRefresh, &year);
    alerts.inform(QStringLiteral("Year Extended"),
        QStringLiteral("Your semestra has been extended by one week.  It now ends on %1")
            .arg(medium(year.getLastDay()->actualDate())));
    return true;
}

} // namespace YearFrameCommands
