#include "gui/panels/AttachmentsTable.h"

#include "content/AssignmentsController.h"
#include "content/AttachmentOpener.h"
#include "gui/content/WebLinkSheet.h"
#include "gui/panels/AttachmentDrop.h"
#include "gui/window/UndoStepName.h"
#include "model/AssignedWebLink.h"
#include "model/AttachedFile.h"
#include "model/AttachedWebLink.h"
#include "model/Lesson.h"

#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMimeData>
#include <QMimeDatabase>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

enum Column { IconColumn = 0, NameColumn = 1 };

// The desktop theme's icon for the file's type; a link shows a web page's.
QIcon iconFor(const Attachment& attachment)
{
    const auto* file = dynamic_cast<const AttachedFile*>(&attachment);
    const QString path = file ? file->actualPath() : QStringLiteral("page.html");
    const QMimeType type = QMimeDatabase().mimeTypeForFile(path, QMimeDatabase::MatchExtension);
    QIcon icon = QIcon::fromTheme(type.iconName());
    if (icon.isNull())
        icon = QIcon::fromTheme(type.genericIconName());
    return icon.isNull() ? QFileIconProvider().icon(QFileIconProvider::File) : icon;
}

QString shownName(const Attachment& attachment)
{
    const QString name = attachment.name();
    return name.isEmpty() ? QStringLiteral("No Name Provided") : name;
}

} // namespace

