#include "model/AssignedWebLink.h"

#include "model/Assignment.h"
#include "store/ObjectContext.h"

const QStringList& AssignedWebLink::keysThatUpdateTime() const
{
    static const QStringList keys = Attachment::keysThatUpdateTime() + QStringList { QStringLiteral("URL") };
    return keys;
}

Assignment* AssignedWebLink::assignment() const
{
    return object<Assignment>(u"assignment");
}

Year* AssignedWebLink::year() const
{
    return assignment() ? assignment()->year() : nullptr;
}

void AssignedWebLink::removeFromAssignment()
{
    if (Assignment* owner = assignment())
        owner->removeAttachment(this);
    else
        context().deleteObject(this);
}
