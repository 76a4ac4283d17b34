#pragma once

#include "exchange/CourseFile.h"
#include "foundation/dates/Date.h"

#include <functional>

class AlertPresenter;
class Course;
class Day;
class Lesson;
class Year;

// Lays the lessons of a course file, in order, onto the school days of a
// course: a new course, or an existing one from a chosen day on. Lessons are
// matched to slots by position only; the file's dates are not carried.
//
// Every question comes before the first change, so that "Cancel" leaves the
// year exactly as it was.
class CourseImport {
public:
    // Hears how many lessons were placed so far, and of how many.
    using Progress = std::function<void(qsizetype placed, qsizetype total)>;

    static const QString defaultCourseName;

    CourseImport(Year& year, const CourseFile& file, AlertPresenter& alerts);

    void setProgress(Progress progress) { m_progress = std::move(progress); }

    // A new course meeting on `days`, filled from the day of `startDate` on.
    // None when the teacher cancels.
    Course* importAsNewCourse(const QList<Day*>& days, Date startDate);
    // Asks before overwriting the course's lessons from the day of
    // `startDate` on. False when the teacher cancels.
    bool importIntoCourse(Course* course, Date startDate);
    // Places the lessons from the day of `startDate` (included) on, asking
    // only when the file holds more lessons than there are slots.
    bool addImportLessonsToCourse(Course* course, Date startDate);
    // Gives the course a lesson slot on each day.
    static void addCourse(Course* course, const QList<Day*>& days);

    // The file's course name, "Imported Course" when it has none; when the
    // year has a course of that name, the teacher is told and the name gets
    // the time stamp and, should that be taken too, a counter.
    QString nameForNewCourse(const QString& stamp);

private:
    bool mayPlace(qsizetype available);
    void place(Course& course, const QList<Lesson*>& targets);
    void addMissingUnits(Course& course);

    Year& m_year;
    const CourseFile& m_file;
    AlertPresenter& m_alerts;
    Progress m_progress;
};
