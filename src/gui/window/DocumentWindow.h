#pragma once

#include "foundation/notify/ObserverBag.h"
#include "gui/alerts/MessageBoxAlertPresenter.h"
#include "gui/dialogs/FileDialogChooser.h"

#include <QMainWindow>

#include <memory>

class Day;
class DayActions;
class EditActions;
class HelpActions;
class Year;
class Document;
class NewYearSheet;
class PlanningActions;
class PlanningArea;
class PublishActions;
class QProgressBar;
class QScreen;
class QTimer;

// The window of one open document, titled after it. Until the document has
// its year the window is empty and offers the new-year wizard; then it shows
// the planning area, or editing mode for one lesson's course.
class CalendarPicker;
class CalendarSyncActions;
class SemestraConnectActions;
class CourseActions;
class CourseExchangeActions;
class LessonActions;
class LessonBoxCommands;
class StandardsActions;
class CourseSourceList;
class EditingModeView;
class Lesson;
class LessonSettingsPanel;
class QStackedWidget;
class ReportActions;
class ShownSelection;

class DocumentWindow : public QMainWindow {
    Q_OBJECT
public:
    // A window with a new, untitled document.
    explicit DocumentWindow(QWidget* parent = nullptr);
    // The same, asking the user through the given presenters instead of
    // message boxes and file dialogs (scripted ones in tests). They must
    // outlive the window.
    DocumentWindow(AlertPresenter& alerts, FileChooser& files, QWidget* parent = nullptr);
    ~DocumentWindow() override;

    // Opens the file into this window's document; a file that cannot be
    // opened is reported and the document stays as it was. A file another
    // copy of the planner holds opens read-only, and the teacher is told.
    bool openFile(const QString& path);

    // For a document without a year: shows the new-year wizard over this
    // window. Closing the wizard closes the window and its document. None when
    // the document already has its year.
    NewYearSheet* showNewYearSheet();
    // The same a moment later, once the teacher has seen the window.
    void offerNewYearSheet();
    // Imports an exchange file of the Windows edition, chosen by the teacher,
    // into this window's new document. False when nothing was imported (the
    // window is then to be closed).
    bool importWindowsFile();
    // The wizard while it shows.
    NewYearSheet* newYearSheet() const;

    // A command of the application rather than of this document (New, Open,
    // Quit). It works from the window and from a new-year wizard shown over
    // it afterwards, which otherwise keeps every key away from the window.
    void addApplicationCommand(QAction* action);

    // The size a window first opens at: most of the screen, and never less
    // than a school week needs beside the calendar and the side panel.
    static QSize firstSize(const QScreen* screen);

    Document& document() { return *m_document; }
    AlertPresenter& alerts() { return m_alerts; }
    PlanningArea* planningArea() const { return m_planningArea; }
    // Editing mode while it is open (perhaps under a report), else none.
    EditingModeView* editingModeView() const;
    // What the teacher sees, which the commands act on.
    ShownSelection& shownSelection() const { return *m_shown; }
    QAction* editingModeAction() const { return m_editingModeAction; }
    CalendarPicker* calendarPicker() const { return m_calendarPicker; }
    CourseSourceList* courseList() const { return m_courseList; }
    EditActions& editActions() const { return *m_editActions; }
    PlanningActions& planningActions() const { return *m_planningActions; }
    DayActions& dayActions() const { return *m_dayActions; }
    CourseActions& courseActions() const { return *m_courseActions; }
    CourseExchangeActions& courseExchangeActions() const { return *m_courseExchangeActions; }
    LessonActions& lessonActions() const { return *m_lessonActions; }
    LessonBoxCommands& lessonBoxCommands() const { return *m_lessonBoxCommands; }
    StandardsActions& standardsActions() const { return *m_standardsActions; }
    ReportActions& reportActions() const { return *m_reportActions; }
    PublishActions& publishActions() const { return *m_publishActions; }
    CalendarSyncActions& calendarSyncActions() const { return *m_calendarSyncActions; }
    SemestraConnectActions& connectActions() const { return *m_connectActions; }
    HelpActions& helpActions() const { return *m_helpActions; }
    // The planning area, editing mode and reports take turns in it, as the
    // shown selection says; none until the document has its year.
    QStackedWidget* modes() const { return m_modes; }
    // For long operations: hidden until one reports its progress.
    QProgressBar* progressIndicator() const { return m_progress; }
    FileChooser& files() { return m_files; }

    // "Untitled" for a new document, else the file's name without its folder.
    static QString titleForPath(const QString& filePath);
    // Titles the window after the document's file, marked while it has unsaved changes.
    void updateTitle();

signals:
    // The teacher chose Quit in the new-year wizard.
    void quitRequested();

private:
    DocumentWindow(AlertPresenter* alerts, FileChooser* files, QWidget* parent);

    void createMenusAndToolBar();
    void createStatusLine();
    // Puts the year in front of the teacher once the document has one.
    void setupWindow();
    QWidget* createNavigationColumn(Year& year);
    void connectLessonPanel(LessonSettingsPanel* panel);
    void observeDocument();
    // The calendar picker follows the planning views' current day.
    void showCurrentDayInPicker();
    void placeViewInTabOrder();
    void gotoDay(Day* day);
    void gotoToday();
    void selectDate();
    // A report in front gives way to editing mode.
    void enterEditingMode(Lesson* lesson);
    void returnToPlanningMode();
    // Closes a report and editing mode, whichever is in front of the planning views.
    void showPlanningMode();
    void showUnsavedChanges();
    void toggleEditingMode();
    // Shows the mode the shown selection names.
    void showMode();
    void updateEditingModeAction();

    MessageBoxAlertPresenter m_messageBoxes;
    FileDialogChooser m_fileDialogs;
    AlertPresenter& m_alerts;
    FileChooser& m_files;
    std::unique_ptr<Document> m_document;
    ShownSelection* m_shown = nullptr;
    EditActions* m_editActions = nullptr;
    PlanningActions* m_planningActions = nullptr;
    DayActions* m_dayActions = nullptr;
    CourseActions* m_courseActions = nullptr;
    CourseExchangeActions* m_courseExchangeActions = nullptr;
    LessonActions* m_lessonActions = nullptr;
    std::unique_ptr<LessonBoxCommands> m_lessonBoxCommands;
    StandardsActions* m_standardsActions = nullptr;
    ReportActions* m_reportActions = nullptr;
    PublishActions* m_publishActions = nullptr;
    CalendarSyncActions* m_calendarSyncActions = nullptr;
    SemestraConnectActions* m_connectActions = nullptr;
    HelpActions* m_helpActions = nullptr;
    QStackedWidget* m_modes = nullptr;
    PlanningArea* m_planningArea = nullptr;
    CalendarPicker* m_calendarPicker = nullptr;
    CourseSourceList* m_courseList = nullptr;
    QAction* m_editingModeAction = nullptr;
    QProgressBar* m_progress = nullptr;
    QTimer* m_changesWatch = nullptr;
    QList<QAction*> m_applicationCommands;
    ObserverBag m_observers;
};
