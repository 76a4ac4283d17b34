#include "schedule/CourseTimeController.h"

#include "foundation/dates/RotationLabels.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/Year.h"
#include "schedule/AssignTimesDateFormatter.h"

#include <algorithm>

namespace {

// One day of each kind of schedule day, the model for that kind's times.
QList<Day*> representativeDays(const Year& year)
{
    switch (year.typeOfSchedule()) {
    case Year::Traditional:
        return year.getOneDayCanBeCustom(Year::Custom::Excluded);
    case Year::WeeklyRepeating:
        return year.getOneDayOfEachDayInWeekCanBeCustom(Year::Custom::Excluded);
    default:
        return year.getOneDayOfEachDayInRotationCanBeCustom(Year::Custom::Excluded);
    }
}

// The key of a day's start or end column: by weekday, by day type letter
// (even for teachers who prefer numbered day types), or one pair of columns
// for all days of a traditional year.
QString columnKey(const Year& year, const Day& day, const QString& boundary)
{
    switch (year.typeOfSchedule()) {
    case Year::Traditional:
        return boundary + QStringLiteral(" Time");
    case Year::WeeklyRepeating:
        return QStringLiteral("%1 %2").arg(day.weekDayName(), boundary);
    default:
        return QStringLiteral("%1 %2").arg(RotationLabels::typeOfDayLetter(day.typeOfDay()), boundary);
    }
}

} // namespace

CourseTimeController::CourseTimeController(Year& year)
    : m_year(year)
{ }

QString CourseTimeController::startKey(const Day& day) const
{
    return columnKey(m_year, day, QStringLiteral("Start"));
}

QString CourseTimeController::endKey(const Day& day) const
{
    return columnKey(m_year, day, QStringLiteral("End"));
}

void CourseTimeController::createCourseTimeArray()
{
    m_columnKeys.clear();
    m_rows.clear();
    const QList<Day*> representatives = representativeDays(m_year);
    for (const Day* day : representatives) {
        for (const QString& key : { startKey(*day), endKey(*day) }) {
            if (!m_columnKeys.contains(key))
                m_columnKeys.append(key);
        }
    }
    QList<Course*> courses = m_year.myCourses();
    std::stable_sort(courses.begin(), courses.end(),
        [](const Course* a, const Course* b) { return a->courseNumber() < b->courseNumber(); });
    for (Course* course : courses)
        addRowsForCourse(*course, representatives);
}

void CourseTimeController::addRowsForCourse(Course& course, const QList<Day*>& representatives)
{
    qsizetype meetings = 0;
    for (const Day* day : representatives)
        meetings = std::max(meetings, day->lessonsInCourse(&course).size());
    for (int meeting = 0; meeting < meetings; ++meeting) {
        CourseTimeRow row;
        row.courseName
            = meetings > 1 ? QStringLiteral("%1 - %2").arg(course.courseName()).arg(meeting + 1) : course.courseName();
        row.course = &course;
        row.courseMeetingInDay = meeting;
        for (const Day* day : representatives) {
            if (const Lesson* lesson = day->lessonInCourse(&course, int(meeting))) {
                row.times.insert(startKey(*day), lesson->startTime());
                row.times.insert(endKey(*day), lesson->endTime());
            }
        }
        m_rows.append(row);
    }
}

QString CourseTimeController::cellText(qsizetype row, const QString& columnKey) const
{
    if (row < 0 || row >= m_rows.size() || !m_rows.at(row).times.contains(columnKey))
        return QStringLiteral("No Class");
    const std::optional<Date> time = m_rows.at(row).times.value(columnKey);
    return time ? AssignTimesDateFormatter::string(*time) : QString();
}

bool CourseTimeController::setCellText(qsizetype row, const QString& columnKey, const QString& text)
{
    if (row < 0 || row >= m_rows.size() || !m_rows.at(row).times.contains(columnKey))
        return false;
    const std::optional<Date> time = AssignTimesDateFormatter::parse(text);
    if (!time)
        return false;
    m_rows[row].times.insert(columnKey, *time);
    return true;
}

void CourseTimeController::applyChangesPressed()
{
    struct Change {
        Lesson* lesson;
        std::optional<Date> start;
        std::optional<Date> end;
    };
    // Every lesson is found before any time changes: a day's lessons are
    // ordered by start time, so setting the first meeting's time first could
    // make it the second meeting by the time the next row is applied.
    QList<Change> changes;
    for (const CourseTimeRow& row : std::as_const(m_rows)) {
        for (const Day* day : row.course->allDaysWithLessonsInOrder()) {
            const QString start = startKey(*day);
            if (day->isCustom() || !row.times.contains(start))
                continue;
            if (Lesson* lesson = day->lessonInCourse(row.course, int(row.courseMeetingInDay)))
                changes.append({ lesson, row.times.value(start), row.times.value(endKey(*day)) });
        }
    }
    for (const Change& change : std::as_const(changes)) {
        change.lesson->setDate(u"startTime", change.start);
        change.lesson->setDate(u"endTime", change.end);
        change.lesson->fixUpTimes();
    }
}
