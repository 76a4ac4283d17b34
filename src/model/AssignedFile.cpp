#include "model/AssignedFile.h"

#include "model/Assignment.h"

Assignment* AssignedFile::assignment() const
{
    return object<Assignment>(u"assignment");
}

Year* AssignedFile::year() const
{
    return assignment() ? assignment()->year() : nullptr;
}
