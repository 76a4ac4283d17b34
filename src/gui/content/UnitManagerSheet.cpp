#include "gui/content/UnitManagerSheet.h"

#include "content/UnitExport.h"
#include "content/UnitManagerController.h"
#include "foundation/alerts/FileChooser.h"
#include "gui/window/UndoStepName.h"
#include "model/Course.h"
#include "model/Unit.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

// The list item keeps its unit so that a rename finds it whatever the order.
constexpr int unitRole = Qt::UserRole;

Unit* unitOf(const QListWidgetItem* item)
{
    return item ? static_cast<Unit*>(item->data(unitRole).value<void*>()) : nullptr;
}

} // namespace

UnitManagerSheet::UnitManagerSheet(UnitManagerController& controller, FileChooser& files, QWidget* window)
    : QDialog(window)
    , m_controller(controller)
    , m_files(files)
    , m_courses(new QComboBox(this))
    , m_units(new QListWidget(this))
    , m_add(new QPushButton(tr("Add Unit"), this))
    , m_delete(new QPushButton(tr("Delete Unit"), this))
    , m_export(new QPushButton(tr("Export…"), this))
{
    setObjectName(QStringLiteral("UnitManager"));
    setWindowTitle(tr("Manage Units"));
    setWindowModality(Qt::WindowModal);
    m_units->setMinimumSize(320, 220);
    m_units->setAccessibleName(tr("Units of the course"));
    m_units->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    // The sheet holds several commands; each names its own step.
    UndoStepName::set(m_add, QStringLiteral("Add Unit"));
    UndoStepName::set(m_delete, QStringLiteral("Delete Unit"));
    UndoStepName::set(m_units, QStringLiteral("Rename Unit"));
    connect(m_courses, &QComboBox::currentIndexChanged, this, &UnitManagerSheet::courseChosen);
    connect(m_units, &QListWidget::itemChanged, this, &UnitManagerSheet::unitEdited);
    connect(m_units, &QListWidget::currentItemChanged, this, &UnitManagerSheet::updateButtons);
    connect(m_add, &QPushButton::clicked, this, &UnitManagerSheet::addUnit);
    connect(m_delete, &QPushButton::clicked, this, &UnitManagerSheet::deleteUnit);
    connect(m_export, &QPushButton::clicked, this, &UnitManagerSheet::exportUnit);

    auto* tools = new QHBoxLayout;
    tools->addWidget(m_add);
    tools->addWidget(m_delete);
    tools->addStretch();
    tools->addWidget(m_export);
    auto* done = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(done, &QDialogButtonBox::rejected, this, &UnitManagerSheet::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_courses);
    layout->addWidget(m_units);
    layout->addLayout(tools);
    layout->addWidget(done);
}

void UnitManagerSheet::load()
{
    {
        const QSignalBlocker quiet(m_courses);
        m_courses->clear();
        for (const Course* course : m_controller.courses())
            m_courses->addItem(course->courseName());
        m_courses->setCurrentIndex(int(m_controller.courses().indexOf(m_controller.course())));
    }
    loadUnits();
}

void UnitManagerSheet::courseChosen(int index)
{
    m_controller.selectCourse(m_controller.courses().value(index));
    loadUnits();
}

void UnitManagerSheet::loadUnits()
{
    {
        const QSignalBlocker quiet(m_units);
        m_units->clear();
        for (Unit* unit : m_controller.units()) {
            auto* item = new QListWidgetItem(unit->unitName(), m_units);
            item->setData(unitRole, QVariant::fromValue<void*>(unit));
            item->setFlags(item->flags() | Qt::ItemIsEditable);
        }
    }
    updateButtons();
}

Unit* UnitManagerSheet::selectedUnit() const
{
    return unitOf(m_units->currentItem());
}

void UnitManagerSheet::updateButtons()
{
    m_add->setEnabled(m_controller.course() != nullptr);
    m_delete->setEnabled(selectedUnit() != nullptr);
    m_export->setEnabled(selectedUnit() != nullptr);
}

void UnitManagerSheet::addUnit()
{
    const Unit* added = m_controller.addUnit();
    loadUnits();
    for (int row = 0; row < m_units->count(); ++row) {
        if (unitOf(m_units->item(row)) == added) {
            m_units->setCurrentRow(row);
            m_units->editItem(m_units->item(row));
        }
    }
}

void UnitManagerSheet::deleteUnit()
{
    m_controller.deleteUnit(selectedUnit());
    loadUnits();
}

void UnitManagerSheet::exportUnit()
{
    const Unit* unit = selectedUnit();
    if (!unit)
        return;
    OpenPanelRequest request;
    request.title = UnitExport::folderChooserTitle;
    if (const std::optional<QString> folder = m_files.chooseFolder(request))
        m_controller.exportUnit(unit, *folder);
}

void UnitManagerSheet::unitEdited(QListWidgetItem* item)
{
    Unit* unit = unitOf(item);
    if (!unit || item->text() == unit->unitName())
        return;
    m_controller.renameUnit(unit, item->text().trimmed());
    const QSignalBlocker quiet(m_units);
    item->setText(unit->unitName());
}
