#include "gui/navigation/CourseSourceList.h"

#include "foundation/notify/NotificationCenter.h"
#include "gui/navigation/CourseSourceListDelegate.h"
#include "gui/navigation/CourseSourceListModel.h"
#include "gui/window/UndoStepName.h"
#include "model/Course.h"
#include "model/Unit.h"
#include "planning/PlanningNotifications.h"

#include <QApplication>
#include <QMouseEvent>

CourseSourceList::CourseSourceList(QWidget* parent)
    : QTreeView(parent)
    , m_model(new CourseSourceListModel(this))
{
    setModel(m_model);
    setItemDelegate(new CourseSourceListDelegate(this));
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setExpandsOnDoubleClick(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::EditKeyPressed);
    // Lessons are dropped onto units; units are dragged onto lessons.
    setDragDropMode(QAbstractItemView::DragDrop);
    setDropIndicatorShown(true);
    setFrameShape(QFrame::NoFrame);
    setAccessibleName(tr("Courses"));
    UndoStepName::setForDrop(this, QStringLiteral("Add Lesson to Unit"));
    setAccessibleDescription(tr("Your courses and their units; a ticked course shows in the planning views"));

    m_renameTimer.setSingleShot(true);
    connect(&m_renameTimer, &QTimer::timeout, this, [this] {
        if (m_renameIndex.isValid())
            edit(m_renameIndex);
    });
    connect(this, &QTreeView::collapsed, this, &CourseSourceList::keepGroupOpen);
    connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this, &CourseSourceList::rememberState);
    connect(m_model, &QAbstractItemModel::modelReset, this, &CourseSourceList::restoreState);
    restoreState();
}

void CourseSourceList::setYear(Year* year)
{
    m_model->setYear(year);
}

ManagedObject* CourseSourceList::selectedRecord() const
{
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    if (selected.isEmpty())
        return nullptr;
    if (Course* course = m_model->courseAt(selected.first()))
        return course;
    return m_model->unitAt(selected.first());
}

void CourseSourceList::rememberState()
{
    m_renameTimer.stop();
    m_selectedBeforeReload = selectedRecord();
    m_expandedCourses.clear();
    const QModelIndex group = m_model->groupIndex();
    for (int row = 0; row < m_model->rowCount(group); ++row) {
        const QModelIndex course = m_model->index(row, 0, group);
        if (isExpanded(course))
            m_expandedCourses.append(m_model->courseAt(course));
    }
}

// Courses stay closed, so that every course shows at once, unless the
// teacher opened them before the reload.
void CourseSourceList::restoreState()
{
    const QModelIndex group = m_model->groupIndex();
    expand(group);
    for (int row = 0; row < m_model->rowCount(group); ++row) {
        const QModelIndex course = m_model->index(row, 0, group);
        setExpanded(course, m_expandedCourses.contains(m_model->courseAt(course)));
    }
    const QModelIndex selected = m_model->indexOf(m_selectedBeforeReload);
    if (selected.isValid())
        selectionModel()->select(selected, QItemSelectionModel::ClearAndSelect);
}

void CourseSourceList::keepGroupOpen(const QModelIndex& index)
{
    if (m_model->rowKind(index) == CourseSourceListModel::RowKind::Group)
        expand(index);
}

bool CourseSourceList::isOnCheckBox(const QModelIndex& index, QPoint point) const
{
    return m_model->courseAt(index) && CourseSourceListDelegate::hitsCheckBox(visualRect(index), point);
}

void CourseSourceList::toggleCourse(const QModelIndex& index)
{
    const bool drawn = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    m_model->setData(index, int(drawn ? Qt::Unchecked : Qt::Checked), Qt::CheckStateRole);
}

// A press on a course's check box is kept from the selection; the release on
// the same box toggles it, once.
void CourseSourceList::mousePressEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    const QModelIndex index = indexAt(point);
    const bool left = event->button() == Qt::LeftButton;
    if (left && isOnCheckBox(index, point)) {
        m_checkBoxIndex = index;
        return;
    }
    m_pressedSelectedCourse = left && m_model->courseAt(index) && selectionModel()->isSelected(index);
    QTreeView::mousePressEvent(event);
}

void CourseSourceList::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    const QModelIndex index = indexAt(point);
    if (m_checkBoxIndex.isValid()) {
        if (index == m_checkBoxIndex && isOnCheckBox(index, point))
            toggleCourse(index);
        m_checkBoxIndex = QPersistentModelIndex();
        return;
    }
    QTreeView::mouseReleaseEvent(event);
    if (m_pressedSelectedCourse && index.isValid() && selectionModel()->isSelected(index) && state() != EditingState) {
        m_renameIndex = index;
        m_renameTimer.start(QApplication::doubleClickInterval());
    }
    m_pressedSelectedCourse = false;
}

// A double click on a course opens it and does nothing else; on its check box
// it does nothing more than the click before it.
void CourseSourceList::mouseDoubleClickEvent(QMouseEvent* event)
{
    m_renameTimer.stop();
    const QPoint point = event->position().toPoint();
    const QModelIndex index = indexAt(point);
    Course* course = m_model->courseAt(index);
    if (!course || event->button() != Qt::LeftButton) {
        QTreeView::mouseDoubleClickEvent(event);
        return;
    }
    if (!isOnCheckBox(index, point))
        NotificationCenter::defaultCenter().post(PlanningNotifications::courseDoubleClicked, course);
}
