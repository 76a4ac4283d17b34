#pragma once

#include "schedule/NewYearPlan.h"
#include "schedule/YearGrid.h"

#include <QList>

class Course;
class Day;
class ObjectContext;
class Week;
class Year;

// Builds a whole year from the wizard's plan in one pass: the year with its
// publishing and report settings, the courses, the root standard, a week per
// week of the grid, a day per teaching weekday and an empty lesson for every
// course that meets on it.
class YearBuilder {
public:
    YearBuilder(ObjectContext& context, const NewYearPlan& plan);

    Year* build();
    // The publishing and report settings a new year starts with, dated from
    // the year's start.
    static void insertSettings(Year& year);

private:
    void insertYear();
    // The lesson fields' names and which of them show, as the plan says.
    void nameFields();
    void insertCourses();
    void insertRootStandard();
    void setScheduleType();
    void insertWeeks();
    void insertDay(Week& week, int dayIndex, int weekday);
    Day* insertCancelledDay(Date date);
    Day* insertSchoolDay(Date date);
    // The courses meeting on a school day, in course order, under the
    // plan's selection key (unused for traditional years).
    QList<Course*> coursesMeeting(const QString& selectionKey) const;
    void insertLessons(Day& day, const QList<Course*>& courses);

    ObjectContext& m_context;
    const NewYearPlan& m_plan;
    const YearGrid m_grid;
    Year* m_year = nullptr;
    QList<Course*> m_courses;
    int m_rotationCounter = 0;
};
