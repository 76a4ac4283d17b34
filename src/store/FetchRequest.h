#pragma once

#include <QList>
#include <QString>

#include <functional>

class ManagedObject;

struct SortDescriptor {
    QString keyPath;
    bool ascending = true;
};

// Which records to fetch: an entity (its sub-entities' records included), an
// optional filter and the sort keys, applied in order. Records that compare
// equal on every key keep the order in which they were inserted.
struct FetchRequest {
    QString entityName;
    std::function<bool(const ManagedObject&)> predicate;
    QList<SortDescriptor> sortDescriptors;
};
