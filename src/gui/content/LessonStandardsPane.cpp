#include "gui/content/LessonStandardsPane.h"

#include "content/ContentNotifications.h"
#include "content/StandardLookup.h"
#include "gui/content/StandardsTree.h"
#include "model/Lesson.h"
#include "model/Standard.h"
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
    if (lesson)
        m_observers.observe(
            ContentNotifications::standardAdded, &lesson->context(), [this](const Notification&) { reload(); });
    reload();
}

void LessonStandardsPane::reload()
{
    const QScopedValueRollback loading(m_loading, true);
    Year* year = m_lesson && !m_lesson->isDeleted() ? m_lesson->year() : nullptr;
    m_tree->load(year ? StandardLookup::rootItem(*year) : nullptr, [this](QTreeWidgetItem& item, Standard& standard) {
        item.setFlags(item.flags() | Qt::ItemIsUserCheckable);
        item.setCheckState(0, m_lesson->hasStandard(&standard) ? Qt::Checked : Qt::Unchecked);
    });
    selectionChanged();
}

void LessonStandardsPane::itemChanged(QTreeWidgetItem* item)
{
    Standard* standard = StandardsTree::standardOf(item);
    if (m_loading || !m_lesson || !standard || standard->isRootItem())
        return;
    if (StandardInLesson* link = m_lesson->standardInLessonFromStandard(standard))
        m_lesson->removeStandard(link);
    else
        m_lesson->addStandard(standard);
    const QScopedValueRollback loading(m_loading, true);
    item->setCheckState(0, m_lesson->hasStandard(standard) ? Qt::Checked : Qt::Unchecked);
}

void LessonStandardsPane::selectionChanged()
{
    const QList<QTreeWidgetItem*> selected = m_tree->selectedItems();
    const Standard* standard = selected.isEmpty() ? nullptr : StandardsTree::standardOf(selected.first());
    m_description->setText(standard ? standard->text() : QString());
}
