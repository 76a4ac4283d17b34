#include "schedule/AddCourseToSingleDayController.h"

#include "foundation/notify/NotificationCenter.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/Year.h"
#include "planning/PlanningNotifications.h"

void AddCourseToSingleDayController::setDay(Day* day)
{
    m_day = day;
    m_chosenCourse.clear();
}

QStringList AddCourseToSingleDayController::courseNames() const
{
    QStringList names;
    if (m_day && m_day->year()) {
        for (const Course* course : m_day->year()->courses())
            names << course->courseName();
    }
    return names;
}

bool AddCourseToSingleDayController::canAdd() const
{
    return m_day && m_day->year() && m_day->year()->getCourseWithName(m_chosenCourse);
}

Lesson* AddCourseToSingleDayController::addCoursePressed()
{
    if (!canAdd())
        return nullptr;
    Lesson* lesson = m_day->addLessonInCourse(m_day->year()->getCourseWithName(m_chosenCourse));
    if (!m_day->isCustomDay()) {
        m_day->setValue(u"holidayName", m_day->newCustomName());
        m_day->setValue(u"isCustom", true);
    }
    NotificationCenter& center = NotificationCenter::defaultCenter();
    center.post(PlanningNotifications::planningModesNeedRefresh, m_day);
    center.post(PlanningNotifications::lessonClicked, lesson);
    m_day = nullptr;
    return lesson;
}
