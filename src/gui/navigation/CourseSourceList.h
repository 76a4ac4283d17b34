#pragma once

#include <QTimer>
#include <QTreeView>

class Course;
class CourseSourceListModel;
class ManagedObject;
class Year;

// The course list beside the planning views. A course's check box shows or
// hides it in the views, a double click opens it in editing mode, and a
// second, slower click on a selected course (or the edit key) renames it.
// The "My Courses" group stays open; lessons may be dropped on units.
class CourseSourceList : public QTreeView {
    Q_OBJECT
public:
    explicit CourseSourceList(QWidget* parent = nullptr);

    void setYear(Year* year);
    CourseSourceListModel* sourceListModel() const { return m_model; }
    // The selected course or unit, if any.
    ManagedObject* selectedRecord() const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool isOnCheckBox(const QModelIndex& index, QPoint point) const;
    void toggleCourse(const QModelIndex& index);
    void rememberState();
    void restoreState();
    void keepGroupOpen(const QModelIndex& index);

    CourseSourceListModel* m_model;
    // Started by a click on an already selected course; a double click in
    // the meantime cancels the rename it would start.
    QTimer m_renameTimer;
    QPersistentModelIndex m_renameIndex;
    bool m_pressedSelectedCourse = false;
    // The course whose check box the mouse went down on.
    QPersistentModelIndex m_checkBoxIndex;
    // What a reload must not lose: the selection and the courses the user opened.
    ManagedObject* m_selectedBeforeReload = nullptr;
    QList<ManagedObject*> m_expandedCourses;
};
