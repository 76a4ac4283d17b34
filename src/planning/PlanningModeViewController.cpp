#include "planning/PlanningModeViewController.h"

#include "foundation/dates/Clock.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/Week.h"
#include "model/Year.h"
#include "planning/PlanningNotifications.h"

namespace {

void post(const QString& name, NotificationSource* object)
{
    NotificationCenter::defaultCenter().post(name, object);
}

} // namespace

PlanningModeViewController::PlanningModeViewController(Year& year)
    : m_year(year)
{
    observeDocument();
}

void PlanningModeViewController::observeDocument()
{
    // A notification without an object of this document never reaches these
    // handlers; one without any object carries nothing to select.
    auto onLesson = [this](void (PlanningModeViewController::*handler)(Lesson*)) {
        return [this, handler](const Notification& note) {
            if (auto* lesson = note.objectAs<Lesson>())
                (this->*handler)(lesson);
        };
    };
    auto onDay = [this](void (PlanningModeViewController::*handler)(Day*)) {
        return [this, handler](const Notification& note) {
            if (auto* day = note.objectAs<Day>())
                (this->*handler)(day);
        };
    };
    const void* scope = &m_year.context();
    m_observers.observe(
        PlanningNotifications::lessonClicked, scope, onLesson(&PlanningModeViewController::lessonSelected));
    m_observers.observe(PlanningNotifications::lessonSettingsClicked, scope,
        onLesson(&PlanningModeViewController::lessonSettingsSelected));
    m_observers.observe(PlanningNotifications::lessonSelectedFromSearch, scope,
        onLesson(&PlanningModeViewController::lessonSelectedFromSearch));
    m_observers.observe(PlanningNotifications::switchToDayTools, scope,
        onDay(&PlanningModeViewController::dayWithLessonsDaySettingsSelected));
    m_observers.observe(PlanningNotifications::nonSchoolSettingsClicked, scope,
        onDay(&PlanningModeViewController::daySettingsSelected));
    m_observers.observe(
        PlanningNotifications::noLessonsClicked, scope, onDay(&PlanningModeViewController::dayWithNoLessonsSelected));
    m_observers.observe(
        PlanningNotifications::calendarDaySelected, scope, onDay(&PlanningModeViewController::calendarDaySelected));
}

void PlanningModeViewController::start()
{
    m_currentDay = m_year.getDayWithDate(Clock::now());
    if (!m_currentDay)
        return;
    m_shownWeek = m_currentDay->week();
    m_shownMonth = m_currentDay->actualDate();
    m_mode = WeekMode;
    viewChanged();
    selectFirstLessonOfCurrentDay();
}

void PlanningModeViewController::selectFirstLessonOfCurrentDay()
{
    if (m_currentDay->isNonSchoolDay())
        return;
    const QList<Lesson*> drawn = m_currentDay->lessonsToDrawInOrder();
    if (!drawn.isEmpty())
        post(PlanningNotifications::lessonClicked, drawn.first());
    else if (m_currentDay->lessonsInOrder().isEmpty())
        post(PlanningNotifications::noLessonsClicked, m_currentDay);
}

void PlanningModeViewController::setToMode(int mode)
{
    if (mode < DayMode || mode > MonthMode)
        return;
    m_mode = Mode(mode);
    viewChanged();
}

void PlanningModeViewController::goForward()
{
    go(+1);
}

void PlanningModeViewController::goBackward()
{
    go(-1);
}

bool PlanningModeViewController::canGoForward() const
{
    return canGo(+1);
}

bool PlanningModeViewController::canGoBackward() const
{
    return canGo(-1);
}

void PlanningModeViewController::go(int step)
{
    if (!m_currentDay)
        return;
    switch (m_mode) {
    case DayMode:
        m_currentDay = neighbourDay(step);
        break;
    case WeekMode:
        m_shownWeek = neighbourWeek(step);
        break;
    case MonthMode:
        m_shownMonth = neighbourMonth(step);
        break;
    }
    viewChanged();
}

