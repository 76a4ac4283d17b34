#pragma once

#include "foundation/core/Result.h"
#include "server/ServerConfig.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

#include <atomic>
#include <optional>

// The service's database, reachable from every worker thread.
//
// Trap: a QSqlDatabase connection may only be used on the thread that opened
// it, so each thread gets its own named connection, opened on first use and
// closed when the thread ends. Nothing else is kept in memory: every server
// process sharing the database sees the same state.
class Storage {
public:
    explicit Storage(DatabaseUrl url);
    ~Storage();
    Storage(const Storage&) = delete;
    Storage& operator=(const Storage&) = delete;

    // Connects and brings the schema up to date.
    Status open();
    bool isPostgres() const { return m_url.kind == DatabaseUrl::Kind::Postgres; }

    // Runs one statement with positional `?` values; nothing on failure (the
    // reason goes to the server log, never to the client).
    std::optional<QSqlQuery> run(const QString& sql, const QVariantList& values = {});
    // The first column of the first row, or nothing when there is no row.
    std::optional<QVariant> scalar(const QString& sql, const QVariantList& values = {});

    QSqlDatabase connection();

private:
    QString connectionName() const;

    DatabaseUrl m_url;
    int m_serial;
    static std::atomic<int> s_nextSerial;
};

// A write transaction on this thread's connection, rolled back unless
// committed. On SQLite it takes the write lock at once (BEGIN IMMEDIATE), so
// two writers queue on the busy timeout instead of failing to upgrade a lock.
class Transaction {
public:
    explicit Transaction(Storage& storage);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    bool begun() const { return m_begun; }
    bool commit();

private:
    Storage& m_storage;
    bool m_begun = false;
    bool m_done = false;
};
