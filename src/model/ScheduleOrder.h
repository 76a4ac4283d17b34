#pragma once

#include <QList>

class Day;
class Lesson;

// The orderings the schedule relies on. Relationships are unordered sets, so
// every list a query hands out is sorted by one of these. Records that compare
// equal keep their insertion (primary-key) order, as a fetch would.
namespace ScheduleOrder {

// Ascending day date.
void sortByDate(QList<Day*>& days);
// Course order: ascending day date, then ascending start time.
void sortInCourseOrder(QList<Lesson*>& lessons);
// Ascending start time.
void sortByStartTime(QList<Lesson*>& lessons);

} // namespace ScheduleOrder
