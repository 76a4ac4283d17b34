#pragma once

#include "store/ManagedObject.h"

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
};
