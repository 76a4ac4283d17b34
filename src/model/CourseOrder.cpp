#include "model/CourseOrder.h"

#include "model/Course.h"
#include "model/Day.h"
#include "model/Lesson.h"

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

namespace {

bool startsTogether(const Lesson* a, const Lesson* b)
{
    return a->dayTaught() && a->dayTaught()->actualDate() == b->dayTaught()->actualDate()
        && a->startTime() == b->startTime();
}

} // namespace

QList<Lesson*> CourseOrder::lessonsFrom(const Lesson* lesson) const
{
    qsizetype first = indexOf(lesson);
    if (first < 0 || !lesson->dayTaught())
        return {};
    // Lessons that start together are in no particular order among
    // themselves: each counts as after the others.
    while (first > 0 && startsTogether(m_lessons[first - 1], lesson))
        --first;
    QList<Lesson*> result = m_lessons.mid(first);
    result.removeIf([](const Lesson* other) { return !other->dayTaught(); });
    return result;
}
