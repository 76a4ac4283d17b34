#pragma once

#include "model/SyncedRecord.h"

#include <QColor>
#include <QVariantMap>

class AlertPresenter;
class Day;
class Lesson;
class Unit;
class Year;

// A course the teacher teaches. Courses are inserted as MyCourse records.
class Course : public SyncedRecord {
public:
    using SyncedRecord::SyncedRecord;

    QString courseName() const { return value<QString>(u"courseName"); }
    int courseNumber() const { return value<int>(u"courseNumber"); }
    bool isDrawn() const { return value<int>(u"draw") != 0; }
    Year* year() const;
    QList<Lesson*> lessons() const;
    QList<Unit*> units() const;
    // The units by name, as menus and outlines list them.
    QList<Unit*> unitsArray() const;

    // The course colour: the archived colour, else the 0–255 components when
    // all three are there (files of the Windows edition), else the default.
    QColor color() const;
    // Archives the colour and tells the views.
    void setColor(const QColor& color);
    QColor lightColor() const;
    QColor transparentColor() const;
    // Stores the colour as 0–255 components, as the Windows edition reads it.
    void setRGBColors();

    void addToDeleteStack();

    // Schedule queries.
    // The course's lessons by day date, then start time.
    QList<Lesson*> allLessonsInOrder() const;
    QList<Day*> allDaysWithLessonsInOrder() const;
    // A lesson on the day nearest to now; none without lessons.
    Lesson* getLessonClosestToToday() const;
    // `count` lessons from `lesson` on, or none (after telling the user) when
    // the course has fewer left.
    QList<Lesson*> returnLessonsFollowing(const Lesson* lesson, int count, AlertPresenter& alerts) const;

    // Units by name, names compared without regard to case.
    Unit* unitWithName(const QString& unitName) const;
    Unit* addUnitWithName(const QString& unitName);
    bool hasUnitWithName(const QString& unitName) const { return unitWithName(unitName) != nullptr; }
    // `base`, or `base` followed by " N" with the first N from 1 up that no
    // unit of the course uses.
    QString firstFreeUnitName(const QString& base) const;
    // A new, empty unit named after `source`, made unique in this course.
    Unit* makeCopyOfUnit(const Unit* source);
    // Unlinks the unit from its lessons, which keep their content, and
    // deletes it.
    void deleteUnit(Unit* unit);
    void deleteAllUnits();
    // The course export dictionary of the given lessons, in the given order.
    QVariantMap dictionaryWithLessons(const QList<Lesson*>& lessons) const;
    // The course export dictionary of every lesson, in course order.
    QVariantMap dictionaryForExport() const;
    // The same for the lessons whose day lies from `from` to `to`, both
    // included: a teacher who picks 5 September as the first day expects
    // its lessons in the file.
    QVariantMap dictionaryForExport(Date from, Date to) const;
    QList<Lesson*> lessonsInOrderFrom(Date from, Date to) const;

protected:
    const QStringList& keysThatUpdateTime() const override;
    void didChangeValue(const QString& key) override;
    void valuesRestored() override;

private:
    QColor colorFromAttributes() const;

    mutable std::optional<QColor> m_cachedColor;
};
