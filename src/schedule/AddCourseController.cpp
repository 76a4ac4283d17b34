#include "schedule/AddCourseController.h"

#include "foundation/alerts/AlertPresenter.h"
#include "foundation/dates/DateFormatting.h"
#include "foundation/dates/RotationLabels.h"
#include "foundation/notify/NotificationCenter.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Year.h"
#include "planning/PlanningNotifications.h"

#include <algorithm>

AddCourseController::AddCourseController(Year& year, AlertPresenter& alerts)
    : m_year(year)
    , m_alerts(alerts)
{ }

void AddCourseController::windowDidLoad()
{
    m_startDate = m_year.startDate();
    m_endDate = m_year.endDate();
    setupDaysForNewCourseTableView();
}

bool AddCourseController::rotatesByType() const
{
    return !m_year.isNonRotating() && !m_addToDayOfWeek;
}

void AddCourseController::setupDaysForNewCourseTableView()
{
    m_rows.clear();
    if (rotatesByType()) {
        for (int type = 0; type < m_year.repeatInterval(); ++type)
            m_rows.append({ false, RotationLabels::typeOfDayLetter(type), type });
        return;
    }
    const QHash<QString, bool> taught = m_year.getDaysInWeek();
    const QStringList names = DateFormatting::weekdaySymbols(DateFormatting::SymbolWidth::Full);
    for (int index = 0; index < names.size(); ++index) {
        if (taught.value(names.at(index)))
            m_rows.append({ false, names.at(index), index });
    }
}

void AddCourseController::setIncluded(qsizetype row, bool include)
{
    if (row >= 0 && row < m_rows.size())
        m_rows[row].include = include;
}

bool AddCourseController::canChooseAddToDayOfWeek() const
{
    return !m_year.isNonRotating();
}

void AddCourseController::setAddToDayOfWeek(bool byWeekday)
{
    m_addToDayOfWeek = byWeekday && canChooseAddToDayOfWeek();
    setupDaysForNewCourseTableView();
}

QList<Course*> AddCourseController::existingCourses() const
{
    QList<Course*> courses = m_year.myCourses();
    std::stable_sort(courses.begin(), courses.end(),
        [](const Course* a, const Course* b) { return a->courseNumber() < b->courseNumber(); });
    return courses;
}

bool AddCourseController::canAdd() const
{
    return m_tab == Tab::NewCourse || m_existingCourse;
}

bool AddCourseController::addCoursePressed()
{
    if (!canAdd())
        return false;
    if (m_tab == Tab::NewCourse) {
        if (!createNewCourseAndAdd())
            return false;
    } else {
        goThroughTableViewArrayAndAddCourse(m_existingCourse);
    }
    NotificationCenter::defaultCenter().post(PlanningNotifications::courseAdded, &m_year);
    return true;
}

bool AddCourseController::createNewCourseAndAdd()
{
    const QString name = m_courseNameText.trimmed();
    if (name.isEmpty()) {
        m_alerts.inform(QStringLiteral("No Course Name"), QStringLiteral("Please type a name for the new course."));
        return false;
    }
    if (m_year.getCourseWithName(name)) {
        m_alerts.inform(QStringLiteral("Course Already Exists"),
            QStringLiteral("A course named \"%1\" already exists.  Please choose another name.").arg(name));
        return false;
    }
    Course* course = m_year.createCourseWithName(name);
    course->updateTime();
    goThroughTableViewArrayAndAddCourse(course);
    m_courseNameText.clear();
    return true;
}

void AddCourseController::goThroughTableViewArrayAndAddCourse(Course* course)
{
    for (const AddCourseRow& row : std::as_const(m_rows)) {
        if (!row.include)
            continue;
        addCourseToDays(course,
            rotatesByType() ? m_year.getAllDaysWithType(row.position, Year::Custom::Excluded)
                            : m_year.getAllDaysWithDayOfWeek(row.dayOfWeekName, Year::Custom::Excluded));
    }
    m_year.noteCourseMeetsOnlySomeDays();
}

void AddCourseController::addCourseToDays(Course* course, QList<Day*> days)
{
    if (m_dateChoice == DateChoice::DateRange) {
        const Date first = m_startDate.midnightDate();
        const Date last = m_endDate.elevenFiftyNineDate();
        days.removeIf([&](const Day* day) { return day->actualDate() < first || day->actualDate() > last; });
    }
    // Days of a rotation given a course by weekday no longer follow their
    // type: they become custom days, all of one weekday sharing one name.
    const bool makeCustom = !m_year.isNonRotating() && m_addToDayOfWeek;
    const QString customName = makeCustom ? unusedCustomDayName() : QString();
    for (Day* day : std::as_const(days)) {
        day->addLessonInCourse(course);
        if (makeCustom) {
            day->setValue(u"isCustom", true);
            day->setValue(u"holidayName", customName);
        }
    }
}

bool AddCourseController::customDayExistsWithName(const QString& name) const
{
    const QList<Day*> custom = m_year.getAllCustomDays();
    return std::any_of(custom.begin(), custom.end(), [&](const Day* day) { return day->holidayName() == name; });
}

QString AddCourseController::unusedCustomDayName() const
{
    for (int number = 1;; ++number) {
        const QString name = QStringLiteral("Custom Day %1").arg(number);
        if (!customDayExistsWithName(name))
            return name;
    }
}
