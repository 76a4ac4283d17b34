#include "model/Course.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/ScheduleOrder.h"
#include "model/Year.h"
#include "store/ObjectContext.h"

#include <algorithm>
#include <tuple>

namespace {

bool isDrawn(const Lesson* lesson)
{
    return lesson->course() && lesson->course()->isDrawn();
}

bool overlapEitherWay(const Lesson* a, const Lesson* b)
{
    return a->startsOrEndsDuringLesson(b) || b->startsOrEndsDuringLesson(a);
}

Date dayDate(const Lesson* lesson)
{
    return lesson->dayTaught() ? lesson->dayTaught()->actualDate() : Date();
}

template <typename T> T* firstOrNull(const QList<T*>& list)
{
    return list.isEmpty() ? nullptr : list.first();
}

} // namespace

QList<Lesson*> Day::lessonsInOrder() const
{
    QList<Lesson*> ordered = lessons();
    ScheduleOrder::sortByStartTime(ordered);
    return ordered;
}

QList<Lesson*> Day::lessonsToDrawInOrder() const
{
    QList<Lesson*> drawn = lessons();
    drawn.removeIf([](const Lesson* lesson) { return !isDrawn(lesson); });
    std::sort(drawn.begin(), drawn.end(), [](const Lesson* a, const Lesson* b) {
        return std::tuple(a->startTime(), a->courseName(), a->primaryKey())
            < std::tuple(b->startTime(), b->courseName(), b->primaryKey());
    });
    return drawn;
}

Lesson* Day::firstVisibleLesson() const
{
    return firstOrNull(lessonsToDrawInOrder());
}

QList<Lesson*> Day::lessonsInCourse(const Course* course) const
{
    QList<Lesson*> result = lessonsInOrder();
    result.removeIf([course](const Lesson* lesson) { return lesson->course() != course; });
    return result;
}

Lesson* Day::lessonInCourse(const Course* course, int atIndex) const
{
    const QList<Lesson*> meetings = lessonsInCourse(course);
    return atIndex >= 0 && atIndex < meetings.size() ? meetings[atIndex] : nullptr;
}

int Day::positionOfLesson(const Lesson* lesson) const
{
    return int(std::max<qsizetype>(0, lessonsInCourse(lesson->course()).indexOf(lesson)));
}

bool Day::hasLessonInCourse(const Course* course) const
{
    const QList<Lesson*> all = lessons();
    return std::any_of(all.begin(), all.end(), [course](const Lesson* lesson) { return lesson->course() == course; });
}

bool Day::containsLessonWithData() const
{
    const QList<Lesson*> all = lessons();
    return std::any_of(all.begin(), all.end(), [](const Lesson* lesson) { return lesson->hasData(); });
}

std::optional<Date> Day::earliestLessonStartTime() const
{
    std::optional<Date> earliest;
    for (const Lesson* lesson : lessonsToDrawInOrder()) {
        if (const std::optional<Date> time = lesson->startTime()) {
            const Date start = time->timeOnDate(actualDate());
            earliest = earliest ? std::min(*earliest, start) : start;
        }
    }
    return earliest;
}

std::optional<Date> Day::latestLessonEndTime() const
{
    std::optional<Date> latest;
    for (const Lesson* lesson : lessonsToDrawInOrder()) {
        if (const std::optional<Date> time = lesson->endTime()) {
            const Date end = time->timeOnDate(actualDate());
            latest = latest ? std::max(*latest, end) : end;
        }
    }
    return latest;
}

Lesson* Day::findPreviousLessonInCourse(const Course* course, Date afterDate) const
{
    QList<Lesson*> candidates = course->allLessonsInOrder();
    candidates.removeIf([&](const Lesson* lesson) {
        const Date date = dayDate(lesson);
        return !lesson->dayTaught() || date >= actualDate() || date < afterDate;
    });
    // Latest day first; lessons of one day keep their order.
    std::stable_sort(
        candidates.begin(), candidates.end(), [](const Lesson* a, const Lesson* b) { return dayDate(a) > dayDate(b); });
    const auto found = std::find_if(candidates.begin(), candidates.end(), [](const Lesson* l) { return l->hasData(); });
    return found != candidates.end() ? *found : nullptr;
}

Lesson* Day::findNextLessonInCourse(const Course* course, Date beforeDate, Content content) const
{
    const bool wanted = content == Content::WithData;
    for (Lesson* lesson : course->allLessonsInOrder()) {
        const Date date = dayDate(lesson);
        if (lesson->dayTaught() && date > actualDate() && date <= beforeDate && lesson->hasData() == wanted)
            return lesson;
    }
    return nullptr;
}

Lesson* Day::getLessonThatStartsClosestTo(Date time) const
{
    const QList<Lesson*> drawn = lessonsToDrawInOrder();
    if (isNonSchoolDay() || drawn.isEmpty())
        return nullptr;
    for (Lesson* lesson : drawn) {
        if (lesson->hasTimes() && time.isBetween(*lesson->startTime(), *lesson->endTime()))
            return lesson;
    }
    Lesson* closest = nullptr;
    double smallest = 1000000;
    for (Lesson* lesson : drawn) {
        if (!lesson->startTime())
            continue;
        const double ahead = lesson->startTime()->timeIntervalSince(time);
        if (ahead > 0 && ahead < smallest) {
            smallest = ahead;
            closest = lesson;
        }
    }
    return closest ? closest : drawn.first();
}

QList<Lesson*> Day::drawnLessonsOverlapping(const Lesson* lesson) const
{
    QList<Lesson*> result = lessons();
    result.removeIf([lesson](const Lesson* other) {
        return other == lesson || !isDrawn(other) || !overlapEitherWay(lesson, other);
    });
    return result;
}

int Day::positionAmongThoseSharingSameTimeOfLesson(const Lesson* lesson) const
{
    QList<Lesson*> group = drawnLessonsOverlapping(lesson);
    group.append(const_cast<Lesson*>(lesson));
    std::sort(group.begin(), group.end(), [](const Lesson* a, const Lesson* b) {
        // Longer lessons first; one without times counts as the shortest.
        return std::tuple(a->startTime(), -a->length().value_or(0), a->courseName(), a->primaryKey())
            < std::tuple(b->startTime(), -b->length().value_or(0), b->courseName(), b->primaryKey());
    });
    return int(group.indexOf(lesson));
}

int Day::lessonsMeetingAtSameTimeAs(const Lesson* lesson) const
{
    const QList<Lesson*> group = drawnLessonsOverlapping(lesson);
    if (group.isEmpty())
        return 0;
    qsizetype most = 0;
    for (const Lesson* member : group) {
        const qsizetype overlaps = std::count_if(group.begin(), group.end(),
            [member](const Lesson* other) { return other != member && overlapEitherWay(member, other); });
        most = std::max(most, overlaps);
    }
    return int(most) + 1;
}
