#include "StoreGraphFiller.h"

#include <QSet>
#include <QStringList>

namespace {

QList<ManagedObject*> candidatesFor(const ObjectContext& context, const RelationshipDescription& relationship)
{
    QList<ManagedObject*> candidates;
    for (ManagedObject* object : context.objectsOfEntity(*relationship.destination)) {
        if (object->entity().relationship(relationship.inverseName))
            candidates.append(object);
    }
    return candidates;
}

QSet<qint64> keysOf(const QList<ManagedObject*>& objects)
{
    QSet<qint64> keys;
    for (const ManagedObject* object : objects)
        keys.insert(object->primaryKey());
    return keys;
}

QString describe(const ManagedObject& object)
{
    return object.entity().name() + QLatin1Char('#') + QString::number(object.primaryKey());
}

} // namespace

QVariant StoreGraphFiller::sampleValue(AttributeType type, int seed)
{
    switch (type) {
    case AttributeType::String:
        return QStringLiteral("ünïcödé ‘%1’ \"quoted\"\nline").arg(seed);
    case AttributeType::Integer:
        return qint64(seed) * 1000003;
    case AttributeType::Double:
        return seed + 0.1;
    case AttributeType::Boolean:
        return seed % 2 == 0;
    case AttributeType::Date:
        return 788918400.0 + seed * 86400.5;
    case AttributeType::Binary:
        return QByteArray("{\\rtf1 \0bytes ", 14) + QByteArray::number(seed);
    }
    return {};
}

void StoreGraphFiller::fill(ObjectContext& context, int recordsPerEntity)
{
    int seed = 1;
    for (const EntityDescription* entity : context.model().entities()) {
        if (entity->isAbstract())
            continue;
        for (int i = 0; i < recordsPerEntity; ++i) {
            ManagedObject* object = context.insertObject(entity->name());
            for (const AttributeDescription& attribute : entity->attributes())
                object->setValue(attribute.name, sampleValue(attribute.type, seed++));
        }
    }
    int pick = 0;
    for (const EntityDescription* entity : context.model().entities()) {
        for (ManagedObject* object : context.objectsOfEntity(*entity)) {
            if (&object->entity() != entity)
                continue;
            for (const RelationshipDescription& relationship : entity->relationships()) {
                const QList<ManagedObject*> candidates = candidatesFor(context, relationship);
                if (candidates.isEmpty())
                    continue;
                ManagedObject* target = candidates[pick++ % candidates.size()];
                if (!relationship.toMany)
                    object->setObject(relationship.name, target);
                else if (relationship.isManyToMany())
                    object->addObject(relationship.name, target);
            }
        }
    }
}

QString StoreGraphFiller::differences(const ObjectContext& expected, const ObjectContext& actual)
{
    QStringList found;
    for (const EntityDescription* root : expected.model().rootEntities()) {
        const QList<ManagedObject*> expectedObjects = expected.objectsOfEntity(*root);
        if (expectedObjects.size() != actual.objectsOfEntity(*root).size())
            found << root->name() + QStringLiteral(": record count differs");
        for (const ManagedObject* object : expectedObjects) {
            const ManagedObject* other = actual.objectWithURI(object->objectURI());
            if (!other) {
                found << describe(*object) + QStringLiteral(" is missing");
                continue;
            }
            for (const AttributeDescription& attribute : object->entity().attributes()) {
                if (object->value(attribute.name) != other->value(attribute.name))
                    found << describe(*object) + QLatin1Char('.') + attribute.name;
            }
            for (const RelationshipDescription& relationship : object->entity().relationships()) {
                const bool same = relationship.toMany
                    ? keysOf(object->objects(relationship.name)) == keysOf(other->objects(relationship.name))
                    : (object->object(relationship.name) ? object->object(relationship.name)->primaryKey() : 0)
                        == (other->object(relationship.name) ? other->object(relationship.name)->primaryKey() : 0);
                if (!same)
                    found << describe(*object) + QLatin1Char('.') + relationship.name;
            }
        }
    }
    return found.join(QStringLiteral(", "));
}
