#pragma once

#include "store/ManagedObject.h"

class AlertPresenter;
class Course;
class Lesson;
class Year;

// A named stretch of a course's lessons.
class Unit : public ManagedObject {
public:
    using ManagedObject::ManagedObject;

    QString unitName() const { return value<QString>(u"unitName"); }
    Course* course() const;
    Year* year() const;
    QList<Lesson*> lessons() const;
    bool containsLesson(const Lesson* lesson) const;
    // By day date, then start time.
    QList<Lesson*> allLessonsInOrder() const;

    // Refuses an empty name and the name of another unit of the course
    // (case ignored), since units are looked up by name.
    bool changeUnitNameTo(const QString& newName);
    // Copies the source unit's lessons onto `first` and the lessons that
    // follow it in the course, which join this unit. False (after telling
    // the user) when the course has too few lessons left.
    bool makeCopyOfUnit(const Unit* source, Lesson* first, AlertPresenter& alerts);
};
