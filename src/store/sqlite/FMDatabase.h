#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>

#include <memory>
#include <unordered_set>

struct sqlite3;
class FMResultSet;
class FMStatement;

// One SQLite connection. Not copyable or movable: the statements and result
// sets it hands out point back to it, and closing it finalises all of them, so
// a result set that outlives its database simply has no more rows.
//
// Errors are answers, never exceptions. What gets logged (category
// "semestra.sqlite"):
// - always: a failure to open ("error opening!: <code>"), giving up on a busy
//   database ("Database busy"), a result set's failed step and a column name
//   a result set does not have (see FMResultSet). These are the messages
//   callers that only read rely on to diagnose a bad file.
// - only while logsErrors() is true: the failures the caller is told about in
//   the return value anyway (a statement that does not prepare, a write that
//   fails, an argument that cannot be bound, a call on a closed database),
//   logged as "DB Error: <code> \"<message>\"" followed by "DB Query: <sql>".
class FMDatabase {
public:
    // An empty path stands for a private in-memory database.
    static std::unique_ptr<FMDatabase> databaseWithPath(const QString& path);

    FMDatabase(const FMDatabase&) = delete;
    FMDatabase& operator=(const FMDatabase&) = delete;
    ~FMDatabase();

    // Read/write, creating the file when missing. True when already open.
    bool open();
    // Never creates or changes the file: for looking at a file before trusting it.
    // SQLite reads nothing at open, so a file that is not a database only
    // fails at the first statement (lastErrorCode() SQLITE_NOTADB).
    bool openReadOnly();
    // Finalises every statement and result set still alive, then the connection.
    void close();
    bool isOpen() const { return m_db != nullptr; }

    // Each `?` is bound in order to the next argument; arguments beyond the
    // parameters are ignored. Rows are read with FMResultSet::next(). Null
    // when the statement does not prepare or an argument cannot be bound.
    std::unique_ptr<FMResultSet> executeQuery(const QString& sql, const QVariantList& arguments = {});
    // Runs one statement to completion.
    bool executeUpdate(const QString& sql, const QVariantList& arguments = {});
    // Runs a script of several statements (schemas). Busy is not retried here:
    // the statements before the busy one have already run.
    bool executeStatements(const QString& sqlScript);
    // A statement to bind and run many times, or null when it does not prepare.
    std::unique_ptr<FMStatement> prepare(const QString& sql);

    qint64 lastInsertRowId() const;
    int changes() const;

    // Table names compare without regard to case, as in SQL.
    bool tableExists(const QString& tableName);
    // In table order; empty when there is no such table.
    QStringList columnNames(const QString& tableName);

    sqlite3* sqliteHandle() const { return m_db; }
    const QString& databasePath() const { return m_path; }
    QString lastErrorMessage() const;
    int lastErrorCode() const;

    // How often a busy or locked step is retried; 0 means without limit.
    int busyRetryTimeout() const { return m_busyRetryTimeout; }
    void setBusyRetryTimeout(int retries) { m_busyRetryTimeout = retries; }
    bool logsErrors() const { return m_logsErrors; }
    void setLogsErrors(bool logs) { m_logsErrors = logs; }

private:
    friend class FMStatement;

    explicit FMDatabase(QString path);

    bool openWithFlags(int flags);
    // Log `sql` with the connection's current error, or with the given one,
    // when logsErrors() is set.
    void logError(const QString& sql) const;
    void logError(int code, const QString& message, const QString& sql) const;
    void forgetStatement(FMStatement* statement) { m_liveStatements.erase(statement); }

    QString m_path;
    sqlite3* m_db = nullptr;
    // Reported while there is no connection: why the last open failed, or that none is open.
    int m_closedErrorCode;
    QString m_closedErrorMessage;
    int m_busyRetryTimeout = 0;
    // On by default: this program wants its store's failures in the log.
    bool m_logsErrors = true;
    std::unordered_set<FMStatement*> m_liveStatements;
};
