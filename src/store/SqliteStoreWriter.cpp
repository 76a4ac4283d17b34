#include "store/SqliteStoreWriter.h"

#include "foundation/plist/PropertyList.h"
#include "store/ObjectContext.h"
#include "store/sqlite/FMDatabase.h"
#include "store/sqlite/FMStatement.h"

SqliteStoreWriter::SqliteStoreWriter(FMDatabase& database, const SqliteSchema& schema)
    : m_database(database)
    , m_schema(schema)
{ }

SqliteStoreWriter::~SqliteStoreWriter() = default;

FMStatement* SqliteStoreWriter::statement(QHash<const EntityDescription*, std::shared_ptr<FMStatement>>& cache,
    const EntityDescription& entity, const QString& sql)
{
    std::shared_ptr<FMStatement>& slot = cache[&entity];
    if (!slot)
        slot = m_database.prepare(sql);
    return slot.get();
}

// Binds the record's columns, in row-layout order, from parameter `firstIndex`.
bool SqliteStoreWriter::bindRow(FMStatement& statement, const ManagedObject& object, int firstIndex)
{
    const SqliteSchema::RowLayout& layout = m_schema.rowLayout(object.entity());
    int index = firstIndex;
    for (int slot : layout.attributeSlots) {
        if (!statement.bind(index++, object.m_attributes[slot]))
            return false;
    }
    for (int slot : layout.toOneSlots) {
        const ManagedObject* target = object.m_toOne[slot];
        if (!statement.bind(index++, target ? QVariant(target->primaryKey()) : QVariant()))
            return false;
    }
    return true;
}

bool SqliteStoreWriter::insertRow(const ManagedObject& object)
{
    FMStatement* insert = statement(m_inserts, object.entity(), m_schema.insertSql(object.entity()));
    return insert && insert->bind(1, object.primaryKey()) && insert->bind(2, object.entity().entityNumber())
        && insert->bind(3, object.m_version + 1) && bindRow(*insert, object, 4) && insert->execute();
}

bool SqliteStoreWriter::updateRow(const ManagedObject& object)
{
    FMStatement* update = statement(m_updates, object.entity(), m_schema.updateSql(object.entity()));
    const int keyIndex = 3 + int(m_schema.rowLayout(object.entity()).columns.size());
    return update && update->bind(1, object.entity().entityNumber()) && update->bind(2, object.m_version + 1)
        && bindRow(*update, object, 3) && update->bind(keyIndex, object.primaryKey()) && update->execute();
}

bool SqliteStoreWriter::deleteRow(const ManagedObject& object)
{
    const EntityDescription& root = object.entity().rootEntity();
    FMStatement* remove = statement(m_deletes, root, SqliteSchema::deleteSql(root));
    return remove && remove->bind(1, object.primaryKey()) && remove->execute() && deleteJoins(object);
}

bool SqliteStoreWriter::writeJoins(const ManagedObject& object)
{
    const QList<RelationshipDescription>& relationships = object.entity().relationships();
    for (int slot = 0; slot < relationships.size(); ++slot) {
        const RelationshipDescription& relationship = relationships[slot];
        if (!relationship.isManyToMany() || !relationship.ownsJoinTable)
            continue;
        const QString clear
            = QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(relationship.joinTable, relationship.joinOwnColumn);
        if (!m_database.executeUpdate(clear, { object.primaryKey() }))
            return false;
        const QString insert
            = QStringLiteral("INSERT INTO %1 (%2, %3) VALUES (?, ?)")
                  .arg(relationship.joinTable, relationship.joinOwnColumn, relationship.joinOtherColumn);
        for (const ManagedObject* target : object.m_toMany[slot]) {
            if (!m_database.executeUpdate(insert, { object.primaryKey(), target->primaryKey() }))
                return false;
        }
    }
    return true;
}

bool SqliteStoreWriter::deleteJoins(const ManagedObject& object)
{
    for (const RelationshipDescription& relationship : object.entity().relationships()) {
        if (!relationship.isManyToMany())
            continue;
        const QString clear
            = QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(relationship.joinTable, relationship.joinOwnColumn);
        if (!m_database.executeUpdate(clear, { object.primaryKey() }))
            return false;
    }
    return true;
}

bool SqliteStoreWriter::writeKeyCounters(const ObjectContext& context)
{
    if (!m_database.executeUpdate(QStringLiteral("DELETE FROM Z_PRIMARYKEY")))
        return false;
    for (const EntityDescription* entity : context.model().entities()) {
        const EntityDescription* super = entity->superentity();
        const qint64 max = context.m_maxPrimaryKey.value(&entity->rootEntity());
        if (!m_database.executeUpdate(
                QStringLiteral("INSERT INTO Z_PRIMARYKEY (Z_ENT, Z_NAME, Z_SUPER, Z_MAX) VALUES (?, ?, ?, ?)"),
                { entity->entityNumber(), entity->name(), super ? super->entityNumber() : 0, max }))
            return false;
    }
    return true;
}

bool SqliteStoreWriter::writeMetadata(const ObjectContext& context)
{
    QVariantMap metadata = context.metadata();
    metadata.insert(QStringLiteral("ManagedObjectModelVersion"), qint64(context.model().version()));
    metadata.insert(QStringLiteral("NSStoreUUID"), context.storeIdentifier());
    metadata.insert(QStringLiteral("NSStoreType"), QStringLiteral("SQLite"));
    return m_database.executeUpdate(QStringLiteral("DELETE FROM Z_METADATA"))
        && m_database.executeUpdate(
            QStringLiteral("INSERT INTO Z_METADATA (Z_VERSION, Z_UUID, Z_PLIST) VALUES (1, ?, ?)"),
            { context.storeIdentifier(), PropertyList::writeXml(metadata) });
}
