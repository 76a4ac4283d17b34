#pragma once

#include <QStringList>

class ManagedObject;

namespace RecordCopy {

// Copies every attribute of `target`'s entity that `source` also has, except
// the listed keys, in the entity's declaration order.
void copyAttributes(const ManagedObject& source, ManagedObject& target, const QStringList& except);

} // namespace RecordCopy
