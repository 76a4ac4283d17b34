#include "store/ManagedObject.h"

#include "store/ObjectContext.h"

#include <QtGlobal>

#include <algorithm>

namespace {

const QList<ManagedObject*> emptyList;

} // namespace

ManagedObject::ManagedObject(const EntityDescription& entity, ObjectContext& context)
    : m_entity(&entity)
    , m_context(&context)
    , m_attributes(entity.attributes().size())
    , m_toOne(entity.relationships().size(), nullptr)
    , m_toMany(entity.relationships().size())
{ }

ManagedObject::~ManagedObject() = default;

QString ManagedObject::objectURI() const
{
    return QStringLiteral("x-coredata://%1/%2/p%3")
        .arg(m_context->storeIdentifier(), m_entity->name(), QString::number(m_primaryKey));
}

QString ManagedObject::sessionReference() const
{
    return m_context->sessionIdentifier() + QLatin1Char(' ') + objectURI();
}

int ManagedObject::attributeSlot(QStringView key) const
{
    const int slot = m_entity->attributeIndex(key);
    if (slot < 0)
        missingAttribute(key);
    return slot;
}

int ManagedObject::relationshipSlot(QStringView key, bool toMany) const
{
    const int slot = m_entity->relationshipIndex(key);
    if (slot < 0 || m_entity->relationships()[slot].toMany != toMany)
        missingRelationship(key, toMany);
    return slot;
}

int ManagedObject::attributeSlot(const PropertyKey& key) const
{
    const int slot = key.attributeIndexIn(*m_entity);
    if (slot < 0)
        missingAttribute(key.name());
    return slot;
}

int ManagedObject::relationshipSlot(const PropertyKey& key, bool toMany) const
{
    const int slot = key.relationshipIndexIn(*m_entity);
    if (slot < 0 || m_entity->relationships()[slot].toMany != toMany)
        missingRelationship(key.name(), toMany);
    return slot;
}

void ManagedObject::missingAttribute(QStringView key) const
{
    qFatal("%s has no attribute %s", qPrintable(m_entity->name()), qPrintable(key.toString()));
}

void ManagedObject::missingRelationship(QStringView key, bool toMany) const
{
    qFatal("%s has no %s relationship %s", qPrintable(m_entity->name()), toMany ? "to-many" : "to-one",
        qPrintable(key.toString()));
}

QVariant ManagedObject::value(QStringView key) const
{
    return m_attributes[attributeSlot(key)];
}

void ManagedObject::setValue(QStringView key, const QVariant& newValue)
{
    setValueAtSlot(attributeSlot(key), newValue);
}

void ManagedObject::setValueAtSlot(int slot, const QVariant& newValue)
{
    const AttributeDescription& attribute = m_entity->attributes()[slot];
    const QVariant stored = ObjectContext::normalizedValue(attribute.type, newValue);
    if (!takesValue(slot, stored))
        return;
    willChangeValue(attribute.name);
    storeValue(slot, stored);
    didChangeValue(attribute.name);
}

void ManagedObject::setUnwatchedValue(const PropertyKey& key, const QVariant& storedValue)
{
    const int slot = attributeSlot(key);
    if (takesValue(slot, storedValue))
        storeValue(slot, storedValue);
}

void ManagedObject::setUnwatchedValues(
    const QList<ManagedObject*>& records, const PropertyKey& key, const QVariant& storedValue)
{
    QList<ManagedObject*> changed;
    std::vector<int> positions;
    std::vector<QVariant> before;
    // The records of a batch are of a few entities, mixed: each entity's
    // slot is looked up once.
    std::vector<std::pair<const EntityDescription*, int>> known;
    const auto slotOf = [&key, &known](const ManagedObject& record) {
        for (const auto& [entity, slot] : known) {
            if (entity == record.m_entity)
                return slot;
        }
        return known.emplace_back(record.m_entity, record.attributeSlot(key)).second;
    };
    for (ManagedObject* record : records) {
        const int slot = slotOf(*record);
        if (!record->takesValue(slot, storedValue))
            continue;
        QVariant& value = record->m_attributes[size_t(slot)];
        changed.append(record);
        positions.push_back(slot);
        before.push_back(std::exchange(value, storedValue));
        record->markUpdated();
    }
    if (changed.isEmpty())
        return;
    if (UndoHistory* history = changed.constFirst()->recorder())
        history->recordFill(changed, std::move(positions), std::move(before), storedValue);
}

bool ManagedObject::takesValue(int slot, const QVariant& stored) const
{
    return !isDeleted() && m_attributes[size_t(slot)] != stored && !m_context->undoHistory().isRestoring();
}

void ManagedObject::storeValue(int slot, const QVariant& stored)
{
    if (UndoHistory* history = recorder())
        history->recordAttribute(*this, slot, m_attributes[size_t(slot)], stored);
    m_attributes[size_t(slot)] = stored;
    markUpdated();
}

