#include "model/AttachedWebLink.h"

#include "model/Lesson.h"

Lesson* AttachedWebLink::lesson() const
{
    return object<Lesson>(u"lesson");
}
