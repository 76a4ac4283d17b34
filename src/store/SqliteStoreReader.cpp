#include "store/SqliteStoreReader.h"

#include "store/ObjectContext.h"
#include "store/sqlite/FMDatabase.h"
#include "store/sqlite/FMResultSet.h"

#include <QSet>

#include <sqlite3.h>

namespace {

QVariant readValue(AttributeType type, const FMResultSet& rows, int column)
{
    if (rows.columnIsNullForColumnIndex(column))
        return {};
    switch (type) {
    case AttributeType::String:
        return rows.stringForColumnIndex(column);
    case AttributeType::Integer:
        return rows.longLongIntForColumnIndex(column);
    case AttributeType::Double:
    case AttributeType::Date:
        return rows.doubleForColumnIndex(column);
    case AttributeType::Boolean:
        return rows.boolForColumnIndex(column);
    case AttributeType::Binary:
        return rows.dataForColumnIndex(column);
    }
    return {};
}

bool stepFailed(const FMDatabase& database)
{
    const int code = database.lastErrorCode() & 0xff;
    return code != SQLITE_OK && code != SQLITE_ROW && code != SQLITE_DONE;
}

} // namespace

SqliteStoreReader::SqliteStoreReader(FMDatabase& database, const SqliteSchema& schema, ObjectContext& context)
    : m_database(database)
    , m_schema(schema)
    , m_context(context)
{ }

Status SqliteStoreReader::damaged(const QString& detail) const
{
    return Status::failure(QStringLiteral("The document is damaged: %1").arg(detail));
}

Status SqliteStoreReader::readAll()
{
    for (const EntityDescription* root : m_schema.model().rootEntities()) {
        if (const Status status = readTable(*root); !status)
            return status;
    }
    resolveLinks();
    if (const Status status = readJoinTables(); !status)
        return status;
    return readKeyCounters();
}

SqliteStoreReader::ColumnPlan SqliteStoreReader::planFor(const EntityDescription& entity, FMResultSet& rows) const
{
    QHash<QString, int> columns;
    for (int i = 0; i < rows.columnCount(); ++i)
        columns.insert(rows.columnNameForIndex(i).toUpper(), i);
    ColumnPlan plan;
    // A column the file lacks reads as absent, as in an older file.
    for (int slot = 0; slot < entity.attributes().size(); ++slot) {
        const int column = columns.value(entity.attributes()[slot].columnName, -1);
        if (column >= 0)
            plan.attributes.append({ slot, column });
    }
    for (int slot = 0; slot < entity.relationships().size(); ++slot) {
        const RelationshipDescription& relationship = entity.relationships()[slot];
        const int column = relationship.toMany ? -1 : columns.value(relationship.columnName, -1);
        if (column >= 0)
            plan.toOnes.append({ slot, column });
    }
    return plan;
}

Status SqliteStoreReader::readTable(const EntityDescription& root)
{
    std::unique_ptr<FMResultSet> rows
        = m_database.executeQuery(QStringLiteral("SELECT * FROM %1 ORDER BY Z_PK").arg(root.tableName()));
    if (!rows)
        return damaged(m_database.lastErrorMessage());
    const int keyColumn = rows->columnIndexForName(QStringLiteral("Z_PK"));
    const int entityColumn = rows->columnIndexForName(QStringLiteral("Z_ENT"));
    const int versionColumn = rows->columnIndexForName(QStringLiteral("Z_OPT"));
    if (keyColumn < 0 || entityColumn < 0)
        return damaged(root.tableName() + QStringLiteral(" has no key columns"));
    QHash<const EntityDescription*, ColumnPlan> plans;
    while (rows->next()) {
        const EntityDescription* entity = m_schema.model().entityWithNumber(rows->intForColumnIndex(entityColumn));
        if (!entity || entity->isAbstract() || !entity->isKindOf(root))
            return damaged(root.tableName() + QStringLiteral(" holds a row of an unknown kind"));
        auto plan = plans.find(entity);
        if (plan == plans.end())
            plan = plans.insert(entity, planFor(*entity, *rows));
        ManagedObject* object = m_context.createObject(*entity, rows->longLongIntForColumnIndex(keyColumn));
        object->m_inStore = true;
        object->m_version = versionColumn < 0 ? 0 : rows->intForColumnIndex(versionColumn);
        readRow(*object, *plan, *rows);
    }
    if (stepFailed(m_database))
        return damaged(m_database.lastErrorMessage());
    return Status::success();
}

