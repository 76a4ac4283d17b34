#include "store/SqliteStore.h"

#include "foundation/plist/PropertyList.h"
#include "store/SqliteSchema.h"
#include "store/SqliteStoreReader.h"
#include "store/SqliteStoreWriter.h"
#include "store/StoreFileCheck.h"
#include "store/sqlite/FMDatabase.h"
#include "store/sqlite/FMResultSet.h"
#include "store/sqlite/FMTransaction.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

const QString modelVersionKey = QStringLiteral("ManagedObjectModelVersion");

QString fileName(const QString& path)
{
    return QFileInfo(path).fileName();
}

Status failure(const FMDatabase& database, const QString& action)
{
    return Status::failure(QStringLiteral("%1: %2").arg(action, database.lastErrorMessage()));
}

// Opens a file that passed the file check. Read/write, so that SQLite can
// roll back what an interrupted save left in the journal; nothing else is
// written until a save.
std::unique_ptr<FMDatabase> openChecked(const QString& path, Status& status)
{
    status = StoreFileCheck::check(path);
    if (!status)
        return nullptr;
    std::unique_ptr<FMDatabase> database = FMDatabase::databaseWithPath(path);
    if (!database->open()) {
        status = Status::failure(QStringLiteral("The file “%1” could not be opened.").arg(fileName(path)));
        return nullptr;
    }
    return database;
}

Result<QVariantMap> metadataOf(FMDatabase& database, const QString& path)
{
    const QString notADocument = QStringLiteral("The file “%1” is not a Semestra document.").arg(fileName(path));
    if (!database.tableExists(QStringLiteral("Z_METADATA")))
        return Result<QVariantMap>::failure(notADocument);
    std::unique_ptr<FMResultSet> rows = database.executeQuery(QStringLiteral("SELECT Z_PLIST FROM Z_METADATA"));
    if (!rows || !rows->next())
        return Result<QVariantMap>::failure(notADocument);
    const Result<QVariant> plist = PropertyList::read(rows->dataForColumnIndex(0));
    if (!plist || plist->typeId() != QMetaType::QVariantMap || !plist->toMap().contains(modelVersionKey))
        return Result<QVariantMap>::failure(notADocument);
    return plist->toMap();
}

Status checkVersion(const QVariantMap& metadata, const EntityModel& model, const QString& path)
{
    const int version = SqliteStore::modelVersion(metadata);
    if (version > model.version())
        return Status::failure(
            QStringLiteral("The file “%1” was made by a newer version of Semestra and cannot be opened.")
                .arg(fileName(path)));
    if (version < model.version())
        return Status::failure(
            QStringLiteral("The file “%1” was made by an earlier version of Semestra and must be upgraded first.")
                .arg(fileName(path)));
    return Status::success();
}

// Whole-file saves write ".<name>.XXXXXX" beside the document; the random
// part is six letters or digits.
QString siblingFileTemplate(const QFileInfo& target)
{
    return QLatin1Char('.') + target.fileName() + QStringLiteral(".XXXXXX");
}

// A save that was killed leaves its hidden file (and that file's journal)
// behind; the next save in the same place clears them away. Nothing else
// matches the pattern, so no other file is touched.
void removeLeftoverSiblingFiles(const QString& path)
{
    const QFileInfo target(path);
    const QRegularExpression leftover(QStringLiteral("^%1[A-Za-z0-9]{6}(-journal)?$")
            .arg(QRegularExpression::escape(siblingFileTemplate(target).chopped(6))));
    const QDir folder = target.absoluteDir();
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden)) {
        if (leftover.match(name).hasMatch())
            QFile::remove(folder.filePath(name));
    }
}

// A file in the same folder as `path` (so that moving it there is a rename),
// reserved under a hidden name.
Result<QString> reserveSiblingFile(const QString& path)
{
    const QFileInfo target(path);
    QTemporaryFile file(target.absoluteDir().filePath(siblingFileTemplate(target)));
    file.setAutoRemove(false);
    if (!file.open())
        return Result<QString>::failure(
            QStringLiteral("Could not write in the folder of “%1”: %2").arg(target.fileName(), file.errorString()));
    // The new file takes the place of the old one, so it takes its permissions
    // too (a temporary file is private to its owner).
    const QFileDevice::Permissions readWrite
        = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    file.setPermissions(target.exists() ? QFile::permissions(path) : readWrite);
    return file.fileName();
}

} // namespace

int SqliteStore::modelVersion(const QVariantMap& metadata)
{
    return metadata.value(modelVersionKey).toInt();
}

Result<QVariantMap> SqliteStore::readMetadata(const QString& path)
{
    Status status = Status::success();
    std::unique_ptr<FMDatabase> database = openChecked(path, status);
    if (!database)
        return Result<QVariantMap>::failure(status.error());
    return metadataOf(*database, path);
}

