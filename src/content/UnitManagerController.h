#pragma once

#include "content/UnitExport.h"

#include <QList>
#include <QString>

class AlertPresenter;
class Course;
class Unit;
class Year;

// The unit manager sheet: the units of the course chosen in its course list,
// with adding, renaming, deleting and exporting.
class UnitManagerController {
public:
    explicit UnitManagerController(AlertPresenter& alerts);

    void setYear(Year* year);
    Year* year() const { return m_year; }
    // The courses to choose from, and the chosen one (the first at start).
    QList<Course*> courses() const;
    Course* course() const { return m_course; }
    void selectCourse(Course* course);
    // The chosen course's units, in the order people number them.
    QList<Unit*> units() const;

    // A unit named "New Unit", or "New Unit N" with the first free N.
    Unit* addUnit();
    // False when the name is empty or another unit of the course has it.
    bool renameUnit(Unit* unit, const QString& newName);
    void deleteUnit(Unit* unit);
    // Writes the unit into the folder; the path written, or empty on failure.
    QString exportUnit(const Unit* unit, const QString& folder);

private:
    AlertPresenter& m_alerts;
    Year* m_year = nullptr;
    Course* m_course = nullptr;
};
