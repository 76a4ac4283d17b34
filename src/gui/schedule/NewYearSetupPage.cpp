#include "gui/schedule/NewYearSetupPage.h"

#include "foundation/dates/DateFormatting.h"
#include "foundation/dates/LocalCalendar.h"
#include "schedule/CreateNewSemestraController.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Letters name the rotation days ("A day", "B day", ...), so a rotation
// longer than the alphabet could not be told apart.
constexpr int longestRotation = 26;

QDate calendarDay(Date date)
{
    const DateComponents day = LocalCalendar::components(date);
    return QDate(day.year, day.month, day.day);
}

Date localMidnight(QDate day)
{
    return LocalCalendar::dateFromComponents(DateComponents { day.year(), day.month(), day.day(), 0, 0, 0 });
}

} // namespace

NewYearSetupPage::NewYearSetupPage(CreateNewSemestraController& controller, QWidget* parent)
    : QWidget(parent)
    , m_controller(controller)
{
    auto* heading = new QLabel(tr("Set up your school year"), this);
    QFont headingFont = heading->font();
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.3);
    headingFont.setBold(true);
    heading->setFont(headingFont);

    auto* left = new QVBoxLayout;
    left->addWidget(createDatesBox());
    left->addWidget(createWeekdaysBox());
    left->addWidget(createScheduleBox());
    left->addWidget(createFieldsBox());
    left->addStretch();

    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addWidget(createCoursesBox(), 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(heading);
    layout->addSpacing(6);
    layout->addLayout(columns);
}

void NewYearSetupPage::focusCourseName()
{
    m_courseName->setFocus();
}

QWidget* NewYearSetupPage::createDatesBox()
{
    auto* box = new QGroupBox(tr("School year"), this);
    m_startDate = createDateEdit(QStringLiteral("startDate"));
    m_startDate->setDate(calendarDay(m_controller.startDate()));
    m_endDate = createDateEdit(QStringLiteral("endDate"));
    m_endDate->setDate(calendarDay(m_controller.endDate()));
    connect(m_startDate, &QDateEdit::dateChanged, this,
        [this](QDate day) { m_controller.setStartDate(localMidnight(day)); });
    connect(
        m_endDate, &QDateEdit::dateChanged, this, [this](QDate day) { m_controller.setEndDate(localMidnight(day)); });

    auto* form = new QFormLayout(box);
    form->addRow(tr("First day:"), m_startDate);
    form->addRow(tr("Last day:"), m_endDate);
    return box;
}

QDateEdit* NewYearSetupPage::createDateEdit(const QString& objectName)
{
    auto* edit = new QDateEdit(this);
    edit->setObjectName(objectName);
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(locale().dateFormat(QLocale::LongFormat));
    return edit;
}

QWidget* NewYearSetupPage::createWeekdaysBox()
{
    auto* box = new QGroupBox(tr("Days you teach"), this);
    auto* row = new QHBoxLayout(box);
    const QStringList names = DateFormatting::weekdaySymbols(DateFormatting::SymbolWidth::Short);
    const QStringList fullNames = DateFormatting::weekdaySymbols(DateFormatting::SymbolWidth::Full);
    for (int weekday = 0; weekday < names.size(); ++weekday) {
        auto* check = new QCheckBox(names.at(weekday), box);
        check->setObjectName(QStringLiteral("weekday%1").arg(weekday));
        check->setToolTip(fullNames.value(weekday));
        check->setChecked(m_controller.isTeachingDay(weekday));
        connect(check, &QCheckBox::toggled, this,
            [this, weekday](bool teaches) { m_controller.setTeachingDay(weekday, teaches); });
        row->addWidget(check);
    }
    row->addStretch();
    return box;
}

QWidget* NewYearSetupPage::createCoursesBox()
{
    auto* box = new QGroupBox(tr("Courses"), this);
    m_courseName = new QLineEdit(box);
    m_courseName->setObjectName(QStringLiteral("courseName"));
    m_courseName->setPlaceholderText(tr("Course name, e.g. Biology 7"));
    auto* add = new QPushButton(tr("Add"), box);
    add->setObjectName(QStringLiteral("addCourse"));
    add->setAutoDefault(false);
    auto* remove = new QPushButton(tr("Delete"), box);
    remove->setObjectName(QStringLiteral("deleteCourse"));
    remove->setAutoDefault(false);
    m_courseList = new QListWidget(box);
    m_courseList->setObjectName(QStringLiteral("courseList"));
    m_courseList->setMinimumHeight(160);
    m_courseList->setSpacing(2);
    m_courseList->setAccessibleName(tr("Courses of the new year"));
    m_courseName->setAccessibleName(tr("Course name"));
    add->setAccessibleName(tr("Add course"));
    remove->setAccessibleName(tr("Delete course"));
    auto* hint = new QLabel(tr("Press Return after each course."), box);
    hint->setEnabled(false);

    connect(m_courseName, &QLineEdit::returnPressed, this, &NewYearSetupPage::addCourse);
    connect(add, &QPushButton::clicked, this, &NewYearSetupPage::addCourse);
    connect(remove, &QPushButton::clicked, this, &NewYearSetupPage::deleteCourse);

    auto* entry = new QHBoxLayout;
    entry->addWidget(m_courseName, 1);
    entry->addWidget(add);
    auto* removeRow = new QHBoxLayout;
    removeRow->addWidget(hint);
    removeRow->addStretch();
    removeRow->addWidget(remove);

    auto* layout = new QVBoxLayout(box);
    layout->addLayout(entry);
    layout->addWidget(m_courseList, 1);
    layout->addLayout(removeRow);
    return box;
}

