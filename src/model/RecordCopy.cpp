#include "model/RecordCopy.h"

#include "store/ManagedObject.h"

void RecordCopy::copyAttributes(const ManagedObject& source, ManagedObject& target, const QStringList& except)
{
    const QList<AttributeDescription>& attributes = target.entity().attributes();
    const bool sameLayout = &source.entity() == &target.entity();
    for (int slot = 0; slot < attributes.size(); ++slot) {
        const QString& name = attributes[slot].name;
        if (except.contains(name))
            continue;
        const int sourceSlot = sameLayout ? slot : source.entity().attributeIndex(name);
        if (sourceSlot >= 0)
            target.setValueAtSlot(slot, source.valueAtSlot(sourceSlot));
    }
}
