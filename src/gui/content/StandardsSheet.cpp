#include "gui/content/StandardsSheet.h"

#include "content/ContentNotifications.h"
#include "content/StandardsController.h"
#include "gui/content/StandardsTree.h"
#include "gui/window/UndoStepName.h"
#include "model/Standard.h"
#include "model/Year.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

StandardsSheet::StandardsSheet(StandardsController& controller, FileChooser& files, QWidget* window)
    : QDialog(window)
    , m_controller(controller)
    , m_files(files)
    , m_outline(new StandardsTree(this))
    , m_shortName(new QLineEdit(this))
    , m_text(new QPlainTextEdit(this))
    , m_showShortNames(new QCheckBox(tr("Show Short Names"), this))
    , m_add(new QPushButton(tr("Add Standard"), this))
    , m_remove(new QPushButton(tr("Remove"), this))
{
    setObjectName(QStringLiteral("StandardsWindow"));
    setWindowTitle(tr("Learning Standards"));
    setWindowModality(Qt::WindowModal);
    m_outline->setMinimumSize(300, 320);
    m_outline->setAccessibleName(tr("Learning standards"));
    m_text->setMinimumWidth(280);
    m_showShortNames->setChecked(true);
    m_showShortNames->setToolTip(tr("List standards by their short names rather than their full text"));
    auto* importButton = new QPushButton(tr("Import…"), this);
    auto* exportButton = new QPushButton(tr("Export…"), this);
    // The sheet holds several commands; each names its own step.
    UndoStepName::set(m_add, QStringLiteral("Add Standard"));
    UndoStepName::set(m_remove, QStringLiteral("Remove Standard"));
    UndoStepName::set(importButton, QStringLiteral("Import Standards"));
    UndoStepName::set(m_shortName, QStringLiteral("Edit Standard"));
    UndoStepName::set(m_text, QStringLiteral("Edit Standard"));

    auto* form = new QFormLayout;
    form->addRow(tr("Short name:"), m_shortName);
    form->addRow(tr("Text:"), m_text);
    auto* editor = new QHBoxLayout;
    editor->addWidget(m_outline, 1);
    editor->addLayout(form, 1);
    auto* tools = new QHBoxLayout;
    tools->addWidget(m_add);
    tools->addWidget(m_remove);
    tools->addWidget(m_showShortNames);
    tools->addStretch();
    tools->addWidget(importButton);
    tools->addWidget(exportButton);
    auto* done = new QDialogButtonBox(QDialogButtonBox::Close, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(editor, 1);
    layout->addLayout(tools);
    layout->addWidget(done);

    connect(m_outline, &QTreeWidget::itemSelectionChanged, this, &StandardsSheet::selectionChanged);
    connect(m_shortName, &QLineEdit::editingFinished, this, &StandardsSheet::shortNameEdited);
    connect(m_text, &QPlainTextEdit::textChanged, this, &StandardsSheet::textEdited);
    connect(m_showShortNames, &QCheckBox::toggled, this, &StandardsSheet::reloadOutline);
    connect(m_add, &QPushButton::clicked, this, &StandardsSheet::addStandard);
    connect(m_remove, &QPushButton::clicked, this, &StandardsSheet::removeStandard);
    connect(importButton, &QPushButton::clicked, this, &StandardsSheet::importStandards);
    connect(exportButton, &QPushButton::clicked, this, &StandardsSheet::exportStandards);
    connect(done, &QDialogButtonBox::rejected, this, &StandardsSheet::accept);
    m_observers.observe(ContentNotifications::standardAdded, nullptr, [this](const Notification&) {
        if (!m_loading)
            reloadOutline();
    });
}

// Hiding the closing dialog takes the focus from the short-name field, which
// would finish an edit on records that may already be gone with their document.
StandardsSheet::~StandardsSheet()
{
    disconnect(m_shortName, nullptr, this, nullptr);
}

void StandardsSheet::load()
{
    m_controller.setEditedStandard(nullptr);
    reloadOutline();
}

void StandardsSheet::reloadOutline()
{
    {
        const QScopedValueRollback loading(m_loading, true);
        const bool shortNames = m_showShortNames->isChecked();
        m_outline->load(m_controller.rootItem(), [shortNames](QTreeWidgetItem& item, Standard& standard) {
            if (!shortNames || standard.shortName().isEmpty())
                item.setText(0, standard.text());
            item.setToolTip(0, standard.text());
        });
    }
    selectStandard(m_controller.editedStandard());
}

void StandardsSheet::selectStandard(Standard* standard)
{
    if (QTreeWidgetItem* item = m_outline->itemOf(standard))
        m_outline->setCurrentItem(item);
    showEditedStandard();
}

void StandardsSheet::selectionChanged()
{
    if (m_loading)
        return;
    const QList<QTreeWidgetItem*> selected = m_outline->selectedItems();
    m_controller.setEditedStandard(selected.isEmpty() ? nullptr : StandardsTree::standardOf(selected.first()));
    showEditedStandard();
}

void StandardsSheet::showEditedStandard()
{
    const QScopedValueRollback loading(m_loading, true);
    const Standard* standard = m_controller.editedStandard();
    const bool editable = standard && !standard->isRootItem();
    m_shortName->setText(standard ? standard->shortName() : QString());
    m_text->setPlainText(standard ? standard->text() : QString());
    m_shortName->setEnabled(editable);
    m_text->setEnabled(editable);
    m_remove->setEnabled(editable);
}

void StandardsSheet::shortNameEdited()
{
    Standard* standard = m_controller.editedStandard();
    if (m_loading || !standard || standard->isRootItem() || standard->shortName() == m_shortName->text())
        return;
    m_controller.renameStandard(*standard, m_shortName->text());
    reloadOutline();
}

void StandardsSheet::textEdited()
{
    Standard* standard = m_controller.editedStandard();
    if (m_loading || !standard || standard->isRootItem())
        return;
    m_controller.describeStandard(*standard, m_text->toPlainText());
    if (QTreeWidgetItem* item = m_outline->itemOf(standard)) {
        item->setToolTip(0, standard->text());
        if (!m_showShortNames->isChecked() || standard->shortName().isEmpty())
            item->setText(0, standard->text());
    }
}

void StandardsSheet::addStandard()
{
    {
        const QScopedValueRollback loading(m_loading, true);
        m_controller.addStandardPressed();
    }
    reloadOutline();
    m_shortName->setFocus();
    m_shortName->selectAll();
}

void StandardsSheet::removeStandard()
{
    bool removed = false;
    {
        const QScopedValueRollback loading(m_loading, true);
        removed = m_controller.removeStandardPressed();
    }
    if (removed)
        reloadOutline();
}

void StandardsSheet::importStandards()
{
    if (m_controller.importFromCSV(m_files))
        reloadOutline();
}

void StandardsSheet::exportStandards()
{
    m_controller.exportStandards(m_files);
}
