#pragma once

#include "foundation/notify/ObserverBag.h"
#include "planning/LessonWatch.h"
#include "planning/ShownLesson.h"

#include <QWidget>

class AlertPresenter;
class AssignmentsPanel;
class AttachmentsTable;
class DaySettingsPanel;
class LessonStandardsPane;
class FieldEditorColumn;
class Lesson;
class LessonSettingsPanel;
class QLabel;
class QLineEdit;
class QListWidget;
class QStackedWidget;
class QTabBar;
class Year;

// Editing mode: every lesson of one course down the left, the chosen one's
// title and six fields in the middle, and on the right the tools (the
// lesson's settings or its day's), its assignments, standards and
// attachments, with the way back to planning. Picking a row posts the
// choice so that everything showing the document's selection follows it.
class EditingModeView : public QWidget {
    Q_OBJECT
public:
    // The tools segments, by tag.
    enum Tools { LessonTools = 0, DayTools = 1 };

    EditingModeView(Year& year, Lesson* lesson, AlertPresenter& alerts, QWidget* parent = nullptr);

    Lesson* lesson() const { return m_lesson.lesson(); }
    QListWidget* lessonList() const { return m_list; }
    QLineEdit* titleEdit() const { return m_title; }
    FieldEditorColumn* fields() const { return m_fields; }
    LessonSettingsPanel* lessonSettings() const { return m_settings; }
    // The day commands for the shown lesson's day; their owner shows the sheets.
    DaySettingsPanel* dayTools() const { return m_dayTools; }
    AttachmentsTable* attachments() const { return m_attachments; }
    AssignmentsPanel* assignments() const { return m_assignments; }
    QString heading() const;
    QString daySettingsText() const;
    void showTools(Tools tools);

signals:
    // Another lesson shows, or none.
    void lessonChanged();

private:
    QWidget* buildEditor();
    QWidget* buildToolsColumn(AlertPresenter& alerts);
    void observeDocument();
    void rebuildList();
    void showLesson(Lesson* lesson);
    // Shows the lesson's title unless the field already holds it, so that
    // typing into the field keeps its caret and undo.
    void showTitle();
    void refreshDaySettings();
    void refreshRow(const Lesson* lesson);
    void rowPicked(int row);
    void titleEdited(const QString& title);
    // A lesson deleted under the editor gives way to the nearest lesson of
    // its course; with the course gone the window returns to planning.
    void followDeletedLesson();
    QString rowText(const Lesson& lesson) const;

    Year& m_year;
    ShownLesson m_lesson;
    QList<Lesson*> m_lessons;
    QListWidget* m_list = nullptr;
    QLabel* m_heading = nullptr;
    QLineEdit* m_title = nullptr;
    FieldEditorColumn* m_fields = nullptr;
    QTabBar* m_toolsChoice = nullptr;
    QStackedWidget* m_tools = nullptr;
    LessonSettingsPanel* m_settings = nullptr;
    QLabel* m_daySettings = nullptr;
    DaySettingsPanel* m_dayTools = nullptr;
    LessonStandardsPane* m_standards = nullptr;
    AttachmentsTable* m_attachments = nullptr;
    AssignmentsPanel* m_assignments = nullptr;
    ObserverBag m_observers;
    LessonWatch m_watch;
};
