#include "store/EntityModelBuilder.h"

#include <QtGlobal>

#include <algorithm>

namespace {

[[noreturn]] void modelError(const QString& message)
{
    qFatal("Entity model: %s", qPrintable(message));
}

QString baseColumn(const QString& propertyName)
{
    return QLatin1Char('Z') + propertyName.toUpper();
}

} // namespace

EntityModelBuilder::EntityModelBuilder(int version)
    : m_version(version)
{ }

EntityModelBuilder& EntityModelBuilder::entity(const QString& name, const QString& superentity, Kind kind)
{
    m_entities.append({ name, superentity, kind, {}, {} });
    return *this;
}

EntityModelBuilder& EntityModelBuilder::attribute(const QString& name, AttributeType type)
{
    m_entities.last().attributes.append({ name, type, {} });
    return *this;
}

EntityModelBuilder& EntityModelBuilder::toOne(const QString& name, const QString& destination, const QString& inverse)
{
    m_entities.last().relationships.append({ name, destination, inverse, false });
    return *this;
}

EntityModelBuilder& EntityModelBuilder::toMany(const QString& name, const QString& destination, const QString& inverse)
{
    m_entities.last().relationships.append({ name, destination, inverse, true });
    return *this;
}

std::unique_ptr<EntityModel> EntityModelBuilder::build()
{
    auto model = std::unique_ptr<EntityModel>(new EntityModel);
    model->m_version = m_version;
    createEntities(*model);
    for (int i = 0; i < m_entities.size(); ++i)
        addProperties(*model->m_storage[i], m_entities[i], *model);
    resolveJoinTables(*model);
    checkInverses(*model);
    return model;
}

void EntityModelBuilder::createEntities(EntityModel& model) const
{
    for (const PendingEntity& pending : m_entities) {
        auto entity = std::make_unique<EntityDescription>();
        entity->m_name = pending.name;
        entity->m_abstract = pending.kind == Kind::Abstract;
        entity->m_entityNumber = int(model.m_storage.size()) + 1;
        if (!pending.superentity.isEmpty()) {
            auto* parent = const_cast<EntityDescription*>(model.entity(pending.superentity));
            if (!parent)
                modelError(pending.name + " names an undeclared parent " + pending.superentity);
            entity->m_super = parent;
            parent->m_subentities.append(entity.get());
        }
        if (model.m_byName.contains(pending.name))
            modelError(pending.name + " is declared twice");
        model.m_byName.insert(pending.name, entity.get());
        model.m_ordered.append(entity.get());
        model.m_storage.push_back(std::move(entity));
    }
}

void EntityModelBuilder::addProperties(
    EntityDescription& entity, const PendingEntity& pending, const EntityModel& model)
{
    const QString table = entity.tableName();
    if (entity.m_super) {
        entity.m_attributes = entity.m_super->m_attributes;
        entity.m_relationships = entity.m_super->m_relationships;
    }
    for (AttributeDescription attribute : pending.attributes) {
        attribute.columnName = attributeColumn(table, attribute.name);
        entity.m_attributes.append(attribute);
    }
    for (const PendingRelationship& declared : pending.relationships) {
        RelationshipDescription relationship;
        relationship.name = declared.name;
        relationship.destination = model.entity(declared.destination);
        if (!relationship.destination)
            modelError(entity.name() + "." + declared.name + " points at an undeclared " + declared.destination);
        relationship.inverseName = declared.inverse;
        relationship.toMany = declared.toMany;
        if (!declared.toMany)
            relationship.columnName = relationshipColumn(table, declared.name, declared.destination);
        entity.m_relationships.append(relationship);
    }
    for (int i = 0; i < entity.m_attributes.size(); ++i) {
        if (entity.m_attributeIndex.find(entity.m_attributes[i].name) >= 0)
            modelError(entity.name() + " declares " + entity.m_attributes[i].name + " twice");
        entity.m_attributeIndex.add(entity.m_attributes[i].name);
    }
    for (const RelationshipDescription& relationship : entity.m_relationships)
        entity.m_relationshipIndex.add(relationship.name);
}

// Sibling sub-entities share their root's table. An attribute whose name a
// sibling already used gets its own column, numbered: the second "URL" is
// stored in ZURL1.
QString EntityModelBuilder::attributeColumn(const QString& table, const QString& name)
{
    QHash<QString, ColumnOwner>& columns = m_columnsByTable[table];
    const QString base = baseColumn(name);
    QString column = base;
    for (int suffix = 1; columns.contains(column); ++suffix)
        column = base + QString::number(suffix);
    columns.insert(column, { name, {} });
    return column;
}

// Same-named to-one relationships of siblings that point at the same entity
// are the same link and share one key column (every attachment's lesson is
// in ZLESSON, whichever kind of attachment it is).
QString EntityModelBuilder::relationshipColumn(const QString& table, const QString& name, const QString& destination)
{
    QHash<QString, ColumnOwner>& columns = m_columnsByTable[table];
    const QString base = baseColumn(name);
    QString column = base;
    for (int suffix = 1; columns.contains(column); ++suffix) {
        const ColumnOwner& owner = columns[column];
        if (owner.propertyName == name && owner.destination == destination)
            return column;
        column = base + QString::number(suffix);
    }
    columns.insert(column, { name, destination });
    return column;
}

void EntityModelBuilder::resolveJoinTables(EntityModel& model)
{
    for (auto& entity : model.m_storage) {
        for (RelationshipDescription& relationship : entity->m_relationships) {
            if (!relationship.toMany)
                continue;
            const RelationshipDescription* inverse = relationship.destination->relationship(relationship.inverseName);
            if (!inverse || !inverse->toMany)
                continue;
            // Sub-entities inherit the relationship, so name the table and its
            // columns after the root entities: every copy then agrees. The side
            // declared first owns the table.
            const EntityDescription& self = entity->rootEntity();
            const EntityDescription& other = relationship.destination->rootEntity();
            const bool owns = self.entityNumber() < other.entityNumber();
            const EntityDescription& owner = owns ? self : other;
            const QString ownerRelationship = owns ? relationship.name : inverse->name;
            relationship.joinTable = "Z_" + QString::number(owner.entityNumber()) + ownerRelationship.toUpper();
            relationship.joinOwnColumn = "Z_" + QString::number(self.entityNumber()) + inverse->name.toUpper();
            relationship.joinOtherColumn = "Z_" + QString::number(other.entityNumber()) + relationship.name.toUpper();
            relationship.ownsJoinTable = owns;
        }
    }
}

// Every relationship's inverse must exist on the destination or, for an
// abstract destination, on at least one of its sub-entities (the lesson's
// attachments are only those kinds of attachment that name a lesson).
void EntityModelBuilder::checkInverses(const EntityModel& model)
{
    for (const EntityDescription* entity : model.entities()) {
        for (const RelationshipDescription& relationship : entity->relationships()) {
            QList<const EntityDescription*> targets { relationship.destination };
            if (relationship.destination->isAbstract())
                targets = relationship.destination->subentities();
            const bool paired = std::any_of(targets.begin(), targets.end(), [&](const EntityDescription* target) {
                const RelationshipDescription* inverse = target->relationship(relationship.inverseName);
                return inverse && (entity->isKindOf(*inverse->destination) || inverse->destination->isKindOf(*entity));
            });
            if (!paired)
                modelError(entity->name() + "." + relationship.name + " has no inverse");
        }
    }
}
