#include "model/Assignment.h"

#include "model/Lesson.h"

const QStringList& Assignment::keysThatUpdateTime() const
{
    static const QStringList keys{QStringLiteral("title"), QStringLiteral("dueLesson"),
        QStringLiteral("assignedLesson"), QStringLiteral("details"), QStringLiteral("detailsString")};
    return keys;
}

Lesson* Assignment::assignedLesson() const
{
    return object<Lesson>(u"assignedLesson");
}

Lesson* Assignment::dueLesson() const
{
    return object<Lesson>(u"dueLesson");
}

Year* Assignment::year() const
{
    return dueLesson() ? dueLesson()->year() : nullptr;
}
