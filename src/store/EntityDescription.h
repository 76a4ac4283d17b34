#pragma once

#include "store/AttributeDescription.h"
#include "store/PropertyIndex.h"
#include "store/RelationshipDescription.h"

#include <QList>
#include <QString>

#include <cstdint>

// One entity of the model: its attributes and relationships (inherited ones
// first, so a sub-entity's record keeps its parent's slots at the same
// positions), its place in the hierarchy and its table.
class EntityDescription {
public:
    EntityDescription();
    EntityDescription(const EntityDescription&) = delete;
    EntityDescription& operator=(const EntityDescription&) = delete;

    const QString& name() const { return m_name; }
    int entityNumber() const { return m_entityNumber; }
    // Unique among every entity of every model the program built, never
    // zero, below 2^31: what a PropertyKey remembers its entity by.
    std::uint32_t serial() const { return m_serial; }
    bool isAbstract() const { return m_abstract; }
    const EntityDescription* superentity() const { return m_super; }
    const EntityDescription& rootEntity() const;
    const QList<const EntityDescription*>& subentities() const { return m_subentities; }
    bool isKindOf(const EntityDescription& other) const;

    // "Z" + the root entity's name in capitals: sub-entities share their root's table.
    QString tableName() const;

    const QList<AttributeDescription>& attributes() const { return m_attributes; }
    const QList<RelationshipDescription>& relationships() const { return m_relationships; }
    // Position of a property in attributes() / relationships(), or -1.
    int attributeIndex(QStringView name) const { return m_attributeIndex.find(name); }
    int relationshipIndex(QStringView name) const { return m_relationshipIndex.find(name); }
    const AttributeDescription* attribute(QStringView name) const;
    const RelationshipDescription* relationship(QStringView name) const;

private:
    friend class EntityModelBuilder;

    const std::uint32_t m_serial;
    QString m_name;
    int m_entityNumber = 0;
    bool m_abstract = false;
    const EntityDescription* m_super = nullptr;
    QList<const EntityDescription*> m_subentities;
    QList<AttributeDescription> m_attributes;
    QList<RelationshipDescription> m_relationships;
    PropertyIndex m_attributeIndex;
    PropertyIndex m_relationshipIndex;
};