void SqliteStoreReader::readRow(ManagedObject& object, const ColumnPlan& plan, FMResultSet& rows)
{
    for (const auto& [slot, column] : plan.attributes)
        object.m_attributes[slot] = readValue(object.entity().attributes()[slot].type, rows, column);
    for (const auto& [slot, column] : plan.toOnes) {
        if (!rows.columnIsNullForColumnIndex(column))
            m_pending.push_back({ &object, slot, rows.longLongIntForColumnIndex(column) });
    }
}

// Links rows by key. A key naming no row (or a row of the wrong kind) is no
// link at all. Each side of a one-to-one keeps its own column.
void SqliteStoreReader::resolveLinks()
{
    for (const PendingLink& link : m_pending) {
        const RelationshipDescription& relationship = link.object->entity().relationships()[link.slot];
        ManagedObject* target = m_context.m_byKey.value(&relationship.destination->rootEntity()).value(link.targetKey);
        if (!target || !target->entity().isKindOf(*relationship.destination))
            continue;
        const int inverseSlot = target->entity().relationshipIndex(relationship.inverseName);
        if (inverseSlot < 0)
            continue;
        link.object->m_toOne[link.slot] = target;
        if (target->entity().relationships()[inverseSlot].toMany)
            target->m_toMany[inverseSlot].append(link.object);
    }
    m_pending.clear();
}

Status SqliteStoreReader::readJoinTables()
{
    for (const EntityDescription* entity : m_schema.model().entities()) {
        for (const RelationshipDescription& relationship : entity->relationships()) {
            if (!relationship.isManyToMany() || !relationship.ownsJoinTable || entity->superentity())
                continue;
            std::unique_ptr<FMResultSet> rows = m_database.executeQuery(
                QStringLiteral("SELECT %1, %2 FROM %3")
                    .arg(relationship.joinOwnColumn, relationship.joinOtherColumn, relationship.joinTable));
            if (!rows)
                return damaged(m_database.lastErrorMessage());
            const auto& owners = m_context.m_byKey.value(entity);
            const auto& targets = m_context.m_byKey.value(&relationship.destination->rootEntity());
            while (rows->next()) {
                ManagedObject* owner = owners.value(rows->longLongIntForColumnIndex(0));
                ManagedObject* target = targets.value(rows->longLongIntForColumnIndex(1));
                if (!owner || !target)
                    continue;
                owner->m_toMany[owner->entity().relationshipIndex(relationship.name)].append(target);
                target->m_toMany[target->entity().relationshipIndex(relationship.inverseName)].append(owner);
            }
            if (stepFailed(m_database))
                return damaged(m_database.lastErrorMessage());
        }
    }
    return Status::success();
}

// Keys are never reused, even those of rows deleted since: an identifier
// handed out (a lesson's URI on a pasteboard) must not come to name another.
Status SqliteStoreReader::readKeyCounters()
{
    std::unique_ptr<FMResultSet> rows
        = m_database.executeQuery(QStringLiteral("SELECT Z_ENT, Z_MAX FROM Z_PRIMARYKEY"));
    if (!rows)
        return damaged(m_database.lastErrorMessage());
    while (rows->next()) {
        const EntityDescription* entity = m_schema.model().entityWithNumber(rows->intForColumnIndex(0));
        if (!entity)
            continue;
        qint64& max = m_context.m_maxPrimaryKey[&entity->rootEntity()];
        max = std::max(max, rows->longLongIntForColumnIndex(1));
    }
    return Status::success();
}
