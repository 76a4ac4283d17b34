#pragma once

#include <QList>

class Course;
class Day;
class Lesson;
class Year;

// The walks over a year's days and lessons that keeping meeting times in step
// needs: which lesson is a course's k-th meeting on a day, and which days
// share a day's schedule. A "regular" day is a school day that is not custom:
// only those follow their weekday's or day type's times.
namespace ScheduleWalk {

// Every day of the year, in date order.
QList<Day*> daysInDateOrder(const Year& year);

// The day's lessons of the course by start time; a course may meet more than
// once a day.
QList<Lesson*> lessonsInCourse(const Day& day, const Course* course);
// The index-th of those, or none.
Lesson* lessonInCourse(const Day& day, const Course* course, qsizetype index);
// The lesson's meeting index among its course's lessons on its day.
int positionOfLesson(const Lesson& lesson);

// The regular days that share the day's times: every one in a traditional
// year, those of the same weekday in a weekly repeating year, those of the
// same day type in a rotating one.
QList<Day*> daysLike(const Day& day);
// A regular day of the same weekday (day type in a rotating year), picked at
// random among those other than the day itself; none when there is no other.
Day* anotherDayLike(const Day& day);
// One regular day per distinct schedule: the first day of a traditional year,
// a random one for each weekday that the first week holds, or for each day
// type of the rotation.
QList<Day*> representativeDays(const Year& year);

// The distinct days of the course's lessons, in date order.
QList<Day*> daysWithLessonsInOrder(const Course& course);

} // namespace ScheduleWalk
