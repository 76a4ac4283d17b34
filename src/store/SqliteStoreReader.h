#pragma once

#include "foundation/core/Result.h"
#include "store/SqliteSchema.h"

#include <vector>

class FMDatabase;
class FMResultSet;
class ManagedObject;
class ObjectContext;

// Reads every record of a document database into an empty context: rows
// first, then the links between them, which need every row to be there.
class SqliteStoreReader {
public:
    SqliteStoreReader(FMDatabase& database, const SqliteSchema& schema, ObjectContext& context);

    Status readAll();

private:
    // A key column read before its target row may have been.
    struct PendingLink {
        ManagedObject* object;
        int slot;
        qint64 targetKey;
    };
    // Where one entity's properties sit among a table's result columns.
    struct ColumnPlan {
        QList<QPair<int, int>> attributes; // (slot, column)
        QList<QPair<int, int>> toOnes;
    };

    Status readTable(const EntityDescription& root);
    ColumnPlan planFor(const EntityDescription& entity, FMResultSet& rows) const;
    void readRow(ManagedObject& object, const ColumnPlan& plan, FMResultSet& rows);
    void resolveLinks();
    Status readJoinTables();
    Status readKeyCounters();
    Status damaged(const QString& detail) const;

    FMDatabase& m_database;
    const SqliteSchema& m_schema;
    ObjectContext& m_context;
    std::vector<PendingLink> m_pending;
};
