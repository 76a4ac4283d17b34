#include "model/ScheduleOrder.h"

#include "model/Day.h"
#include "model/Lesson.h"

#include <algorithm>
#include <tuple>

namespace {

template <typename T, typename Key> void sortByKey(QList<T*>& records, Key key)
{
    std::sort(records.begin(), records.end(), [&key](const T* a, const T* b) {
        return std::tuple(key(a), a->primaryKey()) < std::tuple(key(b), b->primaryKey());
    });
}

Date dayDate(const Lesson* lesson)
{
    return lesson->dayTaught() ? lesson->dayTaught()->actualDate() : Date();
}

} // namespace

void ScheduleOrder::sortByDate(QList<Day*>& days)
{
    sortByKey(days, [](const Day* day) { return day->actualDate(); });
}

void ScheduleOrder::sortInCourseOrder(QList<Lesson*>& lessons)
{
    sortByKey(lessons, [](const Lesson* lesson) { return std::pair(dayDate(lesson), lesson->startTime()); });
}

void ScheduleOrder::sortByStartTime(QList<Lesson*>& lessons)
{
    sortByKey(lessons, [](const Lesson* lesson) { return lesson->startTime(); });
}