bool PlanningModeViewController::canGo(int step) const
{
    if (m_reportShowing || !m_currentDay)
        return false;
    switch (m_mode) {
    case DayMode:
        return neighbourDay(step) != m_currentDay;
    case WeekMode:
        return neighbourWeek(step) != m_shownWeek;
    case MonthMode:
        return monthHoldsDays(neighbourMonth(step));
    }
    return false;
}

Day* PlanningModeViewController::neighbourDay(int step) const
{
    return step > 0 ? m_year.getDayAfter(m_currentDay) : m_year.getDayBefore(m_currentDay);
}

Week* PlanningModeViewController::neighbourWeek(int step) const
{
    // Week numbers are looked up with an offset of one: k + 2 names the week
    // after week k and k the one before it; either end holds.
    const int number = m_shownWeek->weekNumber();
    return m_year.getWeekWithWeekNumber(step > 0 ? number + 2 : number);
}

Date PlanningModeViewController::neighbourMonth(int step) const
{
    return step > 0 ? m_shownMonth.firstDayOfNextMonth() : m_shownMonth.firstDayOfLastMonth();
}

bool PlanningModeViewController::monthHoldsDays(Date anyDayOfMonth) const
{
    const Date first = anyDayOfMonth.firstDayOfMonth();
    const Date last = first.firstDayOfNextMonth();
    const Day* firstDay = m_year.getFirstDay();
    const Day* lastDay = m_year.getLastDay();
    return firstDay && lastDay && firstDay->actualDate() < last && lastDay->actualDate() >= first;
}

void PlanningModeViewController::showInViews(Day* day)
{
    m_currentDay = day;
    m_shownWeek = day->week();
    m_shownMonth = day->actualDate();
}

void PlanningModeViewController::calendarDaySelected(Day* day)
{
    showInViews(day);
    viewChanged();
}

void PlanningModeViewController::lessonSelected(Lesson* lesson)
{
    m_currentDay = lesson->dayTaught();
    m_currentLesson = lesson;
    m_sidePanel = SidePanel::LessonEditor;
    selectionChanged();
}

void PlanningModeViewController::lessonSettingsSelected(Lesson* lesson)
{
    m_currentLesson = lesson;
    m_currentDay = lesson->dayTaught();
    m_sidePanel = SidePanel::LessonSettings;
    selectionChanged();
}

void PlanningModeViewController::dayWithLessonsDaySettingsSelected(Day* day)
{
    m_currentDay = day;
    if (!m_currentLesson || m_currentLesson->dayTaught() != day) {
        const QList<Lesson*> drawn = day->allLessonsToDraw();
        m_currentLesson = drawn.isEmpty() ? nullptr : drawn.first();
    }
    m_sidePanel = SidePanel::LessonSettings;
    selectionChanged();
}

void PlanningModeViewController::daySettingsSelected(Day* day)
{
    m_currentDay = day;
    m_sidePanel = SidePanel::NonSchoolSettings;
    selectionChanged();
}

void PlanningModeViewController::dayWithNoLessonsSelected(Day* day)
{
    m_currentDay = day;
    m_sidePanel = SidePanel::NoLessonsSettings;
    selectionChanged();
}

void PlanningModeViewController::lessonSelectedFromSearch(Lesson* lesson)
{
    Day* day = lesson->dayTaught();
    m_currentLesson = lesson;
    m_sidePanel = SidePanel::LessonEditor;
    if (day)
        showInViews(day);
    viewChanged();
    selectionChanged();
    post(PlanningNotifications::lessonClicked, lesson);
}

void PlanningModeViewController::viewChanged() const
{
    if (m_viewChanged)
        m_viewChanged();
}

void PlanningModeViewController::selectionChanged() const
{
    if (m_selectionChanged)
        m_selectionChanged();
}
