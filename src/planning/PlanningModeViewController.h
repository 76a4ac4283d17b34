#pragma once

#include "foundation/dates/Date.h"
#include "foundation/notify/ObserverBag.h"

#include <functional>

class Day;
class Lesson;
class Week;
class Year;

// The state behind the planning area of one document window: which of the
// day, week and month views shows, what each of them shows, the current day
// and lesson, and which side panel follows the selection. It listens to the
// selection notifications of its own document only, and tells the window
// what changed through two callbacks, so that it runs without widgets.
class PlanningModeViewController {
public:
    // The segment tags of the day/week/month control.
    enum Mode { DayMode = 0, WeekMode = 1, MonthMode = 2 };
    enum class SidePanel { LessonEditor, LessonSettings, NonSchoolSettings, NoLessonsSettings };

    explicit PlanningModeViewController(Year& year);
    PlanningModeViewController(const PlanningModeViewController&) = delete;
    PlanningModeViewController& operator=(const PlanningModeViewController&) = delete;

    Year& year() const { return m_year; }
    Day* currentDay() const { return m_currentDay; }
    Lesson* currentLesson() const { return m_currentLesson; }
    Mode selectedView() const { return m_mode; }
    SidePanel sidePanel() const { return m_sidePanel; }
    Week* shownWeek() const { return m_shownWeek; }
    // Any instant of the month the month view shows.
    Date shownMonth() const { return m_shownMonth; }

    // Called when the view shows another mode or period, and when the current
    // day, lesson or side panel changed.
    void setViewChangedHandler(std::function<void()> handler) { m_viewChanged = std::move(handler); }
    void setSelectionChangedHandler(std::function<void()> handler) { m_selectionChanged = std::move(handler); }

    // Centres every view on the year's day for today, in the week view, and
    // selects the day's first drawn lesson (or reports a day without lessons).
    void start();

    // 0, 1 or 2; anything else is ignored.
    void setToMode(int mode);
    void goForward();
    void goBackward();
    // Whether a step would reach another day, week or a month that still
    // holds days of the year. Both are false while a report shows.
    bool canGoForward() const;
    bool canGoBackward() const;
    void setReportShowing(bool showing) { m_reportShowing = showing; }
    bool isReportShowing() const { return m_reportShowing; }

    // Moves every view to the day (a calendar pick or a go-to).
    void calendarDaySelected(Day* day);

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
    // One step forward (+1) or back (-1) in the shown mode.
    void go(int step);
    bool canGo(int step) const;
    Day* neighbourDay(int step) const;
    Week* neighbourWeek(int step) const;
    Date neighbourMonth(int step) const;
    bool monthHoldsDays(Date anyDayOfMonth) const;
    void showInViews(Day* day);
    void viewChanged() const;
    void selectionChanged() const;

    Year& m_year;
    Day* m_currentDay = nullptr;
    Lesson* m_currentLesson = nullptr;
    Mode m_mode = WeekMode;
    SidePanel m_sidePanel = SidePanel::LessonEditor;
    Week* m_shownWeek = nullptr;
    Date m_shownMonth;
    bool m_reportShowing = false;
    std::function<void()> m_viewChanged;
    std::function<void()> m_selectionChanged;
    ObserverBag m_observers;
};
