#pragma once

class FMDatabase;

// A write transaction for the lifetime of a scope: begun at construction,
// rolled back at the end of the scope unless committed, so a save that fails
// half way leaves the file as it was.
//
// BEGIN IMMEDIATE takes the write lock up front: a busy database is then met
// (and retried) at the start rather than in the middle of the writes.
class FMTransaction {
public:
    explicit FMTransaction(FMDatabase& database);
    FMTransaction(const FMTransaction&) = delete;
    FMTransaction& operator=(const FMTransaction&) = delete;
    ~FMTransaction();

    // False when the transaction did not begin (the database was closed or
    // already inside a transaction) or has ended.
    bool isActive() const { return m_active; }
    // False when the commit fails, for instance on a busy database; the
    // transaction then stays active and is rolled back at the end of the scope.
    bool commit();
    bool rollback();

private:
    bool end(const char* sql);

    FMDatabase& m_database;
    bool m_active;
};