namespace {

// Whether a moved value is the one the record had. Texts and data count as
// the same only when they share their storage: comparing every moved text
// would cost more than the odd box redrawn with the text it had.
bool sameValue(const QVariant& a, const QVariant& b)
{
    if (a.typeId() != b.typeId())
        return false;
    switch (a.typeId()) {
    case QMetaType::UnknownType:
        return true;
    case QMetaType::QString:
        return static_cast<const QString*>(a.constData())->isSharedWith(*static_cast<const QString*>(b.constData()));
    case QMetaType::QByteArray:
        return static_cast<const QByteArray*>(a.constData())
            ->isSharedWith(*static_cast<const QByteArray*>(b.constData()));
    default:
        return a == b;
    }
}

} // namespace

std::vector<bool> ManagedObject::shiftAttributesAlong(
    const QList<ManagedObject*>& records, const std::vector<int>& positions, const std::vector<int>& watched)
{
    std::vector<bool> compared;
    compared.reserve(positions.size());
    for (const int slot : positions)
        compared.push_back(std::find(watched.begin(), watched.end(), slot) != watched.end());
    std::vector<bool> changed(size_t(records.size()), false);
    UndoHistory* history = records.isEmpty() ? nullptr : records.constFirst()->recorder();
    // Each record hands its own values on as it takes those of the one
    // before, so both values are still the original ones when compared.
    std::vector<QVariant> carried(positions.size());
    for (qsizetype i = 0; i < records.size(); ++i) {
        std::vector<QVariant>& values = records[i]->m_attributes;
        for (size_t p = 0; p < positions.size(); ++p) {
            QVariant& value = values[size_t(positions[p])];
            if (compared[p] && !sameValue(value, carried[p]))
                changed[size_t(i)] = true;
            value.swap(carried[p]);
        }
        records[i]->markUpdated();
    }
    if (history)
        history->recordShift(records, positions, std::move(carried));
    return changed;
}

void ManagedObject::shiftRelatedAlong(const QList<ManagedObject*>& records, QStringView key)
{
    if (records.isEmpty())
        return;
    const int slot = records.constFirst()->relationshipSlot(key, true);
    if (records.constFirst()->m_entity->relationships()[slot].isManyToMany())
        qFatal("%s is not one-to-many", qPrintable(key.toString()));
    if (!records.constLast()->m_toMany[size_t(slot)].isEmpty())
        qFatal("the last record still holds its %s", qPrintable(key.toString()));
    moveRelatedLists(records, slot, true);
    if (UndoHistory* history = records.constFirst()->recorder())
        history->recordRelatedShift(records, slot);
}

void ManagedObject::moveRelatedLists(const QList<ManagedObject*>& records, int slot, bool forward)
{
    QList<ManagedObject*> carried;
    const qsizetype count = records.size();
    for (qsizetype n = 0; n < count; ++n)
        records[forward ? n : count - 1 - n]->m_toMany[size_t(slot)].swap(carried);
    const QString& inverseName = records.constFirst()->m_entity->relationships()[slot].inverseName;
    // Related records of one kind mostly share their entity: its inverse
    // slot is looked up again only where the entity changes.
    const EntityDescription* entity = nullptr;
    int inverseSlot = -1;
    for (ManagedObject* record : records) {
        for (ManagedObject* related : std::as_const(record->m_toMany[size_t(slot)])) {
            if (related->m_entity != entity) {
                entity = related->m_entity;
                inverseSlot = related->relationshipSlot(inverseName, false);
            }
            if (related->m_toOne[size_t(inverseSlot)] != record) {
                related->m_toOne[size_t(inverseSlot)] = record;
                related->markUpdated();
            }
        }
    }
}

Date ManagedObject::requiredDate(QStringView key) const
{
    return Date::fromSecondsSinceReferenceDate(value(key).toDouble());
}

Date ManagedObject::requiredDate(const PropertyKey& key) const
{
    return Date::fromSecondsSinceReferenceDate(value(key).toDouble());
}

void ManagedObject::setDate(QStringView key, std::optional<Date> date)
{
    setValue(key, date ? QVariant(date->secondsSinceReferenceDate()) : QVariant());
}

QVariant ManagedObject::valueForKeyPath(QStringView keyPath) const
{
    const ManagedObject* object = this;
    const QList<QStringView> parts = keyPath.split(u'.');
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
        object = object->object(parts[i]);
        if (!object)
            return {};
    }
    return object->value(parts.last());
}

ManagedObject* ManagedObject::object(QStringView key) const
{
    return m_toOne[relationshipSlot(key, false)];
}

const QList<ManagedObject*>& ManagedObject::objects(QStringView key) const
{
    return m_toMany[relationshipSlot(key, true)];
}

void ManagedObject::setObject(QStringView key, ManagedObject* target)
{
    const int slot = relationshipSlot(key, false);
    if (m_toOne[slot] == target || isDeleted() || (target && target->isDeleted())
        || m_context->undoHistory().isRestoring())
        return;
    const RelationshipDescription& relationship = m_entity->relationships()[slot];
    willChangeValue(relationship.name);
    if (ManagedObject* previous = m_toOne[slot])
        unlinkInverse(relationship, previous);
    linkToOne(slot, target);
    if (target)
        linkInverse(relationship, target);
    didChangeValue(relationship.name);
}

