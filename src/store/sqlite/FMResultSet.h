#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QVariant>

#include <memory>

struct sqlite3_stmt;
class FMDatabase;
class FMStatement;

// The rows of one query, walked with next(). Columns are read by name (any
// case) or, for bulk reading, by index. Values follow SQLite's own
// conversions; NULL reads as 0, 0.0, false, a null QString and a null
// QByteArray. A column the row does not have reads the same way and counts as
// NULL, so older files whose tables lack newer columns still read.
//
// Always logged, whatever the database's logsErrors(): a failed step, with
// "Error calling sqlite3_step (<code>: <message>) rs" for SQLITE_ERROR and
// SQLITE_MISUSE and "Unknown error calling sqlite3_step (<code>: <message>) rs"
// for any other code; and each lookup of a missing column name.
class FMResultSet {
public:
    FMResultSet(const FMResultSet&) = delete;
    FMResultSet& operator=(const FMResultSet&) = delete;
    ~FMResultSet();

    // True while a row is available. At the end, on an error or when the
    // database stays busy past its busyRetryTimeout, the result set closes.
    bool next();
    void close();

    // -1 (and a warning) when no result column has that name.
    int columnIndexForName(const QString& columnName);
    int columnCount() const;
    QString columnNameForIndex(int columnIndex) const;
    QString query() const;

    int intForColumn(const QString& columnName);
    qint64 longLongIntForColumn(const QString& columnName);
    bool boolForColumn(const QString& columnName);
    double doubleForColumn(const QString& columnName);
    QString stringForColumn(const QString& columnName);
    QByteArray dataForColumn(const QString& columnName);
    bool columnIsNull(const QString& columnName);

    int intForColumnIndex(int columnIndex) const;
    qint64 longLongIntForColumnIndex(int columnIndex) const;
    bool boolForColumnIndex(int columnIndex) const;
    double doubleForColumnIndex(int columnIndex) const;
    QString stringForColumnIndex(int columnIndex) const;
    QByteArray dataForColumnIndex(int columnIndex) const;
    bool columnIsNullForColumnIndex(int columnIndex) const;
    // Typed by the stored value: qint64, double, QString, QByteArray, or an invalid QVariant for NULL.
    QVariant objectForColumnIndex(int columnIndex) const;

private:
    friend class FMDatabase;

    explicit FMResultSet(std::unique_ptr<FMStatement> statement);
    // The statement positioned on a row that has this column, or null.
    sqlite3_stmt* rowWithColumn(int columnIndex) const;

    std::unique_ptr<FMStatement> m_statement;
    bool m_onRow = false;
    // Lower-cased name to index, built on the first lookup by name.
    QHash<QString, int> m_columnIndexes;
};