// Names for the lesson fields, proposed so that the year is ready to write
// in; ticked fields show in the planning views. Both can change later in
// the lesson editor.
QWidget* NewYearSetupPage::createFieldsBox()
{
    auto* box = new QGroupBox(tr("Lesson fields"), this);
    auto* grid = new QGridLayout(box);
    constexpr int fieldCount = 6;
    for (int field = 0; field < fieldCount; ++field) {
        auto* shown = new QCheckBox(box);
        shown->setObjectName(QStringLiteral("fieldShown%1").arg(field));
        shown->setChecked(m_controller.isFieldShown(field));
        shown->setToolTip(tr("Show this field in the day, week and month views"));
        auto* title = new QLineEdit(m_controller.fieldTitle(field), box);
        title->setObjectName(QStringLiteral("fieldTitle%1").arg(field));
        title->setAccessibleName(tr("Name of lesson field %1").arg(field + 1));
        shown->setAccessibleName(tr("Show lesson field %1").arg(field + 1));
        connect(shown, &QCheckBox::toggled, this, [this, field](bool on) { m_controller.setFieldShown(field, on); });
        connect(title, &QLineEdit::textEdited, this,
            [this, field](const QString& text) { m_controller.setFieldTitle(field, text); });
        // Two columns of three keep the page as tall as it was.
        const int row = field % 3;
        const int column = (field / 3) * 2;
        grid->addWidget(shown, row, column);
        grid->addWidget(title, row, column + 1);
    }
    return box;
}

QWidget* NewYearSetupPage::createScheduleBox()
{
    auto* box = new QGroupBox(tr("Schedule"), this);
    const QStringList rows { tr("Traditional: every course meets every day"),
        tr("Weekly: courses meet on chosen weekdays"), tr("A/B: two alternating days"), tr("Rotating:") };
    auto* group = new QButtonGroup(box);
    auto* grid = new QGridLayout(box);
    for (int row = 0; row < rows.size(); ++row) {
        auto* choice = new QRadioButton(rows.at(row), box);
        choice->setObjectName(QStringLiteral("schedule%1").arg(row));
        group->addButton(choice, row);
        grid->addWidget(choice, row, 0, 1, row + 1 < rows.size() ? 3 : 1);
    }

    m_rotationLength = new QSpinBox(box);
    m_rotationLength->setObjectName(QStringLiteral("rotationLength"));
    m_rotationLength->setRange(1, longestRotation);
    m_rotationLength->setValue(std::max(1, m_controller.rotationLength()));
    m_controller.setRotationLength(m_rotationLength->value());
    grid->addWidget(m_rotationLength, rows.size() - 1, 1);
    grid->addWidget(new QLabel(tr("days in the rotation"), box), rows.size() - 1, 2);
    grid->setColumnStretch(2, 1);
    connect(m_rotationLength, &QSpinBox::valueChanged, this,
        [this](int length) { m_controller.setRotationLength(length); });

    const auto showSchedule = [this](int row) {
        const auto schedule = NewYearPlan::Schedule(row);
        m_controller.setSchedule(schedule);
        m_rotationLength->setEnabled(schedule == NewYearPlan::Schedule::Rotating);
    };
    group->button(int(m_controller.schedule()))->setChecked(true);
    showSchedule(int(m_controller.schedule()));
    connect(group, &QButtonGroup::idToggled, this, [showSchedule](int row, bool checked) {
        if (checked)
            showSchedule(row);
    });
    return box;
}

void NewYearSetupPage::addCourse()
{
    if (m_controller.addCourse(m_courseName->text()) == CreateNewSemestraController::AddCourseResult::Added) {
        m_courseName->clear();
        showCourses();
    }
    m_courseName->setFocus();
}

void NewYearSetupPage::deleteCourse()
{
    m_controller.deleteCourse(m_courseList->currentItem() ? m_courseList->currentRow() : -1);
    showCourses();
}

void NewYearSetupPage::showCourses()
{
    m_courseList->clear();
    m_courseList->addItems(m_controller.courseNames());
}
