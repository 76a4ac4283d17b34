#pragma once

#include "foundation/core/Result.h"

#include <QByteArray>
#include <QJsonObject>

struct ResourceSpec;

// The XML bodies of the sync protocol, read strictly: a body that is not
// exactly a record of its kind is refused with a short reason.
namespace RecordXml {

// The body's values by field key. Every element must be one of the kind's
// fields, at most once, holding text of the field's form; text fields left out
// are empty, other fields left out are an error.
Result<QJsonObject> parse(const ResourceSpec& spec, const QByteArray& body);

// A stored record as GET answers it. Files carry their size as the third
// child of the root, where the desktop program reads it.
QByteArray write(const ResourceSpec& spec, qint64 id, const QJsonObject& fields, qint64 fileSize);

} // namespace RecordXml
