#pragma once

#include "content/AssignmentsController.h"
#include "gui/dialogs/FileDialogChooser.h"
#include "planning/LessonWatch.h"

#include <QWidget>

class AttachmentsTable;
class Lesson;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class RichTextArea;

// A lesson's assignments: the work given in it and due in it, each line as
// seen from the lesson; add and remove; and for the selected assignment its
// title, details (Return and Tab stay in the text), points, the lesson it
// is due in and its attachments. It follows work added, removed or changed
// elsewhere, leaving alone a field that already shows what is stored.
class AssignmentsPanel : public QWidget {
    Q_OBJECT
public:
    explicit AssignmentsPanel(QWidget* parent = nullptr);

    void setLesson(Lesson* lesson);
    AssignmentsController& controller() { return m_controller; }
    void selectRow(int row);

    QListWidget* list() const { return m_list; }
    QPushButton* addButton() const { return m_add; }
    QPushButton* removeButton() const { return m_remove; }
    QLineEdit* titleEdit() const { return m_title; }
    RichTextArea* detailsEdit() const { return m_details; }
    QSpinBox* pointsEdit() const { return m_points; }
    QComboBox* dueChoice() const { return m_due; }
    AttachmentsTable* attachments() const { return m_attachments; }

private:
    void reloadList();
    // Reads the lesson's work again after a change elsewhere.
    void refresh();
    bool listShowsAssignments() const;
    void showSelected();
    void showDueChoices(const Assignment* selected);
    void showDetails(const Assignment* selected);
    void rowChosen(int row);
    void addAssignment();
    void removeAssignment();
    void dueChosen(int index);

    FileDialogChooser m_files;
    AssignmentsController m_controller;
    QListWidget* m_list = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_remove = nullptr;
    QWidget* m_form = nullptr;
    QLineEdit* m_title = nullptr;
    RichTextArea* m_details = nullptr;
    QSpinBox* m_points = nullptr;
    QComboBox* m_due = nullptr;
    AttachmentsTable* m_attachments = nullptr;
    QList<Lesson*> m_dueChoices;
    // What the form shows: the assignment, the lesson it is due in and its
    // details as stored, so that an unchanged value is not shown again.
    const Assignment* m_shownAssignment = nullptr;
    const Lesson* m_shownDue = nullptr;
    QByteArray m_shownDetails;
    LessonWatch m_watch;
};
