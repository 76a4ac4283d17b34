#include "gui/schedule/AddCourseSheet.h"

#include "gui/schedule/SheetDates.h"
#include "model/Course.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

AddCourseSheet::AddCourseSheet(Year& year, AlertPresenter& alerts, QWidget* window)
    : QDialog(window)
    , m_controller(year, alerts)
    , m_tabs(new QTabWidget(this))
    , m_days(new QListWidget(this))
{
    setObjectName(QStringLiteral("AddCourseWindow"));
    setWindowTitle(QStringLiteral("Add Course"));
    setWindowModality(Qt::WindowModal);
    m_controller.windowDidLoad();
    m_tabs->addTab(createNewCourseTab(), QStringLiteral("New Course"));
    m_tabs->addTab(createExistingCourseTab(), QStringLiteral("Existing Course"));
    m_tabs->setAccessibleName(tr("New or existing course"));
    m_days->setAccessibleName(tr("Days the course meets"));
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int tab) {
        m_controller.setTab(AddCourseController::Tab(tab));
        updateAddButton();
    });

    m_byWeekday = new QCheckBox(QStringLiteral("Add by day of the week (those days become custom days)"), this);
    m_byWeekday->setVisible(m_controller.canChooseAddToDayOfWeek());
    connect(m_byWeekday, &QCheckBox::toggled, this, [this](bool byWeekday) {
        m_controller.setAddToDayOfWeek(byWeekday);
        fillDays();
    });
    connect(m_days, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        m_controller.setIncluded(m_days->row(item), item->checkState() == Qt::Checked);
    });

    auto* buttons = new QDialogButtonBox(this);
    m_add = buttons->addButton(QStringLiteral("Add"), QDialogButtonBox::ActionRole);
    m_add->setDefault(true);
    buttons->addButton(QStringLiteral("Done"), QDialogButtonBox::AcceptRole);
    connect(m_add, &QPushButton::clicked, this, &AddCourseSheet::addCoursePressed);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        m_controller.donePressed();
        accept();
    });

    // The day list gets the room: a name needs one line, the course list a few.
    m_tabs->setMaximumHeight(160);
    m_days->setMinimumHeight(150);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(new QLabel(QStringLiteral("Add the course on:"), this));
    layout->addWidget(m_byWeekday);
    layout->addWidget(m_days, 1);
    layout->addWidget(createDateChoice());
    layout->addWidget(buttons);
    fillDays();
    fillCourses();
    updateAddButton();
}

QWidget* AddCourseSheet::createNewCourseTab()
{
    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);
    m_name = new QLineEdit(page);
    form->addRow(QStringLiteral("Course name:"), m_name);
    return page;
}

QWidget* AddCourseSheet::createExistingCourseTab()
{
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    m_courses = new QListWidget(page);
    m_courses->setAccessibleName(tr("Existing courses"));
    layout->addWidget(m_courses);
    connect(m_courses, &QListWidget::currentRowChanged, this, [this](int row) {
        const QList<Course*> courses = m_controller.existingCourses();
        m_controller.setExistingCourse(row >= 0 && row < courses.size() ? courses.at(row) : nullptr);
        updateAddButton();
    });
    return page;
}

QWidget* AddCourseSheet::createDateChoice()
{
    auto* box = new QGroupBox(QStringLiteral("Dates"), this);
    auto* form = new QFormLayout(box);
    m_allDates = new QRadioButton(QStringLiteral("All dates"), box);
    m_range = new QRadioButton(QStringLiteral("Only between:"), box);
    m_allDates->setChecked(true);
    m_from = new QDateEdit(SheetDates::calendarDay(m_controller.startDate()), box);
    m_to = new QDateEdit(SheetDates::calendarDay(m_controller.endDate()), box);
    for (QDateEdit* picker : { m_from, m_to })
        picker->setCalendarPopup(true);
    form->addRow(m_allDates);
    form->addRow(m_range);
    form->addRow(QStringLiteral("From:"), m_from);
    form->addRow(QStringLiteral("To:"), m_to);
    return box;
}

void AddCourseSheet::fillDays()
{
    m_days->clear();
    for (const AddCourseRow& row : m_controller.rows()) {
        auto* item = new QListWidgetItem(row.dayOfWeekName, m_days);
        item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
        item->setCheckState(row.include ? Qt::Checked : Qt::Unchecked);
    }
}

void AddCourseSheet::fillCourses()
{
    m_courses->clear();
    for (const Course* course : m_controller.existingCourses())
        m_courses->addItem(course->courseName());
}

void AddCourseSheet::updateAddButton()
{
    m_add->setEnabled(m_controller.canAdd());
}

void AddCourseSheet::readDates()
{
    m_controller.setDateChoice(
        m_range->isChecked() ? AddCourseController::DateChoice::DateRange : AddCourseController::DateChoice::AllDates);
    m_controller.setStartDate(SheetDates::instant(m_from->date()));
    m_controller.setEndDate(SheetDates::instant(m_to->date()));
}

void AddCourseSheet::addCoursePressed()
{
    m_controller.setCourseNameText(m_name->text());
    readDates();
    const bool added = m_controller.addCoursePressed();
    // A refused name stays for the teacher to correct.
    m_name->setText(m_controller.courseNameText());
    if (added)
        fillCourses();
}
