#include "server/Migrations.h"

#include "server/Storage.h"

#include <QStringList>

#include <vector>

namespace {

// "{pk}" becomes each engine's auto-numbered key; everything else is SQL both
// engines read alike.
const std::vector<QStringList>& steps()
{
    static const std::vector<QStringList> all = {
        // 1: accounts, sessions, tokens, records, feedback.
        {
            QStringLiteral("CREATE TABLE accounts (id {pk}, username TEXT NOT NULL UNIQUE, password_hash TEXT NOT NULL,"
                           " disabled INTEGER NOT NULL DEFAULT 0, year_id BIGINT NOT NULL DEFAULT -1,"
                           " created_at BIGINT NOT NULL)"),
            QStringLiteral("CREATE TABLE sessions (id {pk}, token_hash TEXT NOT NULL UNIQUE,"
                           " account_id BIGINT NOT NULL REFERENCES accounts(id) ON DELETE CASCADE,"
                           " kind TEXT NOT NULL, csrf_token TEXT NOT NULL, label TEXT NOT NULL DEFAULT '',"
                           " created_at BIGINT NOT NULL, expires_at BIGINT NOT NULL)"),
            QStringLiteral("CREATE INDEX sessions_account ON sessions (account_id)"),
            QStringLiteral("CREATE TABLE form_tokens (token TEXT PRIMARY KEY,"
                           " account_id BIGINT REFERENCES accounts(id) ON DELETE CASCADE,"
                           " purpose TEXT NOT NULL, expires_at BIGINT NOT NULL)"),
            QStringLiteral("CREATE TABLE desktop_logins (id {pk}, code TEXT NOT NULL UNIQUE,"
                           " poll_hash TEXT NOT NULL UNIQUE,"
                           " account_id BIGINT REFERENCES accounts(id) ON DELETE CASCADE,"
                           " label TEXT NOT NULL DEFAULT '', expires_at BIGINT NOT NULL)"),
            QStringLiteral("CREATE TABLE records (id {pk},"
                           " account_id BIGINT NOT NULL REFERENCES accounts(id) ON DELETE CASCADE,"
                           " year_id BIGINT NOT NULL, kind TEXT NOT NULL, fields TEXT NOT NULL,"
                           " file_key TEXT, file_size BIGINT NOT NULL DEFAULT 0, updated_at BIGINT NOT NULL)"),
            QStringLiteral("CREATE INDEX records_year ON records (account_id, year_id, kind)"),
            QStringLiteral("CREATE TABLE feedback (id {pk}, received_at BIGINT NOT NULL,"
                           " feedback_type TEXT NOT NULL, feedback TEXT NOT NULL, app_name TEXT NOT NULL,"
                           " bundle_id TEXT NOT NULL, version TEXT NOT NULL, system_profile TEXT NOT NULL,"
                           " email TEXT NOT NULL, name TEXT NOT NULL)"),
        },
        // 2: the public link of a course, switched on by its teacher.
        {
            QStringLiteral("CREATE TABLE course_links (course_id BIGINT PRIMARY KEY"
                           " REFERENCES records(id) ON DELETE CASCADE,"
                           " account_id BIGINT NOT NULL REFERENCES accounts(id) ON DELETE CASCADE,"
                           " token TEXT NOT NULL UNIQUE, enabled INTEGER NOT NULL DEFAULT 0)"),
        },
        // 3: administrators read the feedback.
        {
            QStringLiteral("ALTER TABLE accounts ADD COLUMN administrator INTEGER NOT NULL DEFAULT 0"),
        },
    };
    return all;
}

QString dialect(QString sql, const Storage& storage)
{
    return sql.replace(QStringLiteral("{pk}"),
        storage.isPostgres() ? QStringLiteral("BIGSERIAL PRIMARY KEY")
                             : QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT"));
}

} // namespace

int Migrations::latestVersion()
{
    return int(steps().size());
}

Status Migrations::apply(Storage& storage)
{
    const auto failed = [] { return Status::failure(QStringLiteral("cannot bring the database schema up to date")); };
    Transaction transaction(storage);
    if (!transaction.begun())
        return failed();
    // Two processes starting on one PostgreSQL database take turns here.
    if (storage.isPostgres() && !storage.run(QStringLiteral("SELECT pg_advisory_xact_lock(2027)")))
        return failed();
    if (!storage.run(QStringLiteral("CREATE TABLE IF NOT EXISTS schema_migrations (version INTEGER PRIMARY KEY)")))
        return failed();
    const auto current = storage.scalar(QStringLiteral("SELECT COALESCE(MAX(version), 0) FROM schema_migrations"));
    if (!current)
        return failed();
    if (current->toInt() > latestVersion())
        return Status::failure(
            QStringLiteral("the database was written by a newer semestra-connect (schema %1)").arg(current->toInt()));
    for (int version = current->toInt() + 1; version <= latestVersion(); ++version) {
        for (const QString& statement : steps()[size_t(version - 1)]) {
            if (!storage.run(dialect(statement, storage)))
                return failed();
        }
        if (!storage.run(QStringLiteral("INSERT INTO schema_migrations (version) VALUES (?)"), { version }))
            return failed();
    }
    return transaction.commit() ? Status::success() : failed();
}
