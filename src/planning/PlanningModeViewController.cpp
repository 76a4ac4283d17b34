#include "planning/PlanningModeViewController.h"

#include "foundation/dates/Clock.h"
#include "foundation/dates/LocalCalendar.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/Week.h"
#include "model/Year.h"
#include "planning/PlanningNotifications.h"

#include <algorithm>
#include <utility>

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
    // Days are cancelled or converted and courses removed under these.
    for (const QString& name : { PlanningNotifications::planningModesNeedRefresh,
             ModelNotifications::refreshPlanningModes, PlanningNotifications::courseAdded })
        m_observers.observe(name, scope, [this](const Notification&) { followDeletedLesson(); });
}

void PlanningModeViewController::start()
{
    m_currentDay = m_year.getDayWithDate(Clock::now());
    if (!m_currentDay)
        return;
    m_mode = WeekMode;
    viewChanged();
    selectFirstLessonOfCurrentDay();
}

Week* PlanningModeViewController::shownWeek() const
{
    return m_currentDay ? m_currentDay->week() : nullptr;
}

Date PlanningModeViewController::shownMonth() const
{
    return m_currentDay ? m_currentDay->actualDate() : Date();
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

Lesson* PlanningModeViewController::neighbouringLesson(Step step) const
{
    if (!m_currentDay)
        return nullptr;
    Lesson* lesson = currentLesson();
    if (!lesson || !lesson->dayTaught()) {
        const QList<Lesson*> drawn = m_currentDay->lessonsToDrawInOrder();
        return drawn.isEmpty() ? nullptr : drawn.first();
    }
    const QList<Lesson*> drawn = lesson->dayTaught()->lessonsToDrawInOrder();
    const qsizetype place = std::max<qsizetype>(0, drawn.indexOf(lesson));
    switch (step) {
    case Step::PreviousCourse:
        return drawn.value(place - 1);
    case Step::NextCourse:
        return drawn.value(place + 1);
    case Step::PreviousDay:
        return lessonOnNeighbouringDay(*lesson, place, -1);
    case Step::NextDay:
        return lessonOnNeighbouringDay(*lesson, place, +1);
    }
    return nullptr;
}

// Days without lessons to show (weekends of a rotating year, holidays) are
// stepped over, so that one key press always reaches a lesson.
Lesson* PlanningModeViewController::lessonOnNeighbouringDay(const Lesson& lesson, qsizetype place, int direction) const
{
    const Day* day = lesson.dayTaught();
    for (;;) {
        Day* next = direction > 0 ? m_year.getDayAfter(day) : m_year.getDayBefore(day);
        if (!next || next == day)
            return nullptr;
        day = next;
        const QList<Lesson*> drawn = day->lessonsToDrawInOrder();
        if (drawn.isEmpty())
            continue;
        const auto sameCourse = std::find_if(
            drawn.begin(), drawn.end(), [&lesson](const Lesson* other) { return other->course() == lesson.course(); });
        return sameCourse != drawn.end() ? *sameCourse : drawn.at(std::min(place, drawn.size() - 1));
    }
}

void PlanningModeViewController::selectNeighbouringLesson(Step step)
{
    if (Lesson* lesson = neighbouringLesson(step))
        post(PlanningNotifications::lessonClicked, lesson);
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
    Day* next = m_currentDay ? neighbour(step) : nullptr;
    if (!next)
        return;
    m_currentDay = next;
    viewChanged();
}

bool PlanningModeViewController::canGo(int step) const
{
    if (!m_currentDay)
        return false;
    const Day* next = neighbour(step);
    return next && next != m_currentDay;
}

Day* PlanningModeViewController::neighbour(int step) const
{
    switch (m_mode) {
    case DayMode:
        return step > 0 ? m_year.getDayAfter(m_currentDay) : m_year.getDayBefore(m_currentDay);
    case WeekMode:
        return dayInNeighbourWeek(step);
    case MonthMode:
        return dayInNeighbourMonth(step);
    }
    return nullptr;
}

Day* PlanningModeViewController::dayInNeighbourWeek(int step) const
{
    Week* week = m_currentDay->week();
    if (!week)
        return nullptr;
    // Week numbers are looked up with an offset of one: k + 2 names the week
    // after week k and k the one before it; either end holds.
    const int number = week->weekNumber();
    Week* next = m_year.getWeekWithWeekNumber(step > 0 ? number + 2 : number);
    if (!next || next == week)
        return m_currentDay;
    const QList<Day*> days = next->daysInOrder();
    const int weekday = LocalCalendar::weekday(m_currentDay->actualDate());
    for (Day* day : days) {
        if (LocalCalendar::weekday(day->actualDate()) == weekday)
            return day;
    }
    return days.isEmpty() ? nullptr : days.first();
}

Day* PlanningModeViewController::dayInNeighbourMonth(int step) const
{
    // A shorter month pins the date to its last day; a date without a school
    // day gives the next one in the month, else the last before it.
    const Date target = LocalCalendar::addingMonths(m_currentDay->actualDate(), step);
    const Date first = target.firstDayOfMonth();
    const QList<Day*> days = m_year.getDaysAfterDate(first, first.firstDayOfNextMonth().addingSeconds(-1));
    for (Day* day : days) {
        if (day->actualDate() >= target)
            return day;
    }
    return days.isEmpty() ? nullptr : days.last();
}

void PlanningModeViewController::setCurrentDay(Day* day)
{
    if (!day)
        return;
    const Day* shown = std::exchange(m_currentDay, day);
    if (!shown || !showsSamePlace(*shown, *day))
        viewChanged();
}

bool PlanningModeViewController::showsSamePlace(const Day& shown, const Day& day) const
{
    switch (m_mode) {
    case DayMode:
        return &shown == &day;
    case WeekMode:
        return shown.week() == day.week();
    case MonthMode:
        return shown.actualDate().isSameMonthAsDate(day.actualDate());
    }
    return false;
}

void PlanningModeViewController::calendarDaySelected(Day* day)
{
    m_currentDay = day;
    viewChanged();
}

void PlanningModeViewController::lessonSelected(Lesson* lesson)
{
    m_currentLesson.set(lesson);
    setCurrentDay(lesson->dayTaught());
    m_sidePanel = SidePanel::LessonEditor;
    selectionChanged();
}

void PlanningModeViewController::lessonSettingsSelected(Lesson* lesson)
{
    m_currentLesson.set(lesson);
    setCurrentDay(lesson->dayTaught());
    m_sidePanel = SidePanel::LessonSettings;
    selectionChanged();
}

void PlanningModeViewController::dayWithLessonsDaySettingsSelected(Day* day)
{
    setCurrentDay(day);
    if (!currentLesson() || currentLesson()->dayTaught() != day) {
        const QList<Lesson*> drawn = day->allLessonsToDraw();
        m_currentLesson.set(drawn.isEmpty() ? nullptr : drawn.first());
    }
    m_sidePanel = SidePanel::LessonSettings;
    selectionChanged();
}

void PlanningModeViewController::daySettingsSelected(Day* day)
{
    setCurrentDay(day);
    m_sidePanel = SidePanel::NonSchoolSettings;
    selectionChanged();
}

void PlanningModeViewController::dayWithNoLessonsSelected(Day* day)
{
    setCurrentDay(day);
    m_sidePanel = SidePanel::NoLessonsSettings;
    selectionChanged();
}

void PlanningModeViewController::lessonSelectedFromSearch(Lesson* lesson)
{
    m_currentLesson.set(lesson);
    m_sidePanel = SidePanel::LessonEditor;
    setCurrentDay(lesson->dayTaught());
    selectionChanged();
    post(PlanningNotifications::lessonClicked, lesson);
}

void PlanningModeViewController::followDeletedLesson()
{
    if (!m_currentLesson.replaceIfDeleted())
        return;
    if (Lesson* replacement = m_currentLesson.lesson()) {
        post(m_sidePanel == SidePanel::LessonSettings ? PlanningNotifications::lessonSettingsClicked
                                                      : PlanningNotifications::lessonClicked,
            replacement);
        return;
    }
    selectionChanged();
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
