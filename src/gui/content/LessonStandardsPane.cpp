#include "gui/content/LessonStandardsPane.h"

#include "content/ContentNotifications.h"
#include "content/StandardLookup.h"
#include "gui/content/StandardsTree.h"
#include "gui/window/UndoStepName.h"
#include "model/Lesson.h"
#include "model/Standard.h"
#include "model/StandardInLesson.h"
#include "model/Year.h"

#include <QLabel>
#include <QScopedValueRollback>
#include <QVBoxLayout>

LessonStandardsPane::LessonStandardsPane(QWidget* parent)
    : QWidget(parent)
    , m_tree(new StandardsTree(this))
    , m_description(new QLabel(this))
{
    m_tree->setObjectName(QStringLiteral("lessonStandards"));
    m_description->setWordWrap(true);
    m_description->setMinimumHeight(48);
    m_description->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_description->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_tree->setAccessibleName(tr("Lesson standards"));
    m_tree->setAccessibleDescription(tr("Tick the standards this lesson teaches"));
    m_description->setAccessibleName(tr("Standard description"));
    UndoStepName::set(m_tree, QStringLiteral("Change Lesson Standards"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tree, 1);
    layout->addWidget(m_description);
    connect(m_tree, &QTreeWidget::itemChanged, this, &LessonStandardsPane::itemChanged);
    connect(m_tree, &QTreeWidget::itemSelectionChanged, this, &LessonStandardsPane::selectionChanged);
}

void LessonStandardsPane::setLesson(Lesson* lesson)
{
    m_lesson = lesson;
    m_observers.clear();
    if (lesson) {
        const void* scope = &lesson->context();
        m_observers.observe(ContentNotifications::standardAdded, scope, [this](const Notification&) { reload(); });
        m_observers.observe(ContentNotifications::standardChanged, scope,
            [this](const Notification& note) { standardChanged(note.objectAs<Standard>()); });
    }
    m_watch.watch(lesson, [this] { showLinks(); });
    // The tree follows its year's standards while a lesson is shown, so a
    // lesson of the same year needs only its own ticks: selecting lessons
    // one after another (a bump selects every lesson it moves) would
    // otherwise build the whole tree again each time.
    if (m_treeYear && m_treeYear == shownYear())
        showLinks();
    else
        reload();
}

Year* LessonStandardsPane::shownYear() const
{
    return m_lesson && !m_lesson->isDeleted() ? m_lesson->year() : nullptr;
}

void LessonStandardsPane::reload()
{
    const QScopedValueRollback loading(m_loading, true);
    Year* year = shownYear();
    m_treeYear = year;
    m_ticked = year ? linkedStandards() : QSet<const Standard*>();
    m_tree->load(year ? StandardLookup::rootItem(*year) : nullptr, [this](QTreeWidgetItem& item, Standard& standard) {
        item.setFlags(item.flags() | Qt::ItemIsUserCheckable);
        item.setCheckState(0, m_ticked.contains(&standard) ? Qt::Checked : Qt::Unchecked);
    });
    selectionChanged();
}

QSet<const Standard*> LessonStandardsPane::linkedStandards() const
{
    QSet<const Standard*> linked;
    for (const StandardInLesson* link : m_lesson->objects<StandardInLesson>(u"standards")) {
        if (const Standard* standard = link->standard())
            linked.insert(standard);
    }
    return linked;
}

void LessonStandardsPane::showLinks()
{
    const QSet<const Standard*> linked = linkedStandards();
    if (linked == m_ticked)
        return;
    const QScopedValueRollback loading(m_loading, true);
    for (const Standard* standard : linked + m_ticked) {
        if (QTreeWidgetItem* item = m_tree->itemOf(standard))
            item->setCheckState(0, linked.contains(standard) ? Qt::Checked : Qt::Unchecked);
    }
    m_ticked = linked;
}

void LessonStandardsPane::itemChanged(QTreeWidgetItem* item)
{
    Standard* standard = StandardsTree::standardOf(item);
    if (m_loading || !m_lesson || !standard || standard->isRootItem())
        return;
    // A row left over from a standard removed meanwhile links nothing.
    if (standard->isDeleted()) {
        reload();
        return;
    }
    if (StandardInLesson* link = m_lesson->standardInLessonFromStandard(standard))
        m_lesson->removeStandard(link);
    else
        m_lesson->addStandard(standard);
    showLinks();
    const QScopedValueRollback loading(m_loading, true);
    item->setCheckState(0, m_ticked.contains(standard) ? Qt::Checked : Qt::Unchecked);
}

void LessonStandardsPane::standardChanged(const Standard* standard)
{
    QTreeWidgetItem* item = m_tree->itemOf(standard);
    if (!item)
        return;
    const QScopedValueRollback loading(m_loading, true);
    item->setText(0, StandardsTree::label(*standard));
    selectionChanged();
}

void LessonStandardsPane::selectionChanged()
{
    const QList<QTreeWidgetItem*> selected = m_tree->selectedItems();
    const Standard* standard = selected.isEmpty() ? nullptr : StandardsTree::standardOf(selected.first());
    m_description->setText(standard ? standard->text() : QString());
}
