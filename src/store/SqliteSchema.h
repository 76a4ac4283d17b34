#pragma once

#include "store/EntityModel.h"

#include <QHash>
#include <QStringList>

// The relational layout of a document file: one table per root entity
// ("Z" + name in capitals) with Z_PK, Z_ENT (entity number), Z_OPT (row
// version) and one column per attribute and to-one relationship of the root
// and all its sub-entities; a join table per many-to-many relationship; the
// key counters (Z_PRIMARYKEY) and the store metadata (Z_METADATA).
class SqliteSchema {
public:
    // What one entity writes into its table row, in statement order.
    struct RowLayout {
        QList<int> attributeSlots;
        QList<int> toOneSlots;
        QStringList columns;
    };

    explicit SqliteSchema(const EntityModel& model);

    const EntityModel& model() const { return m_model; }
    QString createScript() const;
    const RowLayout& rowLayout(const EntityDescription& entity) const { return *m_layouts.constFind(&entity); }

    QString insertSql(const EntityDescription& entity) const;
    QString updateSql(const EntityDescription& entity) const;
    static QString deleteSql(const EntityDescription& root);

    static QString sqlType(AttributeType type);

private:
    QString createTableSql(const EntityDescription& root) const;
    QStringList indexSql(const EntityDescription& root) const;
    QList<const EntityDescription*> family(const EntityDescription& root) const;

    const EntityModel& m_model;
    QHash<const EntityDescription*, RowLayout> m_layouts;
};
