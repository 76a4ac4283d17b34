#include "schedule/NonSchoolSettingsController.h"

#include "foundation/alerts/AlertPresenter.h"
#include "foundation/notify/NotificationCenter.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "planning/PlanningNotifications.h"
#include "schedule/NoTemplateDayAlert.h"

QString NonSchoolSettingsController::holidayName() const
{
    return m_day ? m_day->holidayName() : QString();
}

void NonSchoolSettingsController::setHolidayName(const QString& name)
{
    if (!m_day || name == m_day->holidayName())
        return;
    m_day->setValue(u"holidayName", name);
    NotificationCenter::defaultCenter().post(PlanningNotifications::holidayNameChanged, m_day);
}

bool NonSchoolSettingsController::restoreHoliday(AlertPresenter& alerts)
{
    if (!m_day || !m_day->isNonSchoolDay())
        return false;
    if (!m_day->restoreNonSchoolDay()) {
        NoTemplateDayAlert::show(alerts, QStringLiteral("Can't Restore Day"));
        return false;
    }
    NotificationCenter& center = NotificationCenter::defaultCenter();
    center.post(PlanningNotifications::planningModesNeedRefresh, m_day);
    if (Lesson* first = m_day->firstVisibleLesson())
        center.post(PlanningNotifications::lessonClicked, first);
    return true;
}
