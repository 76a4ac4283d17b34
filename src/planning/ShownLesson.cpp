#include "planning/ShownLesson.h"

#include "model/Course.h"
#include "model/Day.h"
#include "model/Lesson.h"

#include <cmath>

namespace {

Lesson* nearestLesson(const Course& course, Date date)
{
    Lesson* nearest = nullptr;
    double nearestDistance = 0;
    for (Lesson* lesson : course.allLessonsInOrder()) {
        const Day* day = lesson->dayTaught();
        if (!day)
            continue;
        const double distance = std::abs(day->actualDate().timeIntervalSince(date));
        // Lessons come in date order, so a later lesson at the same distance wins.
        if (!nearest || distance <= nearestDistance) {
            nearest = lesson;
            nearestDistance = distance;
        }
    }
    return nearest;
}

} // namespace

void ShownLesson::set(Lesson* lesson)
{
    m_lesson = lesson;
    m_course = lesson ? lesson->course() : nullptr;
    const Day* day = lesson ? lesson->dayTaught() : nullptr;
    m_date = day ? day->actualDate() : Date();
}

bool ShownLesson::replaceIfDeleted()
{
    if (!m_lesson || !m_lesson->isDeleted())
        return false;
    Lesson* replacement = m_course && !m_course->isDeleted() ? nearestLesson(*m_course, m_date) : nullptr;
    set(replacement);
    return true;
}
