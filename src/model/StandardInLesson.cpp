#include "model/StandardInLesson.h"

#include "model/Lesson.h"
#include "model/Standard.h"

const QStringList& StandardInLesson::keysThatUpdateTime() const
{
    static const QStringList keys { QStringLiteral("implementationNotes") };
    return keys;
}

Lesson* StandardInLesson::lesson() const
{
    return object<Lesson>(u"lesson");
}

Standard* StandardInLesson::standard() const
{
    return object<Standard>(u"standard");
}
