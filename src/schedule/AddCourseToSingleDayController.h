#pragma once

#include <QString>
#include <QStringList>

class Day;
class Lesson;

// Adds one meeting of a course to a single day, which becomes a custom day.
class AddCourseToSingleDayController {
public:
    void setDay(Day* day);
    Day* day() const { return m_day; }
    // The year's course names, for the pop-up.
    QStringList courseNames() const;
    QString chosenCourse() const { return m_chosenCourse; }
    void setChosenCourse(const QString& name) { m_chosenCourse = name; }
    // Add acts only once a course of the year is chosen.
    bool canAdd() const;
    // The new lesson, or nothing when no course is chosen. A day may hold two
    // meetings of one course this way.
    Lesson* addCoursePressed();

private:
    Day* m_day = nullptr;
    QString m_chosenCourse;
};
