#include "store/sqlite/FMDatabase.h"

#include "store/sqlite/FMBusyRetry.h"
#include "store/sqlite/FMResultSet.h"
#include "store/sqlite/FMStatement.h"
#include "store/sqlite/SqliteLog.h"

#include <QFile>

#include <sqlite3.h>

#include <vector>

namespace {

const QString notOpenMessage = QStringLiteral("database is not open");

} // namespace

std::unique_ptr<FMDatabase> FMDatabase::databaseWithPath(const QString& path)
{
    return std::unique_ptr<FMDatabase>(new FMDatabase(path));
}

FMDatabase::FMDatabase(QString path)
    : m_path(std::move(path))
    , m_closedErrorCode(SQLITE_MISUSE)
    , m_closedErrorMessage(notOpenMessage)
{ }

FMDatabase::~FMDatabase()
{
    close();
}

bool FMDatabase::open()
{
    return openWithFlags(SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
}

bool FMDatabase::openReadOnly()
{
    return openWithFlags(SQLITE_OPEN_READONLY);
}

bool FMDatabase::openWithFlags(int flags)
{
    if (m_db)
        return true;
    const QByteArray fileName = m_path.isEmpty() ? QByteArray(":memory:") : QFile::encodeName(m_path);
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(fileName.constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        qCWarning(lcSqlite, "error opening!: %d", rc);
        // SQLite hands out a handle even on failure; keep its reason, then let it go.
        m_closedErrorCode = rc;
        m_closedErrorMessage = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close_v2(db);
        return false;
    }
    m_db = db;
    return true;
}

void FMDatabase::close()
{
    if (!m_db)
        return;
    // finalize() removes each statement from the set, so walk a copy.
    const std::vector<FMStatement*> live(m_liveStatements.begin(), m_liveStatements.end());
    for (FMStatement* statement : live)
        statement->finalize();
    // The _v2 form also covers statements prepared directly on sqliteHandle().
    sqlite3_close_v2(m_db);
    m_db = nullptr;
    m_closedErrorCode = SQLITE_MISUSE;
    m_closedErrorMessage = notOpenMessage;
}

std::unique_ptr<FMStatement> FMDatabase::prepare(const QString& sql)
{
    if (!m_db) {
        logError(m_closedErrorCode, m_closedErrorMessage, sql);
        return nullptr;
    }
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt* statement = nullptr;
    FMBusyRetry busy(m_busyRetryTimeout);
    int rc;
    do {
        rc = sqlite3_prepare_v2(m_db, utf8.constData(), int(utf8.size()), &statement, nullptr);
    } while (busy.shouldRetry(rc));
    // An empty or comment-only text prepares to no statement at all.
    if (rc != SQLITE_OK || !statement) {
        sqlite3_finalize(statement);
        logError(sql);
        return nullptr;
    }
    std::unique_ptr<FMStatement> prepared(new FMStatement(*this, statement, sql));
    m_liveStatements.insert(prepared.get());
    return prepared;
}

std::unique_ptr<FMResultSet> FMDatabase::executeQuery(const QString& sql, const QVariantList& arguments)
{
    std::unique_ptr<FMStatement> statement = prepare(sql);
    if (!statement || !statement->bindAll(arguments))
        return nullptr;
    return std::unique_ptr<FMResultSet>(new FMResultSet(std::move(statement)));
}

bool FMDatabase::executeUpdate(const QString& sql, const QVariantList& arguments)
{
    std::unique_ptr<FMStatement> statement = prepare(sql);
    return statement && statement->bindAll(arguments) && statement->execute();
}

bool FMDatabase::executeStatements(const QString& sqlScript)
{
    if (!m_db) {
        logError(m_closedErrorCode, m_closedErrorMessage, sqlScript);
        return false;
    }
    const int rc = sqlite3_exec(m_db, sqlScript.toUtf8().constData(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        logError(sqlScript);
    return rc == SQLITE_OK;
}

qint64 FMDatabase::lastInsertRowId() const
{
    return m_db ? sqlite3_last_insert_rowid(m_db) : 0;
}

int FMDatabase::changes() const
{
    return m_db ? sqlite3_changes(m_db) : 0;
}

bool FMDatabase::tableExists(const QString& tableName)
{
    std::unique_ptr<FMResultSet> rows = executeQuery(
        QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE"), { tableName });
    return rows && rows->next();
}

QStringList FMDatabase::columnNames(const QString& tableName)
{
    QStringList names;
    // The table-valued form takes the name as a parameter, so it needs no quoting.
    std::unique_ptr<FMResultSet> rows
        = executeQuery(QStringLiteral("SELECT name FROM pragma_table_info(?) ORDER BY cid"), { tableName });
    while (rows && rows->next())
        names << rows->stringForColumnIndex(0);
    return names;
}

QString FMDatabase::lastErrorMessage() const
{
    return m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : m_closedErrorMessage;
}

int FMDatabase::lastErrorCode() const
{
    return m_db ? sqlite3_errcode(m_db) : m_closedErrorCode;
}

void FMDatabase::logError(const QString& sql) const
{
    logError(lastErrorCode(), lastErrorMessage(), sql);
}

void FMDatabase::logError(int code, const QString& message, const QString& sql) const
{
    if (!m_logsErrors)
        return;
    qCWarning(lcSqlite, "DB Error: %d \"%s\"", code, qUtf8Printable(message));
    qCWarning(lcSqlite, "DB Query: %s", qUtf8Printable(sql));
}
