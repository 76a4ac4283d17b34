#include "model/RecordCopy.h"

#include "store/ManagedObject.h"

void RecordCopy::copyAttributes(const ManagedObject& source, ManagedObject& target, const QStringList& except)
{
    for (const AttributeDescription& attribute : target.entity().attributes()) {
        if (except.contains(attribute.name) || source.entity().attributeIndex(attribute.name) < 0)
            continue;
        target.setValue(attribute.name, source.value(attribute.name));
    }
}
