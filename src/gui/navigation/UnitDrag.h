#pragma once

#include <QString>

class ObjectContext;
class QMimeData;
class Unit;

// What a unit dragged from the course list carries: a reference to the unit
// record, good only inside the open document it came from (not in a copy of
// its file).
class UnitDrag {
public:
    static const QString mimeType;

    static QMimeData* mimeDataFor(const Unit* unit);
    // The unit the data refers to, if it is one of `context`'s records.
    static Unit* unitFrom(const QMimeData* data, const ObjectContext& context);
};
