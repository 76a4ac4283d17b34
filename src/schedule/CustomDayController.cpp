#include "schedule/CustomDayController.h"

#include "foundation/alerts/AlertPresenter.h"
#include "foundation/notify/NotificationCenter.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/Year.h"
#include "planning/PlanningNotifications.h"

#include <QSet>

namespace {

// Taken before any lesson goes: removing a course removes all its lessons.
QList<const Course*> coursesOf(const Day& day)
{
    QList<const Course*> courses;
    for (const Lesson* lesson : day.lessonsInOrder()) {
        if (!courses.contains(lesson->course()))
            courses.append(lesson->course());
    }
    return courses;
}

} // namespace

QString CustomDayController::CustomDayRow::title() const
{
    return QStringLiteral("%1 on %2").arg(name, day->mediumDateString());
}

CustomDayController::CustomDayController(AlertPresenter& alerts)
    : m_alerts(alerts)
{ }

void CustomDayController::showFor(Day* day)
{
    m_day = day;
    m_name.clear();
    m_selectedCustomDay = -1;
    makeCourseArray();
    makeCustomDayArray();
}

void CustomDayController::makeCourseArray()
{
    m_courseRows.clear();
    if (!m_day || !m_day->year())
        return;
    for (Course* course : m_day->year()->allCoursesInAlphabeticalOrder())
        m_courseRows.append({ false, course });
}

// One row per name: the first day met stands for all the days that share it.
void CustomDayController::makeCustomDayArray()
{
    m_customDayRows.clear();
    if (!m_day || !m_day->year())
        return;
    QSet<QString> seen;
    for (Day* custom : m_day->year()->getAllCustomDays()) {
        const QString name
            = custom->holidayName().isEmpty() ? QStringLiteral("No Name Provided") : custom->holidayName();
        if (!seen.contains(name)) {
            seen.insert(name);
            m_customDayRows.append({ name, custom });
        }
    }
}

void CustomDayController::setCourseMarked(qsizetype row, bool add)
{
    if (row >= 0 && row < m_courseRows.size())
        m_courseRows[row].add = add;
}

QList<Course*> CustomDayController::markedCourses() const
{
    QList<Course*> marked;
    for (const CourseRow& row : m_courseRows) {
        if (row.add && row.course)
            marked.append(row.course);
    }
    return marked;
}

bool CustomDayController::canCreate() const
{
    if (!m_day)
        return false;
    return m_tab == NewCustomDay || (m_selectedCustomDay >= 0 && m_selectedCustomDay < m_customDayRows.size());
}

CustomDayController::Outcome CustomDayController::createCustomPressed()
{
    if (!canCreate())
        return Outcome::StayOpen;
    return m_tab == NewCustomDay ? createNew() : applyExisting();
}

void CustomDayController::cancelPressed()
{
    m_day = nullptr;
}

CustomDayController::Outcome CustomDayController::createNew()
{
    const QList<Course*> marked = markedCourses();
    if (marked.isEmpty()) {
        m_alerts.inform(QStringLiteral("No Courses Selected"),
            QStringLiteral("Please choose at least one course for your custom day."));
        return Outcome::StayOpen;
    }
    const QString name = m_name.isEmpty() ? m_day->newCustomName() : m_name;
    if (m_day->customDayExistsWithName(name)) {
        m_alerts.inform(QStringLiteral("A Custom Day With That Name Already Exists"),
            QStringLiteral("Please choose a unique name for this custom day."));
        return Outcome::StayOpen;
    }
    for (const Course* course : coursesOf(*m_day)) {
        if (!marked.contains(course))
            m_day->removeLessonInCourse(course);
    }
    for (Course* course : marked) {
        if (!m_day->hasLessonInCourse(course))
            m_day->addLessonInCourse(course);
    }
    m_day->setValue(u"isCustom", true);
    m_day->setValue(u"isHoliday", false);
    m_day->setValue(u"isCancelled", false);
    m_day->setValue(u"holidayName", name);
    finish();
    return Outcome::Closed;
}

// Lessons of the courses both days share keep their content; only the set
// of courses and the meeting times change.
CustomDayController::Outcome CustomDayController::applyExisting()
{
    const Day* model = m_customDayRows[m_selectedCustomDay].day;
    for (const Course* course : coursesOf(*m_day)) {
        if (!model->hasLessonInCourse(course))
            m_day->removeLessonInCourse(course);
    }
    const QList<Lesson*> modelLessons = model->lessonsInOrder();
    for (const Lesson* lesson : modelLessons) {
        if (!m_day->hasLessonInCourse(lesson->course()))
            m_day->addLessonInCourse(lesson->course());
    }
    for (const Lesson* lesson : modelLessons) {
        Lesson* own = m_day->lessonInCourse(lesson->course(), 0);
        own->setDate(u"startTime", lesson->startTime());
        own->setDate(u"endTime", lesson->endTime());
        own->fixUpTimes();
    }
    m_day->setValue(u"holidayName", model->holidayName());
    m_day->setValue(u"isCustom", true);
    m_day->setValue(u"isHoliday", false);
    m_day->setValue(u"isCancelled", false);
    finish();
    return Outcome::Closed;
}

void CustomDayController::finish()
{
    Day* day = m_day;
    day->updateTime();
    NotificationCenter& center = NotificationCenter::defaultCenter();
    center.post(PlanningNotifications::planningModesNeedRefresh, day);
    if (Lesson* first = day->firstVisibleLesson())
        center.post(PlanningNotifications::lessonClicked, first);
    m_courseRows.clear();
    m_customDayRows.clear();
    m_day = nullptr;
}
