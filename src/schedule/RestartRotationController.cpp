#include "schedule/RestartRotationController.h"

#include "foundation/alerts/AlertPresenter.h"
#include "foundation/notify/NotificationCenter.h"
#include "model/Day.h"
#include "model/Year.h"
#include "planning/PlanningNotifications.h"
#include "schedule/ConvertDayMenu.h"

RestartRotationController::RestartRotationController(AlertPresenter& alerts)
    : m_alerts(alerts)
{ }

void RestartRotationController::setDay(Day* day)
{
    m_day = day;
    m_chosenType = 0;
}

QString RestartRotationController::label() const
{
    if (!m_day)
        return {};
    return QStringLiteral("Please select the type of day to which the %1 on %2, %3 shall be converted.  All "
                          "subsequent days will be converted to match your rotation.")
        .arg(m_day->rotationString(), m_day->weekDayName(), m_day->longDateString());
}

QStringList RestartRotationController::dayTypes() const
{
    return m_day && m_day->year() ? ConvertDayMenu::dayTypeLabels(*m_day->year()) : QStringList();
}

RestartRotationController::Outcome RestartRotationController::restartPressed()
{
    if (!m_day || !m_day->year())
        return Outcome::Cancelled;
    const int answer = m_alerts.runModal({ QStringLiteral("Really Adjust Your Schedule"),
        QStringLiteral("Resetting your rotation will erase any lesson data entered into lessons on or after: %1.  "
                       "This cannot be undone.")
            .arg(m_day->longDateString()),
        QStringLiteral("Adjust"), QStringLiteral("Cancel"), QString() });
    if (answer != AlertDefaultReturn)
        return Outcome::Cancelled;
    if (!m_day->year()->restartRotation(m_day, m_chosenType)) {
        m_alerts.runModal({ QStringLiteral("Can't Restart Rotation"),
            QStringLiteral("Semestra was unable to find non-custom days matching each type of day in your rotation"),
            QStringLiteral("Ok"), QString(), QString() });
        return Outcome::Refused;
    }
    NotificationCenter::defaultCenter().post(PlanningNotifications::planningModesNeedRefresh, m_day);
    return Outcome::Restarted;
}
