#pragma once

#include "store/AttributeDescription.h"
#include "store/RelationshipDescription.h"

#include <QHash>
#include <QList>
#include <QString>

// One entity of the model: its attributes and relationships (inherited ones
// first, so a sub-entity's record keeps its parent's slots at the same
// positions), its place in the hierarchy and its table.
class EntityDescription {
public:
    const QString& name() const { return m_name; }
    int entityNumber() const { return m_entityNumber; }
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
    int attributeIndex(QStringView name) const { return m_attributeIndex.value(name, -1); }
    int relationshipIndex(QStringView name) const { return m_relationshipIndex.value(name, -1); }
    const AttributeDescription* attribute(QStringView name) const;
    const RelationshipDescription* relationship(QStringView name) const;

private:
    friend class EntityModelBuilder;

    QString m_name;
    int m_entityNumber = 0;
    bool m_abstract = false;
    const EntityDescription* m_super = nullptr;
    QList<const EntityDescription*> m_subentities;
    QList<AttributeDescription> m_attributes;
    QList<RelationshipDescription> m_relationships;
    // Every read and write of a record looks its key up here, so the keys
    // are views of the names above: a lookup hashes the caller's text and
    // allocates nothing. The names never change once the model is built.
    QHash<QStringView, int> m_attributeIndex;
    QHash<QStringView, int> m_relationshipIndex;
};
