#include "schedule/RemoveCourseController.h"

#include "foundation/alerts/AlertPresenter.h"
#include "foundation/dates/DateFormatting.h"
#include "foundation/dates/RotationLabels.h"
#include "foundation/notify/NotificationCenter.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/Year.h"
#include "planning/PlanningNotifications.h"

#include <QSet>

#include <algorithm>

RemoveCourseController::RemoveCourseController(Year& year, AlertPresenter& alerts)
    : m_year(year)
    , m_alerts(alerts)
{
    const QList<Course*> all = courses();
    popUpChanged(all.isEmpty() ? nullptr : all.first());
}

QList<Course*> RemoveCourseController::courses() const
{
    return m_year.allCoursesInAlphabeticalOrder();
}

void RemoveCourseController::popUpChanged(Course* course)
{
    m_course = course;
    daysForCourse();
}

bool RemoveCourseController::rotatesByType() const
{
    return !m_year.isNonRotating();
}

// A row for every weekday or day type on which any regular day holds the
// course, not only the one a sample day would show: a course may meet on a
// weekday only within part of the year.
void RemoveCourseController::daysForCourse()
{
    m_rows.clear();
    if (!m_course)
        return;
    QSet<int> types;
    QSet<QString> weekdays;
    for (const Lesson* lesson : m_course->lessons()) {
        const Day* day = lesson->dayTaught();
        if (!day || day->isNonSchoolDay() || day->isCustom())
            continue;
        types.insert(day->typeOfDay());
        weekdays.insert(day->weekDayName());
    }
    if (rotatesByType()) {
        for (int type = 0; type < m_year.repeatInterval(); ++type) {
            if (types.contains(type))
                m_rows.append({ false, RotationLabels::typeOfDayLetter(type), type });
        }
        return;
    }
    const QStringList names = DateFormatting::weekdaySymbols(DateFormatting::SymbolWidth::Full);
    for (int index = 0; index < names.size(); ++index) {
        if (weekdays.contains(names.at(index)))
            m_rows.append({ false, names.at(index), index });
    }
}

void RemoveCourseController::setIncluded(qsizetype row, bool include)
{
    if (row >= 0 && row < m_rows.size())
        m_rows[row].include = include;
}

QList<Day*> RemoveCourseController::daysOfRow(const RemoveCourseRow& row) const
{
    return rotatesByType() ? m_year.getAllDaysWithType(row.position, Year::Custom::Excluded)
                           : m_year.getAllDaysWithDayOfWeek(row.dayString, Year::Custom::Excluded);
}

RemoveCourseController::Check RemoveCourseController::checkIfOkToRemove() const
{
    if (rotatesByType() && m_year.getAllDaysIncludingCustom(Year::Custom::Excluded).isEmpty())
        return Check::AllDaysCustom;
    bool anyIncluded = false;
    for (const RemoveCourseRow& row : m_rows) {
        if (!row.include)
            continue;
        anyIncluded = true;
        // A day is left empty only when every one of its lessons is this
        // course's; another course's lesson keeps it in use.
        for (const Day* day : daysOfRow(row)) {
            const QList<Lesson*> lessons = day->lessons();
            if (!lessons.isEmpty() && std::all_of(lessons.begin(), lessons.end(), [&](const Lesson* l) {
                    return l->course() == m_course;
                }))
                return Check::WouldEmptyADay;
        }
    }
    return anyIncluded || m_rows.isEmpty() ? Check::Removable : Check::NothingIncluded;
}

void RemoveCourseController::removePressed()
{
    if (!m_course)
        return;
    switch (checkIfOkToRemove()) {
    case Check::Removable: {
        const bool leavesYear = std::all_of(m_rows.begin(), m_rows.end(), [](const auto& row) { return row.include; });
        if (leavesYear && !confirmRemovingCourse())
            return;
        const QString name = m_course->courseName();
        removeFromIncludedRows();
        if (leavesYear) {
            m_resultText += QStringLiteral("The course %1 was also removed from your Semestra.  Lessons in %1 were "
                                           "removed from custom days")
                                .arg(name);
            removeCourseFromYear();
        } else {
            m_year.noteCourseMeetsOnlySomeDays();
        }
        finishRemoval();
        return;
    }
    case Check::AllDaysCustom:
        if (m_alerts.runModal({ QStringLiteral("All Days Are Custom"),
                QStringLiteral("You only have custom days in your schedule.  All lessons in the selected course, and "
                               "the course itself, will be removed."),
                QStringLiteral("Remove All"), QStringLiteral("Cancel"), {} })
            != AlertDefaultReturn)
            return;
        m_resultText.clear();
        removeCourseFromYear();
        finishRemoval();
        return;
    case Check::NothingIncluded:
        m_alerts.inform(QStringLiteral("No days selected."),
            QStringLiteral("Please select at least on day from which a course should be removed."));
        return;
    case Check::WouldEmptyADay:
        m_alerts.inform(QStringLiteral("Cannot remove course from selected days"),
            QStringLiteral("Removing the selected course from the selected days will result in no lessons assigned to "
                           "a day.  Please ensure that all days will have lessons after deleting lessons."));
        return;
    }
}

bool RemoveCourseController::confirmRemovingCourse() const
{
    return m_alerts.runModal({ QStringLiteral("Remove Course?"),
               QStringLiteral("Removing %1 from all of its days removes the course itself, all of its lessons "
                              "(including those on custom days) and its units.  This cannot be undone.")
                   .arg(m_course->courseName()),
               QStringLiteral("Remove Course"), QStringLiteral("Cancel"), {} })
        == AlertDefaultReturn;
}

QString RemoveCourseController::rowName(const RemoveCourseRow& row) const
{
    return rotatesByType() ? QStringLiteral("%1 days").arg(QChar(char16_t(u'A' + row.position)))
                           : QStringLiteral("%1s").arg(row.dayString);
}

void RemoveCourseController::removeFromIncludedRows()
{
    QStringList names;
    for (const RemoveCourseRow& row : std::as_const(m_rows)) {
        if (!row.include)
            continue;
        for (Day* day : daysOfRow(row))
            day->removeLessonInCourse(m_course);
        names.append(rowName(row));
    }
    m_resultText = names.isEmpty() ? QString()
                                   : QStringLiteral("Lessons in the course %1 were deleted on %2.  ")
                                         .arg(m_course->courseName(), names.join(QStringLiteral(", ")));
}

void RemoveCourseController::removeCourseFromYear()
{
    m_year.removeCourse(m_course);
    m_course = nullptr;
}

void RemoveCourseController::finishRemoval()
{
    NotificationCenter::defaultCenter().post(PlanningNotifications::courseAdded, &m_year);
    if (!m_course) {
        const QList<Course*> remaining = courses();
        m_course = remaining.isEmpty() ? nullptr : remaining.first();
    }
    daysForCourse();
}
