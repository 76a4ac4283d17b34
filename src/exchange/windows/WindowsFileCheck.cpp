#include "exchange/windows/WindowsFileCheck.h"

#include "store/sqlite/FMDatabase.h"
#include "store/sqlite/FMResultSet.h"

#include <QFileInfo>

#include <sqlite3.h>

namespace {

// The tables a plan cannot be built without; the others may be missing.
const QStringList requiredTables { QStringLiteral("ZCOURSE"), QStringLiteral("ZWEEK"), QStringLiteral("ZDAY"),
    QStringLiteral("ZLESSON") };

QString notAnExchangeFile(const QString& fileName, const QString& reason)
{
    return QStringLiteral("“%1” is not a Semestra for Windows file: %2").arg(fileName, reason);
}

// Why the first read of the file failed, in the user's words.
QString readFailure(const FMDatabase& database, const QString& fileName)
{
    switch (database.lastErrorCode() & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("“%1” is in use by another program. Close it there and try again.").arg(fileName);
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        return notAnExchangeFile(fileName, QStringLiteral("it is not an SQLite database."));
    default:
        return QStringLiteral("“%1” could not be read: %2").arg(fileName, database.lastErrorMessage());
    }
}

} // namespace

Result<std::unique_ptr<FMDatabase>> WindowsFileCheck::open(const QString& path)
{
    using Opened = Result<std::unique_ptr<FMDatabase>>;
    const QString fileName = QFileInfo(path).fileName();
    if (!QFileInfo(path).isFile())
        return Opened::failure(QStringLiteral("“%1” does not exist or is not a file.").arg(fileName));
    std::unique_ptr<FMDatabase> database = FMDatabase::databaseWithPath(path);
    database->setLogsErrors(false);
    database->setBusyRetryTimeout(busyRetries);
    if (!database->openReadOnly())
        return Opened::failure(readFailure(*database, fileName));
    if (const Status tables = checkTables(*database, fileName); !tables)
        return Opened::failure(tables.error());
    return database;
}

Status WindowsFileCheck::checkTables(FMDatabase& database, const QString& fileName)
{
    // SQLite reads nothing at open: this first statement is where a file
    // that is no database, or one another program holds locked, shows itself.
    std::unique_ptr<FMResultSet> tables = database.executeQuery(
        QStringLiteral("SELECT upper(name) FROM sqlite_master WHERE type = 'table'"));
    if (!tables)
        return Status::failure(readFailure(database, fileName));
    QStringList names;
    while (tables->next())
        names << tables->stringForColumnIndex(0);
    if (!names.contains(QStringLiteral("ZYEAR")))
        return Status::failure(notAnExchangeFile(fileName, QStringLiteral("it holds no school year.")));
    for (const QString& table : requiredTables) {
        if (!names.contains(table))
            return Status::failure(notAnExchangeFile(fileName, QStringLiteral("its %1 table is missing.").arg(table)));
    }
    std::unique_ptr<FMResultSet> year = database.executeQuery(QStringLiteral("SELECT 1 FROM ZYEAR LIMIT 1"));
    if (!year || !year->next())
        return Status::failure(notAnExchangeFile(fileName, QStringLiteral("it holds no school year.")));
    return Status::success();
}
