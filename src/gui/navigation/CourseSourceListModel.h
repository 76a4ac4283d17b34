#pragma once

#include "foundation/notify/ObserverBag.h"

#include <QAbstractItemModel>

#include <memory>
#include <vector>

class Course;
class Lesson;
class ManagedObject;
class Unit;
class Year;

// The outline of the course list: one "My Courses" group row holding the
// year's courses, each holding its units. Course rows carry the course's
// visibility as a check state and can be renamed; a lesson dragged onto one
// of its own course's units joins that unit.
class CourseSourceListModel : public QAbstractItemModel {
public:
    enum class RowKind { None, Group, Course, Unit };
    // The row's RowKind, as an int, for the delegate.
    static constexpr int rowKindRole = Qt::UserRole + 1;

    explicit CourseSourceListModel(QObject* parent = nullptr);
    ~CourseSourceListModel() override;

    void setYear(Year* year);
    Year* year() const { return m_year; }
    // Reads the courses and units again.
    void reload();

    RowKind rowKind(const QModelIndex& index) const;
    Course* courseAt(const QModelIndex& index) const;
    Unit* unitAt(const QModelIndex& index) const;
    QModelIndex groupIndex() const;
    // The row of a course or unit; invalid when the list does not show it.
    QModelIndex indexOf(const ManagedObject* record) const;

    // A lesson may join a unit of its own course that does not hold it yet.
    bool canDropLesson(const Lesson* lesson, const QModelIndex& target) const;
    bool dropLesson(Lesson* lesson, const QModelIndex& target);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    QStringList mimeTypes() const override;
    // A unit row drags its unit, to be copied onto a stretch of lessons.
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    Qt::DropActions supportedDragActions() const override;
    Qt::DropActions supportedDropActions() const override;
    bool canDropMimeData(
        const QMimeData* data, Qt::DropAction action, int row, int column, const QModelIndex& parent) const override;
    bool dropMimeData(
        const QMimeData* data, Qt::DropAction action, int row, int column, const QModelIndex& parent) override;

private:
    struct Node;

    void observeDocument();
    void rebuild();
    Node* nodeAt(const QModelIndex& index) const;
    QModelIndex indexOf(const Node* node) const;
    QVariant displayText(const Node& node) const;
    void setCourseName(Course& course, const QString& name);
    void setCourseDrawn(Course& course, bool drawn);
    void courseChanged(const Course* course);
    void allCoursesChanged();

    Year* m_year = nullptr;
    // The invisible root; its one child is the group row.
    std::unique_ptr<Node> m_root;
    ObserverBag m_observers;
};
