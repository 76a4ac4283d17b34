#pragma once

#include "store/ObjectContext.h"

#include <QStringList>

// Every live record of a context written out as text: its entity and key,
// each attribute's value, each to-one target and each to-many list in its
// order, record by record in the order the context lists them. Two
// snapshots are equal exactly when the records are.
namespace RecordSnapshot {

// A file read back lists a record's to-many targets by key, while the
// records in memory keep the order they were linked in: to compare the two,
// compare the lists as sets.
enum class ListOrder { AsHeld, Sorted };

inline QString describe(const ManagedObject* record)
{
    return record ? record->entity().name() + QStringLiteral("/p") + QString::number(record->primaryKey())
                  : QStringLiteral("none");
}

inline QString describe(const QVariant& value)
{
    if (!value.isValid())
        return QStringLiteral("absent");
    if (value.typeId() == QMetaType::QByteArray)
        return QString::fromLatin1(value.toByteArray().toBase64());
    return QString::fromLatin1(value.typeName()) + QLatin1Char(':') + value.toString();
}

inline QStringList take(const ObjectContext& context, ListOrder order = ListOrder::AsHeld)
{
    QStringList lines;
    for (const EntityDescription* entity : context.model().entities()) {
        if (entity->isAbstract())
            continue;
        for (const ManagedObject* record : context.objectsOfEntity(*entity)) {
            if (&record->entity() != entity)
                continue;
            const QString prefix = describe(record) + QLatin1Char(' ');
            const QList<AttributeDescription>& attributes = entity->attributes();
            for (int slot = 0; slot < attributes.size(); ++slot)
                lines << prefix + attributes[slot].name + QLatin1Char('=') + describe(record->valueAtSlot(slot));
            for (const RelationshipDescription& relationship : entity->relationships()) {
                QStringList targets;
                if (relationship.toMany) {
                    for (const ManagedObject* target : record->objects(relationship.name))
                        targets << describe(target);
                    if (order == ListOrder::Sorted)
                        targets.sort();
                } else {
                    targets << describe(record->object(relationship.name));
                }
                lines << prefix + relationship.name + QLatin1Char('=') + targets.join(QLatin1Char(','));
            }
        }
    }
    return lines;
}

// The first few lines that differ, for a failure message; empty when equal.
inline QString differences(const QStringList& expected, const QStringList& actual)
{
    QStringList found;
    const qsizetype count = std::max(expected.size(), actual.size());
    for (qsizetype i = 0; i < count && found.size() < 6; ++i) {
        const QString wanted = i < expected.size() ? expected[i] : QStringLiteral("(nothing)");
        const QString got = i < actual.size() ? actual[i] : QStringLiteral("(nothing)");
        if (wanted != got)
            found << QStringLiteral("expected %1\n     got %2").arg(wanted, got);
    }
    return found.join(QLatin1Char('\n'));
}

} // namespace RecordSnapshot
