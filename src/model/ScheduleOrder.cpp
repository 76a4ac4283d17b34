#include "model/ScheduleOrder.h"

#include "model/Day.h"
#include "model/Lesson.h"

#include <algorithm>
#include <tuple>
#include <type_traits>
#include <vector>

namespace {

// Each record's key is read once, not at every comparison: reading it goes
// through the record's properties, which costs more than the comparison.
// Records mostly come in order already, with the few added since at the
// end: only what follows the ordered run is sorted, then merged into it.
template <typename T, typename Key> void sortByKey(QList<T*>& records, Key key)
{
    using Entry = std::tuple<std::invoke_result_t<Key, const T*>, qint64, T*>;
    std::vector<Entry> entries;
    entries.reserve(records.size());
    for (T* record : std::as_const(records))
        entries.emplace_back(key(record), record->primaryKey(), record);
    const auto before = [](const Entry& a, const Entry& b) {
        return std::tie(std::get<0>(a), std::get<1>(a)) < std::tie(std::get<0>(b), std::get<1>(b));
    };
    const auto unordered = std::is_sorted_until(entries.begin(), entries.end(), before);
    std::sort(unordered, entries.end(), before);
    std::inplace_merge(entries.begin(), unordered, entries.end(), before);
    for (qsizetype i = 0; i < records.size(); ++i)
        records[i] = std::get<2>(entries[size_t(i)]);
}

Date dayDate(const Lesson* lesson)
{
    const Day* day = lesson->dayTaught();
    return day ? day->actualDate() : Date();
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
