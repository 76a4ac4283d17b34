#pragma once

#include "foundation/dates/Date.h"

#include <QHash>
#include <QString>

class Course;
class Day;
class Lesson;
class ObjectContext;
class Week;
class Year;

// Builds a small year by hand: weeks numbered from a Sunday start date, days
// at local midnights, courses and lesson slots with meeting times.
class ScheduleBuilder {
public:
    ScheduleBuilder(ObjectContext& context, int year, int month, int sundayDay, int weekCount);

    static Date localDate(int year, int month, int day, int hour = 0, int minute = 0);

    Year* year() const { return m_year; }
    Week* week(int weekNumber) const { return m_weeks.value(weekNumber); }
    // The day `offset` calendar days after the start Sunday, created on first use.
    Day* day(int offset);
    Course* course(const QString& name);
    // A lesson of the course on the day from hour:minute, 50 minutes long.
    Lesson* lesson(Course* course, Day* day, int hour, int minute = 0, int minutes = 50);
    // One lesson of the course on each given day, at the same time.
    QList<Lesson*> lessonsOn(Course* course, const QList<Day*>& days, int hour);

private:
    ObjectContext& m_context;
    Year* m_year;
    Date m_start;
    QHash<int, Week*> m_weeks;
    QHash<int, Day*> m_days;
    QHash<QString, Course*> m_courses;
};
