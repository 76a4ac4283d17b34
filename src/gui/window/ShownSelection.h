#pragma once

#include <QObject>
#include <QPointer>

class Day;
class EditingModeView;
class Lesson;
class PlanningArea;
class Year;

// What the teacher has in front of them in a document window, and so what
// every Lesson and Day command acts on: in planning mode the planning area's
// current lesson and day, in editing mode the lesson the editor shows and its
// day, and under a report nothing, since the report hides both. A report
// stands in front of editing mode, which stands in front of planning mode;
// the window says which of them exist. Whenever the mode or what it shows may
// have changed, `changed` is emitted, so that every command can tell again
// whether it can act.
class ShownSelection : public QObject {
    Q_OBJECT
public:
    enum class Mode { NoYear, Planning, Editing, Report };

    using QObject::QObject;

    void setPlanningArea(PlanningArea* area);
    // None when editing mode ends.
    void setEditingView(EditingModeView* view);
    // None when the report closes.
    void setReport(QWidget* report);

    Mode mode() const;
    // The report, the editing view or the planning area, as the mode says.
    QWidget* shownWidget() const;
    Year* year() const;
    // None under a report, and never a deleted lesson.
    Lesson* lesson() const;
    Day* day() const;
    PlanningArea* planningArea() const { return m_area; }
    EditingModeView* editingView() const;
    QWidget* report() const;

signals:
    void changed();

private:
    PlanningArea* m_area = nullptr;
    QPointer<EditingModeView> m_editing;
    QPointer<QWidget> m_report;
};
