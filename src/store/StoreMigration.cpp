#include "store/StoreMigration.h"

#include "foundation/plist/PropertyList.h"
#include "store/SemestraEntityModel.h"
#include "store/SqliteSchema.h"
#include "store/SqliteStore.h"
#include "store/sqlite/FMDatabase.h"
#include "store/sqlite/FMResultSet.h"
#include "store/sqlite/FMTransaction.h"

#include <QFile>
#include <QFileInfo>

namespace {

bool hasIndex(FMDatabase& file, const QString& name)
{
    std::unique_ptr<FMResultSet> rows
        = file.executeQuery(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'index' AND name = ?"), { name });
    return rows && rows->next();
}

bool addMissingColumns(FMDatabase& file, FMDatabase& current, const QString& table)
{
    const QStringList present = file.columnNames(table);
    std::unique_ptr<FMResultSet> columns
        = current.executeQuery(QStringLiteral("SELECT name, type FROM pragma_table_info(?)"), { table });
    bool ok = columns != nullptr;
    while (ok && columns->next()) {
        const QString column = columns->stringForColumnIndex(0);
        if (!present.contains(column))
            ok = file.executeUpdate(
                QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3").arg(table, column, columns->stringForColumnIndex(1)));
    }
    return ok;
}

bool addMissingKeyCounters(FMDatabase& file)
{
    for (const EntityDescription* entity : SemestraEntityModel::shared().entities()) {
        const EntityDescription* super = entity->superentity();
        if (!file.executeUpdate(QStringLiteral("INSERT OR IGNORE INTO Z_PRIMARYKEY (Z_ENT, Z_NAME, Z_SUPER, Z_MAX) "
                                               "VALUES (?, ?, ?, 0)"),
                { entity->entityNumber(), entity->name(), super ? super->entityNumber() : 0 }))
            return false;
    }
    return true;
}

// Adds to a file what the current layout has and the file lacks: tables,
// columns, indexes and key counters. Steps that only added entities or
// attributes are this.
bool addMissingLayout(FMDatabase& file)
{
    std::unique_ptr<FMDatabase> current = FMDatabase::databaseWithPath(QString());
    if (!current->open() || !current->executeStatements(SqliteSchema(SemestraEntityModel::shared()).createScript()))
        return false;
    // Tables before indexes ("table" sorts after "index").
    std::unique_ptr<FMResultSet> objects = current->executeQuery(
        QStringLiteral("SELECT type, name, sql FROM sqlite_master WHERE sql IS NOT NULL ORDER BY type DESC"));
    bool ok = objects != nullptr;
    while (ok && objects->next()) {
        const bool isTable = objects->stringForColumnIndex(0) == u"table";
        const QString name = objects->stringForColumnIndex(1);
        if (isTable && file.tableExists(name))
            ok = addMissingColumns(file, *current, name);
        else if (isTable || !hasIndex(file, name))
            ok = file.executeUpdate(objects->stringForColumnIndex(2));
    }
    return ok && addMissingKeyCounters(file);
}

struct Step {
    int from;
    int to;
    bool (*convert)(FMDatabase& file);
};

// Version 20 had no tags and no holiday type; version 21 added both (the tag
// entity came last, so no entity number changed).
constexpr Step steps[] = {
    { 20, 21, &addMissingLayout },
};

const Step* stepFrom(int version)
{
    for (const Step& step : steps) {
        if (step.from == version)
            return &step;
    }
    return nullptr;
}

bool writeVersion(FMDatabase& database, QVariantMap metadata, int version)
{
    metadata.insert(QStringLiteral("ManagedObjectModelVersion"), qint64(version));
    return database.executeUpdate(
        QStringLiteral("UPDATE Z_METADATA SET Z_PLIST = ?"), { PropertyList::writeXml(metadata) });
}

} // namespace

bool StoreMigration::canMigrate(int fromVersion, int toVersion)
{
    int version = fromVersion;
    while (version < toVersion) {
        const Step* step = stepFrom(version);
        if (!step)
            return false;
        version = step->to;
    }
    return version == toVersion;
}

Result<int> StoreMigration::migrateStep(const QString& source, const QString& destination)
{
    const Result<QVariantMap> metadata = SqliteStore::readMetadata(source);
    if (!metadata)
        return Result<int>::failure(metadata.error());
    const int version = SqliteStore::modelVersion(*metadata);
    const Step* step = stepFrom(version);
    if (!step)
        return Result<int>::failure(QStringLiteral("No conversion is known for files of version %1.").arg(version));
    QFile::remove(destination);
    if (!QFile::copy(source, destination))
        return Result<int>::failure(QStringLiteral("Could not copy the file to convert it."));
    std::unique_ptr<FMDatabase> database = FMDatabase::databaseWithPath(destination);
    bool ok = database->open();
    {
        FMTransaction transaction(*database);
        ok = ok && transaction.isActive() && step->convert(*database) && writeVersion(*database, *metadata, step->to)
            && transaction.commit();
    }
    if (!ok) {
        const QString error = database->lastErrorMessage();
        database->close();
        QFile::remove(destination);
        return Result<int>::failure(QStringLiteral("The file could not be converted: %1").arg(error));
    }
    return step->to;
}
