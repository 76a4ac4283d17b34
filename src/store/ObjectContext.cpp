#include "store/ObjectContext.h"

#include <QDateTime>
#include <QUuid>

#include <algorithm>

namespace {

// Seconds from 1970-01-01 to 2001-01-01, both UTC.
constexpr double referenceDateOffset = 978307200.0;

int compareValues(const QVariant& a, const QVariant& b)
{
    // Absent values sort before everything else.
    if (!a.isValid() || !b.isValid())
        return int(a.isValid()) - int(b.isValid());
    const QPartialOrdering order = QVariant::compare(a, b);
    if (order == QPartialOrdering::Less)
        return -1;
    if (order == QPartialOrdering::Greater)
        return 1;
    return 0;
}

} // namespace

ObjectContext::ObjectContext(const EntityModel& model, RecordFactory factory)
    : m_model(model)
    , m_factory(std::move(factory))
    , m_storeIdentifier(QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper())
    , m_sessionIdentifier(QUuid::createUuid().toString(QUuid::WithoutBraces))
{ }

ObjectContext::~ObjectContext() = default;

ManagedObject* ObjectContext::createObject(const EntityDescription& entity, qint64 primaryKey)
{
    std::unique_ptr<ManagedObject> object
        = m_factory ? m_factory(entity, *this) : std::make_unique<ManagedObject>(entity, *this);
    object->m_primaryKey = primaryKey;
    ManagedObject* raw = object.get();
    m_storage.push_back(std::move(object));
    registerObject(raw);
    return raw;
}

ManagedObject* ObjectContext::insertObject(const QString& entityName)
{
    const EntityDescription* entity = m_model.entity(entityName);
    if (!entity || entity->isAbstract())
        qFatal("Cannot insert a record of %s", qPrintable(entityName));
    if (m_history.isRestoring())
        qFatal("No record may be inserted while a step is undone");
    ManagedObject* object = createObject(*entity, nextPrimaryKey(*entity));
    object->m_state = ManagedObject::State::Inserted;
    m_inserted.insert(object);
    if (m_history.isRecording())
        m_history.recordInsert(*object, m_byEntity[entity].size() - 1);
    return object;
}

qint64 ObjectContext::nextPrimaryKey(const EntityDescription& entity)
{
    return ++m_maxPrimaryKey[&entity.rootEntity()];
}

void ObjectContext::registerObject(ManagedObject* object)
{
    const EntityDescription& root = object->entity().rootEntity();
    m_byEntity[&object->entity()].append(object);
    m_byKey[&root].insert(object->primaryKey(), object);
    qint64& max = m_maxPrimaryKey[&root];
    max = std::max(max, object->primaryKey());
}

qsizetype ObjectContext::unregisterObject(ManagedObject* object)
{
    QList<ManagedObject*>& records = m_byEntity[&object->entity()];
    const qsizetype index = records.indexOf(object);
    records.removeAt(index);
    m_byKey[&object->entity().rootEntity()].remove(object->primaryKey());
    return index;
}

void ObjectContext::deleteObject(ManagedObject* object)
{
    if (!object || object->isDeleted() || m_history.isRestoring())
        return;
    nullifyRelationships(object);
    const qsizetype index = m_byEntity[&object->entity()].indexOf(object);
    forget(*object);
    if (m_history.isRecording())
        m_history.recordDelete(*object, index);
}

void ObjectContext::forget(ManagedObject& object)
{
    unregisterObject(&object);
    m_inserted.remove(&object);
    m_updated.remove(&object);
    object.m_state = ManagedObject::State::Deleted;
    // A record inserted and deleted between two saves never reaches the file.
    if (object.m_inStore)
        m_deleted.append(&object);
}

void ObjectContext::revive(ManagedObject& object, qsizetype index)
{
    m_byEntity[&object.entity()].insert(index, &object);
    m_byKey[&object.entity().rootEntity()].insert(object.primaryKey(), &object);
    // Its row may have lost its join rows; writing them again is harmless.
    object.m_joinsChanged = true;
    if (object.m_inStore) {
        m_deleted.removeOne(&object);
        object.m_state = ManagedObject::State::Updated;
        m_updated.insert(&object);
    } else {
        object.m_state = ManagedObject::State::Inserted;
        m_inserted.insert(&object);
    }
}

void ObjectContext::nullifyRelationships(ManagedObject* object)
{
    const QList<RelationshipDescription>& relationships = object->entity().relationships();
    for (int slot = 0; slot < relationships.size(); ++slot) {
        const RelationshipDescription& relationship = relationships[slot];
        if (!relationship.toMany) {
            object->setObject(relationship.name, nullptr);
            continue;
        }
        // Copy: removing shrinks the list being walked.
        const QList<ManagedObject*> targets = object->m_toMany[slot];
        for (ManagedObject* target : targets)
            object->removeObject(relationship.name, target);
    }
}

void ObjectContext::noteUpdated(ManagedObject& object)
{
    m_updated.insert(&object);
}

