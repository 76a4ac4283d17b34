#pragma once

#include "exchange/windows/WindowsImportSummary.h"
#include "foundation/core/Result.h"
#include "foundation/dates/Date.h"

#include <QHash>

#include <utility>
#include <vector>

class Assignment;
class Course;
class Day;
class ExchangeRows;
class FMDatabase;
class Lesson;
class ManagedObject;
class ObjectContext;
class Standard;
class Unit;
class Week;
class Year;

// Builds a year from an exchange file of the Windows edition. Each table is
// read once, and rows find the records they point to through an index by the
// file's keys, so the import grows with the number of rows, not its square.
//
// Rows that would leave the plan half-linked (a lesson without its course or
// day, a day without its week, a standard whose parents lead back to itself,
// a standard link missing either end) are left out and counted. Keys that
// name no row otherwise just mean "no link", as for a unit or an assignment's
// lessons.
class WindowsFileImporter {
public:
    // Reads the file into `context`, which gains one Year. A file that is
    // refused leaves the context as it was.
    static Result<WindowsImportSummary> importFile(const QString& path, ObjectContext& context);

private:
    WindowsFileImporter(FMDatabase& database, ObjectContext& context);

    void importYear();
    void importCourses();
    void importUnits();
    void importStandards();
    void importWeeksAndDays();
    void importLessons();
    void numberLessonsOnDays();
    void importAssignments();
    void importAttachments();
    void importStandardLinks();
    void giveYearNewYearSettings();
    void restoreChangeTimes();

    void setLessonFields(Lesson& lesson, const ExchangeRows& rows) const;
    void insertLessonAttachment(Lesson& lesson, const ExchangeRows& rows);
    void insertAssignmentAttachment(Assignment& assignment, const ExchangeRows& rows);
    // Setting a record's other values stamps it with the time of the import;
    // the file's own change time is put back once every link is made.
    void keepChangeTime(ManagedObject& record, const ExchangeRows& rows);

    Course* getCourseWithPrimaryKey(std::optional<qint64> key) const;
    Unit* getUnitWithPrimaryKey(std::optional<qint64> key) const;
    Standard* getStandardWithPrimaryKey(std::optional<qint64> key) const;
    Lesson* getLessonWithPrimaryKey(std::optional<qint64> key) const;

    FMDatabase& m_database;
    ObjectContext& m_context;
    Year* m_year = nullptr;
    WindowsImportSummary m_summary;
    QHash<qint64, Course*> m_courses;
    QHash<qint64, Unit*> m_units;
    QHash<qint64, Standard*> m_standards;
    QHash<qint64, Week*> m_weeks;
    QHash<qint64, Day*> m_days;
    QHash<qint64, Lesson*> m_lessons;
    QHash<qint64, Assignment*> m_assignments;
    std::vector<std::pair<ManagedObject*, Date>> m_changeTimes;
};
