#include "model/AssignedFile.h"

#include "model/Assignment.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "store/ObjectContext.h"

Assignment* AssignedFile::assignment() const
{
    return object<Assignment>(u"assignment");
}

Year* AssignedFile::year() const
{
    return assignment() ? assignment()->year() : nullptr;
}

QString AssignedFile::detailForSSBWindow() const
{
    const Assignment* owner = assignment();
    const Lesson* given = owner ? owner->assignedLesson() : nullptr;
    if (!given || !given->dayTaught())
        return QStringLiteral("Not Attached.  Please remove this file");
    return QStringLiteral("Attached to assignment assigned on %1").arg(given->dayTaught()->mediumLongDateString());
}

void AssignedFile::removeFromAssignment()
{
    if (Assignment* owner = assignment())
        owner->removeAttachment(this);
    else
        context().deleteObject(this);
}