QList<ManagedObject*> ObjectContext::objectsOfEntity(const EntityDescription& entity) const
{
    QList<ManagedObject*> result = m_byEntity.value(&entity);
    for (const EntityDescription* sub : entity.subentities())
        result += objectsOfEntity(*sub);
    if (!entity.subentities().isEmpty()) {
        std::sort(result.begin(), result.end(),
            [](const ManagedObject* a, const ManagedObject* b) { return a->primaryKey() < b->primaryKey(); });
    }
    return result;
}

int ObjectContext::countOfEntity(const QString& entityName) const
{
    const EntityDescription* entity = m_model.entity(entityName);
    return entity ? int(objectsOfEntity(*entity).size()) : 0;
}

QList<ManagedObject*> ObjectContext::fetch(const FetchRequest& request) const
{
    const EntityDescription* entity = m_model.entity(request.entityName);
    if (!entity)
        return {};
    QList<ManagedObject*> result = objectsOfEntity(*entity);
    if (request.predicate)
        result.removeIf([&](const ManagedObject* object) { return !request.predicate(*object); });
    if (!request.sortDescriptors.isEmpty()) {
        std::stable_sort(result.begin(), result.end(), [&](const ManagedObject* a, const ManagedObject* b) {
            for (const SortDescriptor& sort : request.sortDescriptors) {
                const int order = compareValues(a->valueForKeyPath(sort.keyPath), b->valueForKeyPath(sort.keyPath));
                if (order != 0)
                    return sort.ascending ? order < 0 : order > 0;
            }
            return false;
        });
    }
    return result;
}

ManagedObject* ObjectContext::objectWithURI(const QString& uri) const
{
    // x-coredata://<store>/<Entity>/p<key>
    const QString prefix = QStringLiteral("x-coredata://") + m_storeIdentifier + QLatin1Char('/');
    if (!uri.startsWith(prefix))
        return nullptr;
    const QStringList parts = uri.mid(prefix.size()).split(QLatin1Char('/'));
    if (parts.size() != 2 || !parts[1].startsWith(QLatin1Char('p')))
        return nullptr;
    const EntityDescription* entity = m_model.entity(parts[0]);
    bool ok = false;
    const qint64 key = parts[1].mid(1).toLongLong(&ok);
    if (!entity || !ok)
        return nullptr;
    ManagedObject* object = m_byKey.value(&entity->rootEntity()).value(key);
    return object && &object->entity() == entity ? object : nullptr;
}

ManagedObject* ObjectContext::objectWithSessionReference(const QString& reference) const
{
    // <session> <object URI>
    const qsizetype space = reference.indexOf(QLatin1Char(' '));
    if (space < 0 || QStringView(reference).left(space) != m_sessionIdentifier)
        return nullptr;
    return objectWithURI(reference.mid(space + 1));
}

bool ObjectContext::hasChanges() const
{
    return !m_inserted.isEmpty() || !m_updated.isEmpty() || !m_deleted.isEmpty();
}

void ObjectContext::markSaved()
{
    for (const QSet<ManagedObject*>* written : { &m_inserted, &m_updated }) {
        for (ManagedObject* object : *written) {
            object->m_state = ManagedObject::State::Clean;
            object->m_joinsChanged = false;
            object->m_inStore = true;
            ++object->m_version;
        }
    }
    for (ManagedObject* object : std::as_const(m_deleted))
        object->m_inStore = false;
    m_inserted.clear();
    m_updated.clear();
    m_deleted.clear();
}

namespace {

// The one type each kind of attribute is held as.
QMetaType::Type storedType(AttributeType type)
{
    switch (type) {
    case AttributeType::String:
        return QMetaType::QString;
    case AttributeType::Integer:
        return QMetaType::LongLong;
    case AttributeType::Double:
    case AttributeType::Date:
        return QMetaType::Double;
    case AttributeType::Boolean:
        return QMetaType::Bool;
    case AttributeType::Binary:
        return QMetaType::QByteArray;
    }
    return QMetaType::UnknownType;
}

} // namespace

QVariant ObjectContext::normalizedValue(AttributeType type, const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return {};
    // Values copied from another record are held as they are stored already;
    // only a null text or data still means "absent".
    if (value.typeId() == storedType(type)) {
        const bool nullText = (type == AttributeType::String && static_cast<const QString*>(value.constData())->isNull())
            || (type == AttributeType::Binary && static_cast<const QByteArray*>(value.constData())->isNull());
        return nullText ? QVariant() : value;
    }
    switch (type) {
    case AttributeType::String: {
        // A null string is an absent value; an empty one is kept as empty.
        const QString text = value.toString();
        return text.isNull() ? QVariant() : QVariant(text);
    }
    case AttributeType::Integer:
        return value.toLongLong();
    case AttributeType::Double:
        return value.toDouble();
    case AttributeType::Boolean:
        return value.toBool();
    case AttributeType::Date:
        if (value.typeId() == QMetaType::QDateTime)
            return value.toDateTime().toMSecsSinceEpoch() / 1000.0 - referenceDateOffset;
        return value.toDouble();
    case AttributeType::Binary: {
        const QByteArray bytes = value.toByteArray();
        return bytes.isNull() ? QVariant() : QVariant(bytes);
    }
    }
    return {};
}
