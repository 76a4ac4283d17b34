#pragma once

#include "store/SqliteSchema.h"

#include <QHash>

#include <memory>

class FMDatabase;
class FMStatement;
class ManagedObject;
class ObjectContext;

// Writes records into an open document database. Statements are prepared
// once per entity and reused for every row. The caller owns the transaction.
class SqliteStoreWriter {
public:
    SqliteStoreWriter(FMDatabase& database, const SqliteSchema& schema);
    ~SqliteStoreWriter();

    bool insertRow(const ManagedObject& object);
    bool updateRow(const ManagedObject& object);
    bool deleteRow(const ManagedObject& object);
    // Writes the join rows of the many-to-many relationships the record owns,
    // replacing those written before.
    bool writeJoins(const ManagedObject& object);
    // Forgets the join rows of a deleted record, on both sides.
    bool deleteJoins(const ManagedObject& object);
    bool writeKeyCounters(const ObjectContext& context);
    bool writeMetadata(const ObjectContext& context);

private:
    FMStatement* statement(QHash<const EntityDescription*, std::shared_ptr<FMStatement>>& cache,
        const EntityDescription& entity, const QString& sql);
    bool bindRow(FMStatement& statement, const ManagedObject& object, int firstIndex);

    FMDatabase& m_database;
    const SqliteSchema& m_schema;
    QHash<const EntityDescription*, std::shared_ptr<FMStatement>> m_inserts;
    QHash<const EntityDescription*, std::shared_ptr<FMStatement>> m_updates;
    QHash<const EntityDescription*, std::shared_ptr<FMStatement>> m_deletes;
};
