#include "server/Storage.h"

#include "server/Migrations.h"

#include <QSqlError>
#include <QThread>

#include <cstdio>
#include <vector>

std::atomic<int> Storage::s_nextSerial { 1 };

namespace {

// Closes this thread's connections when the thread ends: the HTTP worker
// threads end when the server stops, and an open PostgreSQL connection would
// otherwise hold a backend of the cluster until the process exits.
class ThreadConnections {
public:
    ~ThreadConnections()
    {
        for (const QString& name : m_names) {
            QSqlDatabase::database(name, false).close();
            QSqlDatabase::removeDatabase(name);
        }
    }
    void add(const QString& name) { m_names.push_back(name); }
    void remove(const QString& name) { std::erase(m_names, name); }

private:
    std::vector<QString> m_names;
};

thread_local ThreadConnections t_connections;

void logStorageError(const QString& what, const QSqlError& error)
{
    std::fprintf(stderr, "storage error: %s: %s\n", qPrintable(what), qPrintable(error.text()));
}

bool execPrepared(QSqlQuery& query, const QString& sql, const QVariantList& values)
{
    if (!query.prepare(sql))
        return false;
    for (const QVariant& value : values) {
        // Qt binds a null QString as NULL; text columns here are NOT NULL
        // and NULL is only ever meant where a null number is given.
        const bool nullText = value.typeId() == QMetaType::QString && value.toString().isNull();
        query.addBindValue(nullText ? QVariant(QStringLiteral("")) : value);
    }
    return query.exec();
}

} // namespace

Storage::Storage(DatabaseUrl url)
    : m_url(std::move(url))
    , m_serial(s_nextSerial++)
{ }

Storage::~Storage()
{
    // Connections of worker threads went with their threads; this one is ours.
    const QString name = connectionName();
    if (QSqlDatabase::contains(name)) {
        QSqlDatabase::database(name, false).close();
        QSqlDatabase::removeDatabase(name);
        t_connections.remove(name);
    }
}

QString Storage::connectionName() const
{
    return QStringLiteral("semestra-connect-%1-%2")
        .arg(m_serial)
        .arg(reinterpret_cast<quintptr>(QThread::currentThreadId()));
}

QSqlDatabase Storage::connection()
{
    const QString name = connectionName();
    if (QSqlDatabase::contains(name))
        return QSqlDatabase::database(name);
    QSqlDatabase db;
    if (isPostgres()) {
        db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setHostName(m_url.host);
        db.setPort(m_url.port);
        db.setUserName(m_url.user);
        db.setDatabaseName(m_url.database);
    } else {
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(m_url.path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    }
    t_connections.add(name);
    if (!db.open()) {
        logStorageError(QStringLiteral("cannot connect"), db.lastError());
        return db;
    }
    if (!isPostgres()) {
        // WAL lets readers go on while one worker writes.
        QSqlQuery pragma(db);
        pragma.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        pragma.exec(QStringLiteral("PRAGMA foreign_keys=ON"));
    }
    return db;
}

Status Storage::open()
{
    QSqlDatabase db = connection();
    if (!db.isOpen())
        return Status::failure(QStringLiteral("cannot open the database: %1").arg(db.lastError().text()));
    return Migrations::apply(*this);
}

std::optional<QSqlQuery> Storage::run(const QString& sql, const QVariantList& values)
{
    QSqlDatabase db = connection();
    if (!db.isOpen())
        return std::nullopt;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    // PostgreSQL cannot prepare transaction statements, so statements without
    // values run directly.
    if (values.isEmpty() ? !query.exec(sql) : !execPrepared(query, sql, values)) {
        logStorageError(sql, query.lastError());
        return std::nullopt;
    }
    return query;
}

std::optional<QVariant> Storage::scalar(const QString& sql, const QVariantList& values)
{
    auto query = run(sql, values);
    if (!query || !query->next())
        return std::nullopt;
    return query->value(0);
}

Transaction::Transaction(Storage& storage)
    : m_storage(storage)
{
    const QString begin = storage.isPostgres() ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE");
    m_begun = storage.run(begin).has_value();
}

Transaction::~Transaction()
{
    if (m_begun && !m_done)
        m_storage.run(QStringLiteral("ROLLBACK"));
}

bool Transaction::commit()
{
    m_done = m_storage.run(QStringLiteral("COMMIT")).has_value();
    return m_done;
}
