#pragma once

#include <QHash>
#include <QKeySequence>
#include <QObject>

class FontSizeSlider;
class PlanningArea;
class QAction;
class QActionGroup;
class QMenu;
class QToolBar;
class ShownSelection;

// The View menu's and the toolbar's commands for the planning mode: the
// day/week/month segments, back and forward, going to a date, the display
// toggles with their check marks, and showing all or no courses. They act on
// the window's planning area and are disabled while there is none (a new
// document before its year is built). The modes, back and forward and going
// to a date move the planning views, so under editing mode or a report the
// planning views come back in front first (the window sees to it for dates).
class PlanningActions : public QObject {
    Q_OBJECT
public:
    explicit PlanningActions(const ShownSelection& shown, QObject* parent = nullptr);

    void addToMenu(QMenu* menu);
    // The toolbar also gets the font-size slider.
    void addToToolBar(QToolBar* toolBar);
    // Enables and checks every action from the planning state and preferences.
    void updateStates();

    QAction* modeAction(int mode) const;
    QAction* backAction() const { return m_back; }
    QAction* forwardAction() const { return m_forward; }
    QAction* todayAction() const { return m_today; }
    QAction* selectDateAction() const { return m_selectDate; }
    QAction* toggleAction(const QString& preferenceKey) const { return m_toggles.value(preferenceKey); }
    QAction* monthShowsTitlesAction() const { return m_monthTitles; }
    QAction* monthShowsCourseNamesAction() const { return m_monthCourseNames; }
    QAction* showAllCoursesAction() const { return m_showAll; }
    QAction* showNoCoursesAction() const { return m_showNone; }
    // Once the toolbar has it.
    FontSizeSlider* fontSizeSlider() const { return m_fontSize; }

signals:
    void gotoTodayRequested();
    void selectDateRequested();
    // The planning views are about to move and must be in front; whoever
    // handles this brings them back at once.
    void planningModeRequested();

private:
    QAction* makeAction(const QString& text, const QKeySequence& shortcut = {});
    void createModeActions();
    void createToggleActions();
    void setMonthShowsCourseNames(bool courseNames);
    PlanningArea* area() const;
    // The planning area, brought back in front first when it is hidden.
    PlanningArea* shownArea();

    const ShownSelection& m_shown;
    QActionGroup* m_modes = nullptr;
    QList<QAction*> m_modeActions;
    QAction* m_back = nullptr;
    QAction* m_forward = nullptr;
    QAction* m_today = nullptr;
    QAction* m_selectDate = nullptr;
    QHash<QString, QAction*> m_toggles;
    QAction* m_monthTitles = nullptr;
    QAction* m_monthCourseNames = nullptr;
    QAction* m_showAll = nullptr;
    QAction* m_showNone = nullptr;
    FontSizeSlider* m_fontSize = nullptr;
};
