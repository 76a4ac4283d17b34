#pragma once

#include <QObject>

class PlanningModeViewController;
class QKeyEvent;
class QWidget;
class SidePanel;

// The keys of the day, week and month views: the arrows move the selected
// lesson to the neighbouring day (Left, Right) or course (Up, Down), and
// Return or Enter opens it in the side panel with the keyboard in its
// first field. The views take the keyboard focus, so that Tab reaches them
// and the arrows do not scroll instead.
class LessonKeys : public QObject {
public:
    LessonKeys(PlanningModeViewController& controller, SidePanel& sidePanel, QObject* parent = nullptr);

    // Takes the keys of a view, which screen readers will call `name`.
    void watch(QWidget* view, const QString& name);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool handle(const QKeyEvent& key);
    void openInSidePanel();

    PlanningModeViewController& m_controller;
    SidePanel& m_sidePanel;
};
