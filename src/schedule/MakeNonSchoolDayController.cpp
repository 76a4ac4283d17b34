#include "schedule/MakeNonSchoolDayController.h"

#include "foundation/alerts/AlertPresenter.h"
#include "foundation/notify/NotificationCenter.h"
#include "model/Day.h"
#include "model/Year.h"
#include "planning/PlanningNotifications.h"

namespace {

// Posted only once the day has changed: a sheet cancelled before would leave
// a school day showing the panel of a non-school day.
void announce(Day& day)
{
    NotificationCenter& center = NotificationCenter::defaultCenter();
    center.post(PlanningNotifications::planningModesNeedRefresh, &day);
    center.post(PlanningNotifications::nonSchoolSettingsClicked, &day);
}

} // namespace

MakeNonSchoolDayController::MakeNonSchoolDayController(AlertPresenter& alerts)
    : m_alerts(alerts)
{ }

MakeNonSchoolDayController::Outcome MakeNonSchoolDayController::makeNonSchoolDay(Day& day)
{
    Year* year = day.year();
    if (!year || day.isNonSchoolDay())
        return Outcome::Done;
    if (!year->isNonRotating()) {
        m_day = &day;
        reset();
        return Outcome::ShowSheet;
    }
    ExistingLessons choice = ExistingLessons::Delete;
    if (day.containsLessonWithData()) {
        const int answer = m_alerts.runModal({ QStringLiteral("Bump or Delete Lessons"),
            QStringLiteral("Would you like to bump or delete the lessons that currently exist on this day?"),
            QStringLiteral("Bump"), QString(), QStringLiteral("Delete") });
        if (answer == AlertDefaultReturn)
            choice = ExistingLessons::Bump;
    }
    apply(day, Kind::Cancelled, choice);
    announce(day);
    return Outcome::Done;
}

void MakeNonSchoolDayController::confirmPressed()
{
    if (!m_day)
        return;
    Day& day = *m_day;
    apply(day, m_kind, m_existingLessons);
    reset();
    m_day = nullptr;
    announce(day);
}

void MakeNonSchoolDayController::cancelPressed()
{
    m_day = nullptr;
}

void MakeNonSchoolDayController::apply(Day& day, Kind kind, ExistingLessons existingLessons)
{
    if (kind == Kind::Holiday) {
        day.turnIntoHoliday();
        return;
    }
    if (existingLessons == ExistingLessons::Bump)
        day.year()->bumpAllLessonsOnDay(&day);
    else
        day.wipe();
    day.turnIntoCancelledDay();
}

void MakeNonSchoolDayController::reset()
{
    m_kind = Kind::Holiday;
    m_existingLessons = ExistingLessons::Bump;
}