AttachmentsTable::AttachmentsTable(QWidget* parent)
    : QWidget(parent)
    , m_table(new QTableWidget(0, 2, this))
    , m_addFile(new QPushButton(QStringLiteral("Add File…"), this))
    , m_addLink(new QPushButton(QStringLiteral("Add Link…"), this))
    , m_remove(new QPushButton(QStringLiteral("Remove"), this))
    , m_alerts(this)
{
    m_table->setHorizontalHeaderLabels({ QString(), QStringLiteral("Attachments") });
    m_table->horizontalHeader()->setSectionResizeMode(IconColumn, QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->verticalHeader()->hide();
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    m_table->setMinimumHeight(70);
    m_table->setMaximumHeight(130);
    m_table->setToolTip(QStringLiteral("Click an icon to open the attachment; drop files or links here"));
    m_table->viewport()->setAcceptDrops(true);
    m_table->setAccessibleName(tr("Attachments"));
    m_table->setAccessibleDescription(m_table->toolTip());
    m_addFile->setAccessibleName(tr("Add file"));
    m_addLink->setAccessibleName(tr("Add link"));
    m_remove->setAccessibleName(tr("Remove attachment"));
    UndoStepName::set(m_remove, QStringLiteral("Remove Attachment"));
    // Editing a row's text renames its attachment.
    UndoStepName::set(m_table, QStringLiteral("Rename Attachment"));
    UndoStepName::setForDrop(m_table, QStringLiteral("Attach Files"));
    m_table->viewport()->installEventFilter(this);
    m_addFile->setObjectName(QStringLiteral("addAttachmentFile"));
    m_addLink->setObjectName(QStringLiteral("addAttachmentLink"));
    m_remove->setObjectName(QStringLiteral("removeAttachment"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_addFile);
    buttons->addWidget(m_addLink);
    buttons->addStretch();
    buttons->addWidget(m_remove);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_table);
    layout->addLayout(buttons);
    connect(m_table, &QTableWidget::itemSelectionChanged, this, &AttachmentsTable::updateButtons);
    connect(m_table, &QTableWidget::cellChanged, this, [this](int row, int) { rowEdited(row); });
    connect(m_table, &QTableWidget::cellClicked, this, &AttachmentsTable::cellClicked);
    connect(m_addFile, &QPushButton::clicked, this, &AttachmentsTable::addFiles);
    connect(m_addLink, &QPushButton::clicked, this, &AttachmentsTable::addLink);
    connect(m_remove, &QPushButton::clicked, this, &AttachmentsTable::removeSelected);
    auto* paste = new QShortcut(QKeySequence::Paste, m_table, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(paste, &QShortcut::activated, this, &AttachmentsTable::pasteLocations);
    UndoStepName::set(paste, QStringLiteral("Paste Attachments"));
    connect(&m_titler, &WebLinkTitler::settled, this, &AttachmentsTable::reload);
    updateButtons();
}

void AttachmentsTable::setLesson(Lesson* lesson)
{
    m_lesson = lesson;
    if (!m_assignments)
        m_watch.watch(lesson, [this] { refresh(); });
    reload();
}

void AttachmentsTable::refresh()
{
    if (!showsAttachments(currentAttachments()))
        reload();
}

bool AttachmentsTable::showsAttachments(const QList<Attachment*>& attachments) const
{
    if (attachments != m_attachments)
        return false;
    for (int row = 0; row < attachments.size(); ++row) {
        const QTableWidgetItem* name = m_table->item(row, NameColumn);
        if (!name || name->text() != shownName(*attachments[row]))
            return false;
    }
    return true;
}

void AttachmentsTable::setAssignments(AssignmentsController* assignments)
{
    m_assignments = assignments;
    m_table->setHorizontalHeaderLabels({ QString(), QStringLiteral("Assignment Attachments") });
    // An assignment's attachments are named in a larger type.
    QFont font = m_table->font();
    font.setPointSize(14);
    m_table->setFont(font);
    reload();
}

QList<Attachment*> AttachmentsTable::currentAttachments() const
{
    if (m_assignments)
        return m_assignments->attachments();
    return m_lesson && !m_lesson->isDeleted() ? m_lesson->attachments() : QList<Attachment*>();
}

bool AttachmentsTable::canAdd() const
{
    return m_assignments ? m_assignments->canAddAttachment() : m_lesson != nullptr;
}

void AttachmentsTable::reload()
{
    const QSignalBlocker quiet(m_table);
    m_attachments = currentAttachments();
    // Emptying the table first also drops a name being typed into a row of
    // the lesson shown before.
    m_table->setRowCount(0);
    m_table->setRowCount(int(m_attachments.size()));
    for (int row = 0; row < m_attachments.size(); ++row) {
        const Attachment& attachment = *m_attachments[row];
        auto* icon = new QTableWidgetItem(iconFor(attachment), QString());
        icon->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        icon->setToolTip(QStringLiteral("Open %1").arg(attachment.shortFilePath()));
        m_table->setItem(row, IconColumn, icon);
        m_table->setItem(row, NameColumn, new QTableWidgetItem(shownName(attachment)));
    }
    m_table->clearSelection();
    updateButtons();
}

void AttachmentsTable::rowEdited(int row)
{
    if (row < m_attachments.size())
        m_attachments[row]->setValue(u"name", m_table->item(row, NameColumn)->text());
}

void AttachmentsTable::cellClicked(int row, int column)
{
    if (column == IconColumn && row < m_attachments.size())
        AttachmentOpener(m_alerts, m_workspace).open(*m_attachments[row]);
}

void AttachmentsTable::addFiles()
{
    if (!canAdd())
        return;
    if (m_assignments) {
        m_assignments->addFileToAssignment();
    } else {
        const QStringList paths = QFileDialog::getOpenFileNames(
            window(), QStringLiteral("Attach Files"), LessonAttachmentsController::startDirectory());
        m_lessonAttachments.attachFiles(m_lesson, paths);
    }
    reload();
}

void AttachmentsTable::addLink()
{
    if (!canAdd())
        return;
    const std::optional<QString> typed = WebLinkSheet::ask(window());
    if (!typed)
        return;
    if (m_assignments) {
        if (AssignedWebLink* link = m_assignments->addLinkToAssignment(*typed))
            m_titler.nameWhenFound(link);
    } else {
        m_lessonAttachments.attachLink(m_lesson, *typed);
    }
    reload();
}

int AttachmentsTable::attachLocations(const QStringList& locations)
{
    if (!canAdd())
        return 0;
    int attached = 0;
    if (m_assignments) {
        const QList<Attachment*> added = m_assignments->attachDropped(locations);
        for (Attachment* attachment : added) {
            if (auto* link = dynamic_cast<AttachedWebLink*>(attachment))
                m_titler.nameWhenFound(link);
        }
        attached = int(added.size());
    } else {
        attached = m_lessonAttachments.attachDropped(m_lesson, locations);
    }
    reload();
    return attached;
}

void AttachmentsTable::pasteLocations()
{
    attachLocations(AttachmentDrop::locations(QGuiApplication::clipboard()->mimeData()));
}

bool AttachmentsTable::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_table->viewport())
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        const bool wanted
            = canAdd() && LessonAttachmentsController::acceptsDropped(AttachmentDrop::locations(drag->mimeData()));
        if (wanted)
            drag->acceptProposedAction();
        else
            drag->ignore();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (attachLocations(AttachmentDrop::locations(drop->mimeData())) > 0)
            drop->acceptProposedAction();
        return true;
    }
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void AttachmentsTable::removeSelected()
{
    const int row = m_table->currentRow();
    if (row < 0 || row >= m_attachments.size() || m_table->selectedItems().isEmpty())
        return;
    Attachment* attachment = m_attachments[row];
    if (m_assignments)
        m_assignments->removeAttachment(attachment);
    else if (m_lesson)
        m_lesson->removeAttachment(attachment);
    reload();
}

void AttachmentsTable::updateButtons()
{
    const bool adding = canAdd();
    m_addFile->setEnabled(adding);
    m_addLink->setEnabled(adding);
    m_remove->setEnabled(!m_table->selectedItems().isEmpty());
}
