#include "gui/navigation/CourseSourceListModel.h"

#include "gui/navigation/LessonDrag.h"
#include "gui/navigation/UnitDrag.h"
#include "model/Course.h"
#include "model/Lesson.h"
#include "model/ModelNotifications.h"
#include "model/Unit.h"
#include "model/Year.h"
#include "planning/PlanningNotifications.h"
#include "store/UndoGroup.h"

#include <QCoreApplication>
#include <QMimeData>

namespace {

QString text(const char* source)
{
    return QCoreApplication::translate("CourseSourceListModel", source);
}

const QColor placeholderColor(0x80, 0x80, 0x80);

} // namespace

struct CourseSourceListModel::Node {
    RowKind kind = RowKind::None;
    ManagedObject* record = nullptr;
    Node* parent = nullptr;
    int row = 0;
    std::vector<std::unique_ptr<Node>> children;

    Node* addChild(RowKind childKind, ManagedObject* childRecord)
    {
        auto child = std::make_unique<Node>();
        child->kind = childKind;
        child->record = childRecord;
        child->parent = this;
        child->row = int(children.size());
        children.push_back(std::move(child));
        return children.back().get();
    }
};

CourseSourceListModel::CourseSourceListModel(QObject* parent)
    : QAbstractItemModel(parent)
    , m_root(std::make_unique<Node>())
{
    rebuild();
}

CourseSourceListModel::~CourseSourceListModel() = default;

void CourseSourceListModel::setYear(Year* year)
{
    m_year = year;
    observeDocument();
    reload();
}

// Another open document posts the same names; the scope keeps its records'
// notifications away from this list.
void CourseSourceListModel::observeDocument()
{
    m_observers.clear();
    if (!m_year)
        return;
    const void* scope = &m_year->context();
    for (const QString& name : { PlanningNotifications::courseAdded, ModelNotifications::newUnitAdded,
             PlanningNotifications::refreshCourseSourceList })
        m_observers.observe(name, scope, [this](const Notification&) { reload(); });
    for (const QString& name : { ModelNotifications::courseNameChanged, ModelNotifications::courseColorChanged })
        m_observers.observe(name, scope, [this](const Notification& n) { courseChanged(n.objectAs<Course>()); });
    m_observers.observe(
        PlanningNotifications::coursesToDrawChanged, scope, [this](const Notification&) { allCoursesChanged(); });
}

void CourseSourceListModel::reload()
{
    beginResetModel();
    rebuild();
    endResetModel();
}

void CourseSourceListModel::rebuild()
{
    m_root = std::make_unique<Node>();
    Node* group = m_root->addChild(RowKind::Group, nullptr);
    if (!m_year)
        return;
    for (Course* course : m_year->allCoursesInAlphabeticalOrder()) {
        Node* courseNode = group->addChild(RowKind::Course, course);
        for (Unit* unit : course->unitsArray())
            courseNode->addChild(RowKind::Unit, unit);
    }
}

CourseSourceListModel::Node* CourseSourceListModel::nodeAt(const QModelIndex& index) const
{
    return index.isValid() ? static_cast<Node*>(index.internalPointer()) : m_root.get();
}

QModelIndex CourseSourceListModel::indexOf(const Node* node) const
{
    return node && node != m_root.get() ? createIndex(node->row, 0, node) : QModelIndex();
}

CourseSourceListModel::RowKind CourseSourceListModel::rowKind(const QModelIndex& index) const
{
    return index.isValid() ? nodeAt(index)->kind : RowKind::None;
}

Course* CourseSourceListModel::courseAt(const QModelIndex& index) const
{
    return rowKind(index) == RowKind::Course ? static_cast<Course*>(nodeAt(index)->record) : nullptr;
}

Unit* CourseSourceListModel::unitAt(const QModelIndex& index) const
{
    return rowKind(index) == RowKind::Unit ? static_cast<Unit*>(nodeAt(index)->record) : nullptr;
}

QModelIndex CourseSourceListModel::groupIndex() const
{
    return index(0, 0);
}

QModelIndex CourseSourceListModel::indexOf(const ManagedObject* record) const
{
    if (!record)
        return {};
    for (const auto& course : m_root->children.front()->children) {
        if (course->record == record)
            return indexOf(course.get());
        for (const auto& unit : course->children) {
            if (unit->record == record)
                return indexOf(unit.get());
        }
    }
    return {};
}

QModelIndex CourseSourceListModel::index(int row, int column, const QModelIndex& parent) const
{
    const Node* parentNode = nodeAt(parent);
    if (column != 0 || row < 0 || row >= int(parentNode->children.size()))
        return {};
    return indexOf(parentNode->children[row].get());
}

QModelIndex CourseSourceListModel::parent(const QModelIndex& child) const
{
    return child.isValid() ? indexOf(nodeAt(child)->parent) : QModelIndex();
}

int CourseSourceListModel::rowCount(const QModelIndex& parent) const
{
    if (parent.column() > 0)
        return 0;
    return int(nodeAt(parent)->children.size());
}

int CourseSourceListModel::columnCount(const QModelIndex&) const
{
    return 1;
}