void ManagedObject::linkToOne(int slot, ManagedObject* target)
{
    if (UndoHistory* history = recorder())
        history->recordToOne(*this, slot, m_toOne[slot], target);
    m_toOne[slot] = target;
    markUpdated();
}

// Takes this record out of the other side of `relationship` on `target`.
void ManagedObject::unlinkInverse(const RelationshipDescription& relationship, ManagedObject* target)
{
    const int inverseSlot = target->m_entity->relationshipIndex(relationship.inverseName);
    const RelationshipDescription& inverse = target->m_entity->relationships()[inverseSlot];
    if (inverse.toMany) {
        target->removeFromToMany(inverse.name, this);
    } else if (target->m_toOne[inverseSlot] == this) {
        target->willChangeValue(inverse.name);
        target->linkToOne(inverseSlot, nullptr);
        target->didChangeValue(inverse.name);
    }
}

// Puts this record on the other side of `relationship` on `target`; for a
// one-to-one link that also detaches whatever `target` pointed at before.
void ManagedObject::linkInverse(const RelationshipDescription& relationship, ManagedObject* target)
{
    const int inverseSlot = target->m_entity->relationshipIndex(relationship.inverseName);
    const RelationshipDescription& inverse = target->m_entity->relationships()[inverseSlot];
    if (inverse.toMany) {
        target->appendToToMany(inverse.name, this);
        return;
    }
    if (ManagedObject* previous = target->m_toOne[inverseSlot])
        previous->setObject(relationship.name, nullptr);
    target->willChangeValue(inverse.name);
    target->linkToOne(inverseSlot, this);
    target->didChangeValue(inverse.name);
}

void ManagedObject::removeFromToMany(const QString& key, ManagedObject* target)
{
    const int slot = relationshipSlot(key, true);
    QList<ManagedObject*>& list = m_toMany[slot];
    const qsizetype index = list.indexOf(target);
    if (index < 0)
        return;
    willChangeValue(key);
    if (UndoHistory* history = recorder())
        history->recordToMany(*this, slot, *target, index, false);
    list.removeAt(index);
    didChangeValue(key);
}

void ManagedObject::appendToToMany(const QString& key, ManagedObject* target)
{
    const int slot = relationshipSlot(key, true);
    QList<ManagedObject*>& list = m_toMany[slot];
    if (list.contains(target))
        return;
    willChangeValue(key);
    if (UndoHistory* history = recorder())
        history->recordToMany(*this, slot, *target, list.size(), true);
    list.append(target);
    didChangeValue(key);
}

void ManagedObject::addObject(QStringView key, ManagedObject* target)
{
    const int slot = relationshipSlot(key, true);
    const RelationshipDescription& relationship = m_entity->relationships()[slot];
    if (!target || isDeleted() || target->isDeleted() || m_toMany[slot].contains(target)
        || m_context->undoHistory().isRestoring())
        return;
    if (!relationship.isManyToMany()) {
        // The to-one side holds the link; setting it updates this list too.
        target->setObject(relationship.inverseName, this);
        return;
    }
    appendToToMany(relationship.name, target);
    target->appendToToMany(relationship.inverseName, this);
    markJoinsChanged();
    target->markJoinsChanged();
}

void ManagedObject::removeObject(QStringView key, ManagedObject* target)
{
    const int slot = relationshipSlot(key, true);
    const RelationshipDescription& relationship = m_entity->relationships()[slot];
    if (!target || !m_toMany[slot].contains(target) || m_context->undoHistory().isRestoring())
        return;
    if (!relationship.isManyToMany()) {
        target->setObject(relationship.inverseName, nullptr);
        return;
    }
    removeFromToMany(relationship.name, target);
    target->removeFromToMany(relationship.inverseName, this);
    markJoinsChanged();
    target->markJoinsChanged();
}

void ManagedObject::markUpdated()
{
    if (m_state == State::Clean) {
        m_state = State::Updated;
        m_context->noteUpdated(*this);
    }
}

void ManagedObject::markJoinsChanged()
{
    m_joinsChanged = true;
    markUpdated();
}

UndoHistory* ManagedObject::recorder() const
{
    UndoHistory& history = m_context->undoHistory();
    return history.isRecording() ? &history : nullptr;
}

void ManagedObject::restoreAttribute(int slot, const QVariant& value)
{
    m_attributes[size_t(slot)] = value;
    markUpdated();
}

void ManagedObject::restoreToOne(int slot, ManagedObject* target)
{
    m_toOne[size_t(slot)] = target;
    markUpdated();
}

void ManagedObject::restoreToManyEntry(int slot, qsizetype index, ManagedObject* target)
{
    QList<ManagedObject*>& list = m_toMany[size_t(slot)];
    if (target)
        list.insert(index, target);
    else
        list.removeAt(index);
    if (m_entity->relationships()[slot].isManyToMany())
        markJoinsChanged();
    else
        markUpdated();
}

void ManagedObject::willChangeValue(const QString&)
{ }

void ManagedObject::didChangeValue(const QString&)
{ }

void ManagedObject::valuesRestored()
{ }
