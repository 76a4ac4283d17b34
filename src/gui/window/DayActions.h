#pragma once

#include "foundation/notify/ObserverBag.h"

#include <QObject>

#include <memory>

class AddCourseToSingleDayController;
class AddCourseToSingleDaySheet;
class AlertPresenter;
class CustomDayController;
class CustomDaySheet;
class Day;
class DaySettingsPanel;
class ExtendHolidayController;
class ExtendHolidaySheet;
class Lesson;
class LessonSettingsPanel;
class MakeNonSchoolDayController;
class MakeNonSchoolDaySheet;
class NonSchoolSettingsPanel;
class QAction;
class QMenu;
class RestartRotationController;
class RestartRotationSheet;
class ShownSelection;

// The Day menu and the day commands of the side panels: non-school days,
// converting a day, custom days, adding a course to a day, adding weeks and
// restarting the rotation. Each sheet is made on first use and kept. The
// menu's commands act on the day on show (the day of the lesson on show) and
// are enabled only when they can act on it; they follow every change of
// what shows. A panel's commands act on the panel's own day.
class DayActions : public QObject {
    Q_OBJECT
public:
    DayActions(AlertPresenter& alerts, const ShownSelection& shown, QWidget* window);
    ~DayActions() override;

    // Answers the requests of the year's panels to make a day non-school,
    // once the window shows a year.
    void observeYear();
    QMenu* createMenu(QWidget* parent);
    // Wires the side panel's day tools to the sheets.
    void connectPanels(NonSchoolSettingsPanel* nonSchool, DaySettingsPanel* daySettings, DaySettingsPanel* noLessons);
    void connectDayPanel(DaySettingsPanel* panel);
    // The lesson settings panel's "Remove Lesson from Day…" acts on its own lesson.
    void connectLessonPanel(LessonSettingsPanel* panel);
    void updateStates();

    QMenu* convertMenu() const { return m_convertMenu; }
    QAction* makeNonSchoolAction() const { return m_makeNonSchool; }
    QAction* makeCustomDayAction() const { return m_makeCustomDay; }
    QAction* addCourseAction() const { return m_addCourse; }
    QAction* insertWeekAction() const { return m_insertWeek; }
    QAction* extendYearAction() const { return m_extendYear; }
    QAction* restartRotationAction() const { return m_restartRotation; }
    QAction* removeLessonAction() const { return m_removeLesson; }

    // The document's answer to "SemestraMakeNonSchoolDay".
    void makeNonSchoolDay(Day* day);
    void makeCustomDay(Day* day);
    void addCourse(Day* day);
    void restoreNonSchoolDay(Day* day);
    void extendNonSchoolDay(Day* day);
    void restartRotation(Day* day);
    // Takes the lesson's course off its day, after asking.
    void removeLesson(Lesson* lesson);

    // The sheets, once shown.
    MakeNonSchoolDaySheet* makeNonSchoolDaySheet() const { return m_makeNonSchoolSheet; }
    CustomDaySheet* customDaySheet() const { return m_customDaySheet; }
    AddCourseToSingleDaySheet* addCourseSheet() const { return m_addCourseSheet; }
    ExtendHolidaySheet* extendHolidaySheet() const { return m_extendSheet; }
    RestartRotationSheet* restartRotationSheet() const { return m_restartSheet; }

private:
    Day* shownDay() const;
    void rebuildConvertMenu();
    void convertChosen(QAction* item);
    void removeShownLesson();
    void insertWeek();
    void extendYear();

    AlertPresenter& m_alerts;
    const ShownSelection& m_shown;
    QWidget* m_window;
    ObserverBag m_observers;
    std::unique_ptr<MakeNonSchoolDayController> m_nonSchoolController;
    std::unique_ptr<CustomDayController> m_customDayController;
    std::unique_ptr<AddCourseToSingleDayController> m_addCourseController;
    std::unique_ptr<ExtendHolidayController> m_extendController;
    std::unique_ptr<RestartRotationController> m_restartController;
    MakeNonSchoolDaySheet* m_makeNonSchoolSheet = nullptr;
    CustomDaySheet* m_customDaySheet = nullptr;
    AddCourseToSingleDaySheet* m_addCourseSheet = nullptr;
    ExtendHolidaySheet* m_extendSheet = nullptr;
    RestartRotationSheet* m_restartSheet = nullptr;
    QMenu* m_convertMenu = nullptr;
    QAction* m_makeNonSchool = nullptr;
    QAction* m_makeCustomDay = nullptr;
    QAction* m_addCourse = nullptr;
    QAction* m_insertWeek = nullptr;
    QAction* m_extendYear = nullptr;
    QAction* m_restartRotation = nullptr;
    QAction* m_removeLesson = nullptr;
};
