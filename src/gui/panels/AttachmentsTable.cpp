#include "gui/panels/AttachmentsTable.h"

#include "model/Attachment.h"
#include "model/Lesson.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

AttachmentsTable::AttachmentsTable(QWidget* parent)
    : QWidget(parent)
    , m_table(new QTableWidget(0, 1, this))
    , m_remove(new QPushButton(QStringLiteral("Remove"), this))
{
    m_table->setHorizontalHeaderLabels({ QStringLiteral("Attachments") });
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->verticalHeader()->hide();
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setMinimumHeight(70);
    m_table->setMaximumHeight(110);
    m_remove->setObjectName(QStringLiteral("removeAttachment"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_remove);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_table);
    layout->addLayout(buttons);
    connect(m_table, &QTableWidget::itemSelectionChanged, this, &AttachmentsTable::updateRemoveButton);
    connect(m_table, &QTableWidget::cellChanged, this, [this](int row, int) { rowEdited(row); });
    connect(m_remove, &QPushButton::clicked, this, &AttachmentsTable::removeSelected);
    updateRemoveButton();
}

void AttachmentsTable::setLesson(Lesson* lesson)
{
    m_lesson = lesson;
    reload();
}

void AttachmentsTable::reload()
{
    const QSignalBlocker quiet(m_table);
    m_attachments = m_lesson ? m_lesson->objects<Attachment>(u"attachments") : QList<Attachment*>();
    // Emptying the table first also drops a name being typed into a row of
    // the lesson shown before.
    m_table->setRowCount(0);
    m_table->setRowCount(int(m_attachments.size()));
    for (int row = 0; row < m_attachments.size(); ++row) {
        const QString name = m_attachments[row]->name();
        auto* item = new QTableWidgetItem(name.isEmpty() ? QStringLiteral("No Name Provided") : name);
        m_table->setItem(row, 0, item);
    }
    m_table->clearSelection();
    updateRemoveButton();
}

void AttachmentsTable::rowEdited(int row)
{
    if (row < m_attachments.size())
        m_attachments[row]->setValue(u"name", m_table->item(row, 0)->text());
}

void AttachmentsTable::removeSelected()
{
    const int row = m_table->currentRow();
    if (!m_lesson || row < 0 || row >= m_attachments.size() || m_table->selectedItems().isEmpty())
        return;
    m_lesson->removeAttachment(m_attachments[row]);
    reload();
}

void AttachmentsTable::updateRemoveButton()
{
    m_remove->setEnabled(!m_table->selectedItems().isEmpty());
}
