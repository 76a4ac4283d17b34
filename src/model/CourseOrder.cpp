#include "model/CourseOrder.h"

#include "model/Course.h"

#include <algorithm>

CourseOrder::CourseOrder(const Course& course)
    : m_course(&course)
    , m_lessons(course.allLessonsInOrder())
{
    m_places.reserve(m_lessons.size());
    for (qsizetype i = 0; i < m_lessons.size(); ++i)
        m_places.insert(m_lessons[i], i);
}

Lesson* CourseOrder::lessonAwayFrom(const Lesson* lesson, int distance) const
{
    if (m_lessons.isEmpty())
        return nullptr;
    return m_lessons[std::clamp<qsizetype>(indexOf(lesson) + distance, 0, m_lessons.size() - 1)];
}