QVariant CourseSourceListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const Node& node = *nodeAt(index);
    const auto* course = node.kind == RowKind::Course ? static_cast<const Course*>(node.record) : nullptr;
    switch (role) {
    case Qt::DisplayRole:
        return displayText(node);
    case Qt::EditRole:
        return course ? QVariant(course->courseName()) : displayText(node);
    case Qt::CheckStateRole:
        return course ? QVariant(int(course->isDrawn() ? Qt::Checked : Qt::Unchecked)) : QVariant();
    case Qt::DecorationRole:
        return course ? QVariant(course->color()) : QVariant();
    case Qt::ForegroundRole: {
        const bool named = !data(index, Qt::EditRole).toString().isEmpty();
        return named ? QVariant() : QVariant(placeholderColor);
    }
    case rowKindRole:
        return int(node.kind);
    default:
        return {};
    }
}

QVariant CourseSourceListModel::displayText(const Node& node) const
{
    switch (node.kind) {
    case RowKind::Group:
        return text("My Courses");
    case RowKind::Course: {
        const QString name = static_cast<const Course*>(node.record)->courseName();
        return name.isEmpty() ? text("No Course Name Provided") : name;
    }
    case RowKind::Unit: {
        const QString name = static_cast<const Unit*>(node.record)->unitName();
        return name.isEmpty() ? text("No Unit Name Provided") : name;
    }
    case RowKind::None:
        break;
    }
    return {};
}

bool CourseSourceListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    Course* course = courseAt(index);
    if (!course)
        return false;
    if (role == Qt::EditRole) {
        const UndoGroup step(course->context(), QStringLiteral("Rename Course"));
        setCourseName(*course, value.toString());
    } else if (role == Qt::CheckStateRole) {
        const bool drawn = value.toInt() == Qt::Checked;
        const UndoGroup step(course->context(), drawn ? QStringLiteral("Show Course") : QStringLiteral("Hide Course"));
        setCourseDrawn(*course, drawn);
    } else {
        return false;
    }
    courseChanged(course);
    return true;
}

void CourseSourceListModel::setCourseName(Course& course, const QString& name)
{
    // Ending an edit without typing must not mark the course as changed.
    if (name != course.courseName())
        course.setValue(u"courseName", name);
}

void CourseSourceListModel::setCourseDrawn(Course& course, bool drawn)
{
    course.setValue(u"draw", drawn ? 1 : 0);
    NotificationCenter::defaultCenter().post(PlanningNotifications::coursesToDrawChanged);
    NotificationCenter::defaultCenter().post(PlanningNotifications::courseSourceListCourseViewPressed, &course);
}

void CourseSourceListModel::courseChanged(const Course* course)
{
    const QModelIndex row = indexOf(course);
    if (row.isValid())
        emit dataChanged(row, row);
}

void CourseSourceListModel::allCoursesChanged()
{
    const QModelIndex group = groupIndex();
    const int courses = rowCount(group);
    if (courses > 0)
        emit dataChanged(index(0, 0, group), index(courses - 1, 0, group));
}

Qt::ItemFlags CourseSourceListModel::flags(const QModelIndex& index) const
{
    switch (rowKind(index)) {
    case RowKind::Group:
        return Qt::ItemIsEnabled;
    case RowKind::Course:
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsUserCheckable;
    case RowKind::Unit:
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDropEnabled | Qt::ItemIsDragEnabled;
    case RowKind::None:
        break;
    }
    return Qt::NoItemFlags;
}

bool CourseSourceListModel::canDropLesson(const Lesson* lesson, const QModelIndex& target) const
{
    const Unit* unit = unitAt(target);
    return lesson && unit && lesson->course() && unit->course() == lesson->course() && lesson->unit() != unit;
}

bool CourseSourceListModel::dropLesson(Lesson* lesson, const QModelIndex& target)
{
    if (!canDropLesson(lesson, target))
        return false;
    // The lesson's unit is a to-one relationship, so it leaves the unit it had.
    unitAt(target)->addObject(u"lessons", lesson);
    reload();
    return true;
}

QStringList CourseSourceListModel::mimeTypes() const
{
    return { LessonDrag::mimeType };
}

QMimeData* CourseSourceListModel::mimeData(const QModelIndexList& indexes) const
{
    const Unit* unit = indexes.isEmpty() ? nullptr : unitAt(indexes.first());
    return unit ? UnitDrag::mimeDataFor(unit) : nullptr;
}

// Never a move: the unit stays in the list whatever the target does.
Qt::DropActions CourseSourceListModel::supportedDragActions() const
{
    return Qt::CopyAction;
}

Qt::DropActions CourseSourceListModel::supportedDropActions() const
{
    return Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
}

// Only a drop onto a unit row counts; a drop between rows (row >= 0) is refused.
bool CourseSourceListModel::canDropMimeData(
    const QMimeData* data, Qt::DropAction, int row, int, const QModelIndex& parent) const
{
    return m_year && row < 0 && canDropLesson(LessonDrag::lessonFrom(data, m_year->context()), parent);
}

bool CourseSourceListModel::dropMimeData(
    const QMimeData* data, Qt::DropAction action, int row, int column, const QModelIndex& parent)
{
    if (!canDropMimeData(data, action, row, column, parent))
        return false;
    return dropLesson(LessonDrag::lessonFrom(data, m_year->context()), parent);
}
