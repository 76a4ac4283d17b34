#include "gui/content/MissingAttachmentsSheet.h"

#include "content/MissingAttachmentsController.h"
#include "gui/window/UndoStepName.h"
#include "model/AttachedFile.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

enum Column { NameColumn = 0, PathColumn = 1, DetailColumn = 2 };

} // namespace

MissingAttachmentsSheet::MissingAttachmentsSheet(MissingAttachmentsController& controller, QWidget* parent)
    : QDialog(parent)
    , m_controller(controller)
    , m_table(new QTableWidget(0, 3, this))
    , m_locate(new QPushButton(QStringLiteral("Locate File…"), this))
    , m_remove(new QPushButton(QStringLiteral("Remove Attachment"), this))
    , m_removeAll(new QPushButton(QStringLiteral("Remove All Missing"), this))
{
    setWindowTitle(QStringLiteral("Check Attachments"));
    UndoStepName::set(m_locate, QStringLiteral("Locate Attachment"));
    UndoStepName::set(m_remove, QStringLiteral("Remove Attachment"));
    UndoStepName::set(m_removeAll, QStringLiteral("Remove Missing Attachments"));
    setWindowModality(Qt::WindowModal);
    resize(760, 360);
    m_table->setHorizontalHeaderLabels(
        { QStringLiteral("Attachment"), QStringLiteral("Last known place"), QStringLiteral("Attached to") });
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setColumnWidth(NameColumn, 160);
    m_table->setColumnWidth(PathColumn, 260);
    m_table->verticalHeader()->hide();
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* explanation = new QLabel(
        QStringLiteral("These attached files are no longer where they were attached from. Point each one at its "
                       "new place (every attachment of the same file follows), or remove it."),
        this);
    explanation->setWordWrap(true);
    auto* done = new QDialogButtonBox(QDialogButtonBox::Close, this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_locate);
    buttons->addWidget(m_remove);
    buttons->addWidget(m_removeAll);
    buttons->addStretch();
    buttons->addWidget(done);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(explanation);
    layout->addWidget(m_table, 1);
    layout->addLayout(buttons);
    connect(m_table, &QTableWidget::itemSelectionChanged, this, &MissingAttachmentsSheet::updateButtons);
    connect(m_locate, &QPushButton::clicked, this, &MissingAttachmentsSheet::locate);
    connect(m_remove, &QPushButton::clicked, this, &MissingAttachmentsSheet::remove);
    connect(m_removeAll, &QPushButton::clicked, this, &MissingAttachmentsSheet::removeAll);
    connect(done, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void MissingAttachmentsSheet::load()
{
    const QList<AttachedFile*>& files = m_controller.files();
    m_table->setRowCount(0);
    m_table->setRowCount(int(files.size()));
    for (int row = 0; row < files.size(); ++row) {
        const AttachedFile& file = *files[row];
        // A file that came back since the list was made shows in black.
        const QBrush colour = file.fileExists() ? palette().text() : QBrush(Qt::red);
        const QStringList cells { file.name().isEmpty() ? file.displayFileName() : file.name(), file.actualPath(),
            file.detailForSSBWindow() };
        for (int column = NameColumn; column <= DetailColumn; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setForeground(colour);
            item->setToolTip(cells[column]);
            m_table->setItem(row, column, item);
        }
    }
    if (!files.isEmpty())
        m_table->selectRow(0);
    updateButtons();
}

AttachedFile* MissingAttachmentsSheet::selectedFile() const
{
    const int row = m_table->currentRow();
    return m_table->selectedItems().isEmpty() ? nullptr : m_controller.files().value(row);
}

void MissingAttachmentsSheet::locate()
{
    if (AttachedFile* file = selectedFile(); file && m_controller.locate(file))
        afterChange();
}

void MissingAttachmentsSheet::remove()
{
    if (AttachedFile* file = selectedFile()) {
        m_controller.remove(file);
        afterChange();
    }
}

void MissingAttachmentsSheet::removeAll()
{
    m_controller.removeAllMissing();
    afterChange();
}

void MissingAttachmentsSheet::afterChange()
{
    if (m_controller.isFinished())
        accept();
    else
        load();
}

void MissingAttachmentsSheet::updateButtons()
{
    const bool chosen = selectedFile() != nullptr;
    m_locate->setEnabled(chosen);
    m_remove->setEnabled(chosen);
    m_removeAll->setEnabled(!m_controller.files().isEmpty());
}
