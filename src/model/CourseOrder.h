#pragma once

#include <QHash>
#include <QList>

class Course;
class Lesson;

// A course's lessons in course order together with each lesson's place,
// taken once so that work stepping through a whole course (bumping, pulling
// back) sorts the course once rather than at every step. It goes stale as
// soon as a lesson of the course changes its day or its time.
class CourseOrder {
public:
    // No course: holds no lessons.
    CourseOrder() = default;
    explicit CourseOrder(const Course& course);

    const Course* course() const { return m_course; }
    const QList<Lesson*>& lessons() const { return m_lessons; }
    // The lesson's place in the course, or -1 when it belongs elsewhere.
    qsizetype indexOf(const Lesson* lesson) const { return m_places.value(lesson, -1); }
    // The lesson `distance` places from the given one, held at the course's
    // first and last lesson.
    Lesson* lessonAwayFrom(const Lesson* lesson, int distance) const;
    // The lesson and the course's lessons after it: those of a later day
    // and those of its day that start no earlier. None for a lesson of no
    // day or of another course.
    QList<Lesson*> lessonsFrom(const Lesson* lesson) const;

private:
    const Course* m_course = nullptr;
    QList<Lesson*> m_lessons;
    QHash<const Lesson*, qsizetype> m_places;
};
