#pragma once

#include "foundation/dates/Date.h"
#include "foundation/notify/ObserverBag.h"
#include "planning/ShownLesson.h"

#include <functional>

class Day;
class Lesson;
class Week;
class Year;

// The state behind the planning area of one document window: which of the
// day, week and month views shows, the current day and lesson, and which side
// panel follows the selection. There is one current day and every view is
// centred on it (the day itself, its week, its month), so that switching
// views never shows another place. It listens to the selection notifications
// of its own document only, and tells the window what changed through two
// callbacks, so that it runs without widgets.
class PlanningModeViewController {
public:
    // The segment tags of the day/week/month control.
    enum Mode { DayMode = 0, WeekMode = 1, MonthMode = 2 };
    enum class SidePanel { LessonEditor, LessonSettings, NonSchoolSettings, NoLessonsSettings };
    // Where the arrow keys move the selection: to the same course's lesson on
    // the nearest day before or after that has lessons to show, or to the
    // lesson above or below on the same day.
    enum class Step { PreviousDay, NextDay, PreviousCourse, NextCourse };

    explicit PlanningModeViewController(Year& year);
    PlanningModeViewController(const PlanningModeViewController&) = delete;
    PlanningModeViewController& operator=(const PlanningModeViewController&) = delete;

    Year& year() const { return m_year; }
    Day* currentDay() const { return m_currentDay; }
    Lesson* currentLesson() const { return m_currentLesson.lesson(); }
    Mode selectedView() const { return m_mode; }
    SidePanel sidePanel() const { return m_sidePanel; }
    // The current day's week and month, as the week and month views show them.
    Week* shownWeek() const;
    // Any instant of the month the month view shows.
    Date shownMonth() const;

    // Called when the view shows another mode or period, and when the current
    // day, lesson or side panel changed.
    void setViewChangedHandler(std::function<void()> handler) { m_viewChanged = std::move(handler); }
    void setSelectionChangedHandler(std::function<void()> handler) { m_selectionChanged = std::move(handler); }

    // Centres every view on the year's day for today, in the week view, and
    // selects the day's first drawn lesson (or reports a day without lessons).
    void start();

    // 0, 1 or 2; anything else is ignored.
    void setToMode(int mode);
    // One day, week or month on; the current day moves to the same weekday
    // of the next week, or the same date of the next month (the nearest day
    // of the year in that month).
    void goForward();
    void goBackward();
    // Whether a step would reach another day, week or a month that still
    // holds days of the year.
    bool canGoForward() const;
    bool canGoBackward() const;

    // Moves every view to the day (a calendar pick or a go-to).
    void calendarDaySelected(Day* day);

    // The lesson one step away from the current one (from the current day's
    // first lesson when none is current); none at either end. On a day where
    // the course does not meet, the lesson at the same place is taken.
    Lesson* neighbouringLesson(Step step) const;
    // Selects it as a click on it would, so that every view follows.
    void selectNeighbouringLesson(Step step);

    // The selection handlers.
    void lessonSelected(Lesson* lesson);
    void lessonSettingsSelected(Lesson* lesson);
    void dayWithLessonsDaySettingsSelected(Day* day);
    void daySettingsSelected(Day* day);
    void dayWithNoLessonsSelected(Day* day);
    void lessonSelectedFromSearch(Lesson* lesson);

private:
    void observeDocument();
    void selectFirstLessonOfCurrentDay();
    Lesson* lessonOnNeighbouringDay(const Lesson& lesson, qsizetype place, int direction) const;
    // A current lesson deleted under the views gives way to the nearest
    // lesson of its course, selected as if clicked; with the course gone no
    // lesson is current.
    void followDeletedLesson();
    // One step forward (+1) or back (-1) in the shown mode.
    void go(int step);
    bool canGo(int step) const;
    // Where one step in the shown mode leads; the current day itself at
    // either end of the year, none where the step finds no day.
    Day* neighbour(int step) const;
    Day* dayInNeighbourWeek(int step) const;
    Day* dayInNeighbourMonth(int step) const;
    // Makes the day current; when it lies outside the shown day, week or
    // month, the view moves with it.
    void setCurrentDay(Day* day);
    bool showsSamePlace(const Day& shown, const Day& day) const;
    void viewChanged() const;
    void selectionChanged() const;

    Year& m_year;
    Day* m_currentDay = nullptr;
    ShownLesson m_currentLesson;
    Mode m_mode = WeekMode;
    SidePanel m_sidePanel = SidePanel::LessonEditor;
    std::function<void()> m_viewChanged;
    std::function<void()> m_selectionChanged;
    ObserverBag m_observers;
};
