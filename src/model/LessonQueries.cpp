#include "model/Course.h"
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
    return other->startTime().isBetween(startTime(), endTime()) || other->endTime().isBetween(startTime(), endTime())
        || (other->startTime() == startTime() && other->endTime() == endTime());
}

// A distance reaching before the course's first lesson stops there, as one
// reaching past the last stops at the last.
Lesson* Lesson::lessonAwayFromCurrent(int distance)
{
    Course* owner = course();
    if (!owner)
        return this;
    const QList<Lesson*> ordered = owner->allLessonsInOrder();
    const qsizetype target = ordered.indexOf(this) + distance;
    return ordered[std::clamp<qsizetype>(target, 0, ordered.size() - 1)];
}
