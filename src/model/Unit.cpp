#include "model/Unit.h"

#include "model/Course.h"
#include "model/Lesson.h"
#include "model/Year.h"

Course* Unit::course() const
{
    return object<Course>(u"course");
}

Year* Unit::year() const
{
    return object<Year>(u"year");
}

QList<Lesson*> Unit::lessons() const
{
    return objects<Lesson>(u"lessons");
}