Result<std::unique_ptr<ObjectContext>> SqliteStore::open(
    const QString& path, const EntityModel& model, ObjectContext::RecordFactory factory)
{
    using OpenResult = Result<std::unique_ptr<ObjectContext>>;
    Status status = Status::success();
    std::unique_ptr<FMDatabase> database = openChecked(path, status);
    if (!database)
        return OpenResult::failure(status.error());
    Result<QVariantMap> metadata = metadataOf(*database, path);
    if (!metadata)
        return OpenResult::failure(metadata.error());
    if (status = checkVersion(*metadata, model, path); !status)
        return OpenResult::failure(status.error());

    auto context = std::make_unique<ObjectContext>(model, std::move(factory));
    const SqliteSchema schema(model);
    if (status = SqliteStoreReader(*database, schema, *context).readAll(); !status)
        return OpenResult::failure(
            QStringLiteral("The file “%1” could not be read. %2").arg(fileName(path), status.error()));
    context->m_metadata = *metadata;
    context->m_storeIdentifier = metadata->value(QStringLiteral("NSStoreUUID"), context->m_storeIdentifier).toString();
    context->m_storePath = QFileInfo(path).absoluteFilePath();
    return context;
}

Status SqliteStore::save(ObjectContext& context, const QString& path)
{
    const QString absolutePath = QFileInfo(path).absoluteFilePath();
    removeLeftoverSiblingFiles(absolutePath);
    if (absolutePath == context.m_storePath && QFileInfo::exists(absolutePath))
        return saveChanges(context);
    if (const Status status = writeWholeStore(context, absolutePath); !status)
        return status;
    context.m_storePath = absolutePath;
    context.markSaved();
    return Status::success();
}

Status SqliteStore::writeCopy(const ObjectContext& context, const QString& path)
{
    return writeWholeStore(context, QFileInfo(path).absoluteFilePath());
}

Status SqliteStore::saveChanges(ObjectContext& context)
{
    std::unique_ptr<FMDatabase> database = FMDatabase::databaseWithPath(context.m_storePath);
    if (!database->open())
        return failure(*database, QStringLiteral("The document could not be opened for saving"));
    // The journal is what makes an interrupted save roll back to the old file.
    database->executeStatements(QStringLiteral("PRAGMA journal_mode = DELETE; PRAGMA synchronous = FULL;"));
    const SqliteSchema schema(context.model());
    SqliteStoreWriter writer(*database, schema);
    FMTransaction transaction(*database);
    bool ok = transaction.isActive();
    for (const ManagedObject* object : context.deletedObjects())
        ok = ok && writer.deleteRow(*object);
    for (const ManagedObject* object : context.insertedObjects())
        ok = ok && writer.insertRow(*object);
    for (const ManagedObject* object : context.updatedObjects())
        ok = ok && writer.updateRow(*object);
    for (const QSet<ManagedObject*>* changed : { &context.insertedObjects(), &context.updatedObjects() }) {
        for (const ManagedObject* object : *changed)
            ok = ok && (!object->m_joinsChanged || writer.writeJoins(*object));
    }
    ok = ok && writer.writeKeyCounters(context) && writer.writeMetadata(context) && transaction.commit();
    if (!ok)
        return failure(*database, QStringLiteral("The document could not be saved"));
    context.markSaved();
    return Status::success();
}

// Writes every record into a fresh file beside `path`, then renames it over
// `path`: a reader of `path` sees the old file or the new one, never half.
Status SqliteStore::writeWholeStore(const ObjectContext& context, const QString& path)
{
    const Result<QString> temporary = reserveSiblingFile(path);
    if (!temporary)
        return Status::failure(temporary.error());
    bool ok = false;
    QString error;
    {
        std::unique_ptr<FMDatabase> database = FMDatabase::databaseWithPath(*temporary);
        const SqliteSchema schema(context.model());
        SqliteStoreWriter writer(*database, schema);
        ok = database->open() && database->executeStatements(schema.createScript());
        FMTransaction transaction(*database);
        ok = ok && transaction.isActive();
        for (const EntityDescription* entity : context.model().entities()) {
            for (const ManagedObject* object : context.m_byEntity.value(entity))
                ok = ok && writer.insertRow(*object) && writer.writeJoins(*object);
        }
        ok = ok && writer.writeKeyCounters(context) && writer.writeMetadata(context) && transaction.commit();
        if (!ok)
            error = database->lastErrorMessage();
    }
    if (ok && std::rename(QFile::encodeName(*temporary).constData(), QFile::encodeName(path).constData()) != 0) {
        ok = false;
        error = QString::fromLocal8Bit(std::strerror(errno));
    }
    if (!ok) {
        QFile::remove(*temporary);
        return Status::failure(QStringLiteral("The file “%1” could not be written: %2").arg(fileName(path), error));
    }
    return Status::success();
}
