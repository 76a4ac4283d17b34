#include "store/SqliteSchema.h"

#include <QSet>

SqliteSchema::SqliteSchema(const EntityModel& model)
    : m_model(model)
{
    for (const EntityDescription* entity : model.entities()) {
        RowLayout layout;
        for (int slot = 0; slot < entity->attributes().size(); ++slot) {
            layout.attributeSlots.append(slot);
            layout.columns.append(entity->attributes()[slot].columnName);
        }
        for (int slot = 0; slot < entity->relationships().size(); ++slot) {
            if (entity->relationships()[slot].toMany)
                continue;
            layout.toOneSlots.append(slot);
            layout.columns.append(entity->relationships()[slot].columnName);
        }
        m_layouts.insert(entity, layout);
    }
}

QString SqliteSchema::sqlType(AttributeType type)
{
    switch (type) {
    case AttributeType::String:
        return QStringLiteral("VARCHAR");
    case AttributeType::Integer:
    case AttributeType::Boolean:
        return QStringLiteral("INTEGER");
    case AttributeType::Double:
        return QStringLiteral("FLOAT");
    case AttributeType::Date:
        return QStringLiteral("TIMESTAMP");
    case AttributeType::Binary:
        return QStringLiteral("BLOB");
    }
    return {};
}

QList<const EntityDescription*> SqliteSchema::family(const EntityDescription& root) const
{
    QList<const EntityDescription*> members { &root };
    for (qsizetype i = 0; i < members.size(); ++i)
        members += members[i]->subentities();
    return members;
}

QString SqliteSchema::createTableSql(const EntityDescription& root) const
{
    QStringList definitions { QStringLiteral("Z_PK INTEGER PRIMARY KEY"), QStringLiteral("Z_ENT INTEGER"),
        QStringLiteral("Z_OPT INTEGER") };
    QSet<QString> seen;
    for (const EntityDescription* entity : family(root)) {
        for (const AttributeDescription& attribute : entity->attributes()) {
            if (!seen.contains(attribute.columnName)) {
                seen.insert(attribute.columnName);
                definitions << attribute.columnName + QLatin1Char(' ') + sqlType(attribute.type);
            }
        }
        for (const RelationshipDescription& relationship : entity->relationships()) {
            if (!relationship.toMany && !seen.contains(relationship.columnName)) {
                seen.insert(relationship.columnName);
                definitions << relationship.columnName + QStringLiteral(" INTEGER");
            }
        }
    }
    return QStringLiteral("CREATE TABLE %1 (%2);").arg(root.tableName(), definitions.join(QStringLiteral(", ")));
}

// Every key column is indexed: loading joins on them and deletes search them.
QStringList SqliteSchema::indexSql(const EntityDescription& root) const
{
    QStringList statements;
    QSet<QString> seen;
    for (const EntityDescription* entity : family(root)) {
        for (const RelationshipDescription& relationship : entity->relationships()) {
            if (relationship.toMany || seen.contains(relationship.columnName))
                continue;
            seen.insert(relationship.columnName);
            statements << QStringLiteral("CREATE INDEX %1_%2_INDEX ON %1 (%2);")
                              .arg(root.tableName(), relationship.columnName);
        }
    }
    return statements;
}

QString SqliteSchema::createScript() const
{
    QStringList statements {
        QStringLiteral("CREATE TABLE Z_PRIMARYKEY (Z_ENT INTEGER PRIMARY KEY, Z_NAME VARCHAR, Z_SUPER INTEGER, "
                       "Z_MAX INTEGER);"),
        QStringLiteral("CREATE TABLE Z_METADATA (Z_VERSION INTEGER PRIMARY KEY, Z_UUID VARCHAR(255), Z_PLIST BLOB);"),
    };
    QSet<QString> joinTables;
    for (const EntityDescription* root : m_model.rootEntities()) {
        statements << createTableSql(*root) << indexSql(*root);
        for (const RelationshipDescription& relationship : root->relationships()) {
            if (!relationship.isManyToMany() || joinTables.contains(relationship.joinTable))
                continue;
            joinTables.insert(relationship.joinTable);
            statements << QStringLiteral("CREATE TABLE %1 (%2 INTEGER, %3 INTEGER, PRIMARY KEY (%2, %3));")
                              .arg(relationship.joinTable, relationship.joinOwnColumn, relationship.joinOtherColumn)
                       << QStringLiteral("CREATE INDEX %1_%2_INDEX ON %1 (%2);")
                              .arg(relationship.joinTable, relationship.joinOtherColumn);
        }
    }
    return statements.join(QLatin1Char('\n'));
}

QString SqliteSchema::insertSql(const EntityDescription& entity) const
{
    const RowLayout& layout = rowLayout(entity);
    const QStringList columns = QStringList { "Z_PK", "Z_ENT", "Z_OPT" } + layout.columns;
    QStringList placeholders;
    placeholders.fill(QStringLiteral("?"), columns.size());
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
        .arg(entity.tableName(), columns.join(QStringLiteral(", ")), placeholders.join(QStringLiteral(", ")));
}

QString SqliteSchema::updateSql(const EntityDescription& entity) const
{
    QStringList assignments { QStringLiteral("Z_ENT = ?"), QStringLiteral("Z_OPT = ?") };
    for (const QString& column : rowLayout(entity).columns)
        assignments << column + QStringLiteral(" = ?");
    return QStringLiteral("UPDATE %1 SET %2 WHERE Z_PK = ?")
        .arg(entity.tableName(), assignments.join(QStringLiteral(", ")));
}

QString SqliteSchema::deleteSql(const EntityDescription& root)
{
    return QStringLiteral("DELETE FROM %1 WHERE Z_PK = ?").arg(root.tableName());
}
