#pragma once

#include "foundation/notify/ObserverBag.h"
#include "planning/PlanningModeViewController.h"

#include <QWidget>

class AlertPresenter;
class DayView;
class LessonBoxHandler;
class LessonKeys;
class MonthView;
class QSplitter;
class QStackedWidget;
class SidePanel;
class WeekView;
class Year;

// The planning mode of a document window: the day, week or month view in the
// middle and the side panel that follows the selection. The controller holds
// the state; this widget shows it.
class PlanningArea : public QWidget {
    Q_OBJECT
public:
    PlanningArea(Year& year, AlertPresenter& alerts, QWidget* parent = nullptr);
    ~PlanningArea() override;

    PlanningModeViewController& controller() { return m_controller; }
    SidePanel* sidePanel() const { return m_sidePanel; }
    // The view showing now; the others are created the first time they show.
    QWidget* currentView() const;
    DayView* dayView() const { return m_dayView; }
    WeekView* weekView() const { return m_weekView; }
    MonthView* monthView() const { return m_monthView; }

    // Lesson boxes in every view, now and once created, take their drops and
    // context menus through the handler.
    void setLessonBoxHandler(LessonBoxHandler* handler);

    // Centres the views on today and selects its first lesson.
    void start();

protected:
    void resizeEvent(QResizeEvent* event) override;

signals:
    // The mode or the shown period changed: back/forward may have changed too.
    void viewChanged();
    // The current day, lesson or side panel changed.
    void selectionChanged();

private:
    void showView();
    void showSelection();
    QWidget* viewForMode(PlanningModeViewController::Mode mode);
    void placeSidePanel();
    // The width at which the week view shows all its days without scrolling
    // sideways.
    int weekWidthWithoutScrolling() const;

    Year& m_year;
    PlanningModeViewController m_controller;
    QSplitter* m_splitter = nullptr;
    QStackedWidget* m_views = nullptr;
    DayView* m_dayView = nullptr;
    WeekView* m_weekView = nullptr;
    MonthView* m_monthView = nullptr;
    SidePanel* m_sidePanel = nullptr;
    LessonKeys* m_keys = nullptr;
    LessonBoxHandler* m_boxHandler = nullptr;
    bool m_sidePanelPlaced = false;
};
