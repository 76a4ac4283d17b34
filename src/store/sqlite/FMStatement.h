#pragma once

#include <QString>
#include <QVariant>
#include <QVariantList>

struct sqlite3_stmt;
class FMDatabase;

// A prepared statement, made by FMDatabase::prepare() and finalised when
// destroyed or when its database closes, whichever comes first. Prepare once
// and execute() many times for bulk writes.
class FMStatement {
public:
    enum class StepResult { Row, Done, Failed };

    FMStatement(const FMStatement&) = delete;
    FMStatement& operator=(const FMStatement&) = delete;
    ~FMStatement();

    // Integers and bool as integers, floating numbers as doubles, QString as
    // UTF-8 text, QByteArray as a blob; an invalid QVariant, a null QString
    // and a null QByteArray as NULL. False for an index out of range or a
    // value of any other type (convert dates and the like before binding).
    bool bind(int index1Based, const QVariant& value);
    // Clears the previous bindings, then binds the arguments in order; those
    // beyond the statement's parameters are ignored.
    bool bindAll(const QVariantList& arguments);

    // One step, retrying busy per the database's busyRetryTimeout. After
    // Failed, resultCode() tells why and the database's lastErrorMessage() says it.
    StepResult step();
    // Steps to the end, then resets and clears the bindings for the next use,
    // also after a failure (which is logged when the database logs errors).
    bool execute();
    void reset();

    // The SQLite result of the last step.
    int resultCode() const { return m_resultCode; }
    const QString& sql() const { return m_sql; }
    // Null once finalised.
    sqlite3_stmt* handle() const { return m_statement; }
    FMDatabase* database() const { return m_database; }

private:
    friend class FMDatabase;

    FMStatement(FMDatabase& database, sqlite3_stmt* statement, QString sql);
    void finalize();

    FMDatabase* m_database;
    sqlite3_stmt* m_statement;
    QString m_sql;
    int m_resultCode = 0;
};
