#include "gui/schedule/CustomDaySheet.h"

#include "gui/window/UndoStepName.h"
#include "model/Course.h"
#include "model/Day.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

CustomDaySheet::CustomDaySheet(CustomDayController& controller, QWidget* window)
    : QDialog(window)
    , m_controller(controller)
    , m_tabs(new QTabWidget(this))
{
    setObjectName(QStringLiteral("CustomDayWindow"));
    setWindowTitle(tr("Custom Day"));
    UndoStepName::set(this, QStringLiteral("Make Custom Day"));
    setWindowModality(Qt::WindowModal);
    m_tabs->addTab(createNewTab(), tr("New Custom Day"));
    m_tabs->addTab(createExistingTab(), tr("Existing Custom Day"));
    m_tabs->setAccessibleName(tr("New or existing custom day"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_create = buttons->button(QDialogButtonBox::Ok);
    m_create->setText(tr("Create"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CustomDaySheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CustomDaySheet::reject);
    connect(m_tabs, &QTabWidget::currentChanged, this, &CustomDaySheet::updateCreateButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);
    resize(420, 420);
    load();
}

QWidget* CustomDaySheet::createNewTab()
{
    auto* tab = new QWidget(this);
    m_name = new QLineEdit(tab);
    m_name->setPlaceholderText(tr("Custom Day 1"));
    m_name->setAccessibleName(tr("Custom day name"));
    m_courses = new QListWidget(tab);
    m_courses->setAccessibleName(tr("Courses that meet on this day"));
    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(new QLabel(tr("Name:"), tab));
    layout->addWidget(m_name);
    layout->addWidget(new QLabel(tr("Courses that meet on this day:"), tab));
    layout->addWidget(m_courses, 1);
    return tab;
}

QWidget* CustomDaySheet::createExistingTab()
{
    auto* tab = new QWidget(this);
    m_customDays = new QListWidget(tab);
    m_customDays->setAccessibleName(tr("Existing custom days"));
    m_noCustomDays = new QLabel(tr("There is no custom day in this year yet."), tab);
    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(new QLabel(tr("Give this day the courses and times of:"), tab));
    layout->addWidget(m_customDays, 1);
    layout->addWidget(m_noCustomDays);
    layout->addStretch();
    connect(m_customDays, &QListWidget::currentRowChanged, this, &CustomDaySheet::updateCreateButton);
    return tab;
}

void CustomDaySheet::load()
{
    m_name->setText(m_controller.name());
    if (m_controller.day())
        m_name->setPlaceholderText(m_controller.day()->newCustomName());
    m_courses->clear();
    for (const CustomDayController::CourseRow& row : m_controller.courseRows()) {
        auto* item = new QListWidgetItem(row.course->courseName(), m_courses);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(row.add ? Qt::Checked : Qt::Unchecked);
    }
    m_customDays->clear();
    for (const CustomDayController::CustomDayRow& row : m_controller.customDayRows())
        m_customDays->addItem(row.title());
    m_customDays->setVisible(m_controller.isCustomDayListShown());
    m_noCustomDays->setVisible(!m_controller.isCustomDayListShown());
    m_tabs->setCurrentIndex(m_controller.tab());
    updateCreateButton();
}

void CustomDaySheet::takeEntries()
{
    m_controller.setTab(m_tabs->currentIndex());
    m_controller.setName(m_name->text());
    for (int row = 0; row < m_courses->count(); ++row)
        m_controller.setCourseMarked(row, m_courses->item(row)->checkState() == Qt::Checked);
    m_controller.setSelectedCustomDay(m_customDays->currentRow());
}

void CustomDaySheet::updateCreateButton()
{
    takeEntries();
    m_create->setEnabled(m_controller.canCreate());
}

// A refused entry leaves the sheet open with what was typed.
void CustomDaySheet::accept()
{
    takeEntries();
    if (m_controller.createCustomPressed() == CustomDayController::Outcome::Closed)
        QDialog::accept();
}

void CustomDaySheet::reject()
{
    m_controller.cancelPressed();
    QDialog::reject();
}
