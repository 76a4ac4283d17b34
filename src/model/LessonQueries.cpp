#include "model/Course.h"
#include "model/CourseOrder.h"
#include "model/Day.h"
#include "model/Lesson.h"

#include <algorithm>
#include <cmath>

Lesson* Lesson::lessonFollowing() const
{
    if (!course())
        return const_cast<Lesson*>(this);
    const QList<Lesson*> ordered = course()->allLessonsInOrder();
    const qsizetype index = ordered.indexOf(this);
    return index >= 0 && index + 1 < ordered.size() ? ordered[index + 1] : const_cast<Lesson*>(this);
}

qint64 Lesson::timeFromNow() const
{
    const Date date = dayTaught() ? dayTaught()->actualDate() : Date();
    return qint64(std::fabs(date.timeIntervalSince(Date::now())));
}

bool Lesson::startsOrEndsDuringLesson(const Lesson* other) const
{
    if (!hasTimes() || !other->hasTimes())
        return false;
    const Date start = *startTime();
    const Date end = *endTime();
    return other->startTime()->isBetween(start, end) || other->endTime()->isBetween(start, end)
        || (other->startTime() == start && other->endTime() == end);
}

// A distance reaching before the course's first lesson stops there, as one
// reaching past the last stops at the last.
Lesson* Lesson::lessonAwayFromCurrent(int distance)
{
    const Course* owner = course();
    if (!owner || owner->lessons().isEmpty())
        return this;
    return CourseOrder(*owner).lessonAwayFrom(this, distance);
}
