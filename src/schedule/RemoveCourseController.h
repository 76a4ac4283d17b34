#pragma once

#include <QList>
#include <QString>

class AlertPresenter;
class Course;
class Day;
class Year;

// One row of the remove-course day table: a weekday (position = its index,
// Sunday first) or a rotation day type (position = the type).
struct RemoveCourseRow {
    bool include = false;
    QString dayString;
    int position = 0;
};

// The remove-course sheet: takes a course off the regular days of chosen
// weekdays or day types, and out of the year when no such day is left.
class RemoveCourseController {
public:
    enum class Check { WouldEmptyADay = 0, NothingIncluded = 1, Removable = 2, AllDaysCustom = 3 };

    RemoveCourseController(Year& year, AlertPresenter& alerts);

    QList<Course*> courses() const;
    Course* course() const { return m_course; }
    // Selects the course and rebuilds the day table for it.
    void popUpChanged(Course* course);

    const QList<RemoveCourseRow>& rows() const { return m_rows; }
    void setIncluded(qsizetype row, bool include);

    Check checkIfOkToRemove() const;
    // Acts on the check: removes, asks, or tells why not. The course leaves
    // the year (after the teacher confirms) when every row is included.
    void removePressed();
    // What the last removal did.
    const QString& resultText() const { return m_resultText; }

private:
    void daysForCourse();
    bool rotatesByType() const;
    QList<Day*> daysOfRow(const RemoveCourseRow& row) const;
    QString rowName(const RemoveCourseRow& row) const;
    bool confirmRemovingCourse() const;
    void removeFromIncludedRows();
    void removeCourseFromYear();
    void finishRemoval();

    Year& m_year;
    AlertPresenter& m_alerts;
    Course* m_course = nullptr;
    QList<RemoveCourseRow> m_rows;
    QString m_resultText;
};
