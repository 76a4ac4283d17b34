#include "schedule/ExtendHolidayController.h"

#include "foundation/alerts/AlertPresenter.h"
#include "foundation/notify/NotificationCenter.h"
#include "model/Day.h"
#include "model/Year.h"
#include "planning/PlanningNotifications.h"

#include <algorithm>

ExtendHolidayController::ExtendHolidayController(AlertPresenter& alerts)
    : m_alerts(alerts)
{ }

// The next calendar day, not the date 86400 seconds on: across the autumn
// clock change that is still the same date.
void ExtendHolidayController::setDay(Day* day)
{
    m_day = day;
    if (day)
        m_chosenDate = std::clamp(day->actualDate().nextDay(), earliestDate(), latestDate());
}

Date ExtendHolidayController::earliestDate() const
{
    return m_day ? m_day->actualDate() : Date();
}

Date ExtendHolidayController::latestDate() const
{
    return m_day && m_day->year() ? std::max(m_day->year()->endDate(), earliestDate()) : earliestDate();
}

QString ExtendHolidayController::label() const
{
    if (!m_day)
        return {};
    return QStringLiteral("You have selected to extend the non-school day that you entered on %1.  Semestra will "
                          "apply the same settings that you chose when canceling school to the dates up to and "
                          "including the date you select.")
        .arg(m_day->mediumDateString());
}

void ExtendHolidayController::extendPressed()
{
    if (!m_day)
        return;
    ExistingLessons choice = ExistingLessons::Bump;
    if (asksAboutLessons(*m_day)) {
        const int answer = m_alerts.runModal({ QStringLiteral("Delete or Bump current lessons?"),
            QStringLiteral("Would you like to delete or bump the lessons that currently exist on the non-school days "
                           "you are making?"),
            QStringLiteral("Bump"), QString(), QStringLiteral("Delete") });
        choice = answer == AlertDefaultReturn ? ExistingLessons::Bump : ExistingLessons::Delete;
    }
    extend(*m_day, m_chosenDate, choice);
    NotificationCenter::defaultCenter().post(PlanningNotifications::planningModesNeedRefresh, m_day);
}

bool ExtendHolidayController::asksAboutLessons(const Day& day)
{
    return day.year()->isNonRotating() || day.isCancelled();
}

void ExtendHolidayController::extend(Day& day, Date lastDate, ExistingLessons existingLessons)
{
    Year& year = *day.year();
    const bool bump = asksAboutLessons(day) && existingLessons == ExistingLessons::Bump;
    // Only a rotation slides on a holiday; a year that does not rotate (whose
    // holidays come from exchange files) cancels the days, bumping once.
    const bool slides = day.isHoliday() && !year.isNonRotating();
    for (Day* other : year.getDaysAfterDate(day.actualDate(), lastDate.elevenFiftyNineDate())) {
        if (other->isNonSchoolDay())
            continue;
        if (bump)
            year.bumpAllLessonsOnDay(other);
        if (slides)
            other->turnIntoHoliday();
        else
            other->turnIntoCancelledDay();
        other->setValue(u"holidayName", day.holidayName());
    }
}
