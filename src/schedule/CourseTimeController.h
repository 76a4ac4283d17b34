#pragma once

#include "foundation/dates/Date.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class Course;
class Day;
class Year;

// One row of the course-times table: one meeting of a course in a day (a
// course meeting twice a day has two rows), with its start and end time
// under each representative day's column keys. A key is present where the
// course meets that day; its value is absent while that meeting has no time.
struct CourseTimeRow {
    QString courseName;
    Course* course = nullptr;
    int courseMeetingInDay = 0;
    QHash<QString, std::optional<Date>> times;
};

// The course-times sheet: sets the meeting times of every course for all
// regular days of a weekday (or day type, or the whole year) at once.
// Custom days keep their own times.
class CourseTimeController {
public:
    static constexpr int columnWidth = 65;

    explicit CourseTimeController(Year& year);

    // Builds the table from one representative day per weekday (weekly
    // repeating), per day type (rotating) or the first day (traditional).
    void createCourseTimeArray();

    // Column identifiers, which are also their headers: a start and an end
    // column for each representative day.
    const QStringList& columnKeys() const { return m_columnKeys; }
    const QList<CourseTimeRow>& rows() const { return m_rows; }

    // "No Class" where the row's course does not meet that day; empty where
    // the meeting has no time yet.
    QString cellText(qsizetype row, const QString& columnKey) const;
    // Stores a typed time when it reads as one and the cell is not a
    // "No Class" cell; tells whether it was stored.
    bool setCellText(qsizetype row, const QString& columnKey, const QString& text);

    // Gives every regular day's meeting of each row's course the row's times
    // (absent ones stay absent). A meeting the row has no column for keeps
    // its own times.
    void applyChangesPressed();

private:
    QString startKey(const Day& day) const;
    QString endKey(const Day& day) const;
    void addRowsForCourse(Course& course, const QList<Day*>& representatives);

    Year& m_year;
    QStringList m_columnKeys;
    QList<CourseTimeRow> m_rows;
};
