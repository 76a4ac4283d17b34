#pragma once

#include "foundation/notify/ObserverBag.h"

#include <QWidget>

class AssignmentsPanel;
class AttachmentsTable;
class FieldEditorColumn;
class Lesson;
class LessonStandardsPane;
class QLabel;
class QStackedWidget;
class QTabBar;

// The side panel's editor of the current lesson: a heading with its date and
// course, a segmented choice between the standard fields, the custom fields,
// the assignments and the standards, and the lesson's attachments below.
class LessonEditorPanel : public QWidget {
    Q_OBJECT
public:
    // The segments, by tag.
    enum Segment { StandardFields = 0, CustomFields = 1, Assignments = 2, Standards = 3 };

    explicit LessonEditorPanel(QWidget* parent = nullptr);

    void setLesson(Lesson* lesson);
    Lesson* lesson() const { return m_lesson; }
    void showSegment(Segment segment);
    Segment segment() const;
    // Shows the standard fields and puts the keyboard in the first open one.
    void focusFirstField();
    QString heading() const;

    FieldEditorColumn* standardFields() const { return m_standard; }
    FieldEditorColumn* customFields() const { return m_custom; }
    AttachmentsTable* attachments() const { return m_attachments; }
    AssignmentsPanel* assignments() const { return m_assignments; }
    LessonStandardsPane* standardsPane() const { return m_standards; }
    QTabBar* segments() const { return m_segments; }

private:
    void refreshHeading();

    Lesson* m_lesson = nullptr;
    QLabel* m_heading = nullptr;
    QTabBar* m_segments = nullptr;
    QStackedWidget* m_pages = nullptr;
    FieldEditorColumn* m_standard = nullptr;
    FieldEditorColumn* m_custom = nullptr;
    LessonStandardsPane* m_standards = nullptr;
    AttachmentsTable* m_attachments = nullptr;
    AssignmentsPanel* m_assignments = nullptr;
    ObserverBag m_observers;
};
