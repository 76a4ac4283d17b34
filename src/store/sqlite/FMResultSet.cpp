#include "store/sqlite/FMResultSet.h"

#include "store/sqlite/FMBusyRetry.h"
#include "store/sqlite/FMDatabase.h"
#include "store/sqlite/FMStatement.h"
#include "store/sqlite/SqliteLog.h"

#include <sqlite3.h>

FMResultSet::FMResultSet(std::unique_ptr<FMStatement> statement)
    : m_statement(std::move(statement))
{ }

FMResultSet::~FMResultSet() = default;

bool FMResultSet::next()
{
    if (!m_statement)
        return false;
    const FMStatement::StepResult result = m_statement->step();
    m_onRow = result == FMStatement::StepResult::Row;
    if (m_onRow)
        return true;
    const int rc = m_statement->resultCode();
    // Giving up on a busy database has been logged already.
    if (result == FMStatement::StepResult::Failed && !FMBusyRetry::isBusy(rc)) {
        const char* message
            = m_statement->database() ? sqlite3_errmsg(m_statement->database()->sqliteHandle()) : sqlite3_errstr(rc);
        if (rc == SQLITE_ERROR || rc == SQLITE_MISUSE)
            qCWarning(lcSqlite, "Error calling sqlite3_step (%d: %s) rs", rc, message);
        else
            qCWarning(lcSqlite, "Unknown error calling sqlite3_step (%d: %s) rs", rc, message);
    }
    // Stepping a finished statement again would start the query over.
    close();
    return false;
}

void FMResultSet::close()
{
    m_statement.reset();
    m_onRow = false;
}

int FMResultSet::columnCount() const
{
    return m_statement && m_statement->handle() ? sqlite3_column_count(m_statement->handle()) : 0;
}

QString FMResultSet::columnNameForIndex(int columnIndex) const
{
    if (columnIndex < 0 || columnIndex >= columnCount())
        return QString();
    return QString::fromUtf8(sqlite3_column_name(m_statement->handle(), columnIndex));
}

QString FMResultSet::query() const
{
    return m_statement ? m_statement->sql() : QString();
}

int FMResultSet::columnIndexForName(const QString& columnName)
{
    if (m_columnIndexes.isEmpty()) {
        // With duplicate names (a join of two tables) the first column wins.
        for (int i = columnCount() - 1; i >= 0; --i)
            m_columnIndexes.insert(columnNameForIndex(i).toLower(), i);
    }
    const int index = m_columnIndexes.value(columnName.toLower(), -1);
    if (index < 0)
        qCWarning(lcSqlite, "Warning: I could not find the column named '%s'.", qUtf8Printable(columnName));
    return index;
}

sqlite3_stmt* FMResultSet::rowWithColumn(int columnIndex) const
{
    // SQLite leaves reads off a row or out of range undefined, so they never reach it.
    if (!m_onRow || columnIndex < 0 || columnIndex >= columnCount())
        return nullptr;
    return m_statement->handle();
}

int FMResultSet::intForColumnIndex(int columnIndex) const
{
    sqlite3_stmt* row = rowWithColumn(columnIndex);
    return row ? sqlite3_column_int(row, columnIndex) : 0;
}

qint64 FMResultSet::longLongIntForColumnIndex(int columnIndex) const
{
    sqlite3_stmt* row = rowWithColumn(columnIndex);
    return row ? sqlite3_column_int64(row, columnIndex) : 0;
}

bool FMResultSet::boolForColumnIndex(int columnIndex) const
{
    return longLongIntForColumnIndex(columnIndex) != 0;
}

double FMResultSet::doubleForColumnIndex(int columnIndex) const
{
    sqlite3_stmt* row = rowWithColumn(columnIndex);
    return row ? sqlite3_column_double(row, columnIndex) : 0.0;
}

QString FMResultSet::stringForColumnIndex(int columnIndex) const
{
    if (columnIsNullForColumnIndex(columnIndex))
        return QString();
    sqlite3_stmt* row = m_statement->handle();
    // Text first, then its length: the order SQLite asks for when it converts.
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(row, columnIndex));
    const int bytes = sqlite3_column_bytes(row, columnIndex);
    // SQLite gives empty text a non-null pointer, so it stays apart from NULL
    // (a link whose URL is empty is still a link).
    return QString::fromUtf8(text, bytes);
}

QByteArray FMResultSet::dataForColumnIndex(int columnIndex) const
{
    if (columnIsNullForColumnIndex(columnIndex))
        return QByteArray();
    sqlite3_stmt* row = m_statement->handle();
    const auto* blob = static_cast<const char*>(sqlite3_column_blob(row, columnIndex));
    const int bytes = sqlite3_column_bytes(row, columnIndex);
    // SQLite answers a null pointer for an empty blob; an empty array is still not NULL.
    return bytes == 0 ? QByteArray("", 0) : QByteArray(blob, bytes);
}

bool FMResultSet::columnIsNullForColumnIndex(int columnIndex) const
{
    sqlite3_stmt* row = rowWithColumn(columnIndex);
    return !row || sqlite3_column_type(row, columnIndex) == SQLITE_NULL;
}

QVariant FMResultSet::objectForColumnIndex(int columnIndex) const
{
    sqlite3_stmt* row = rowWithColumn(columnIndex);
    switch (row ? sqlite3_column_type(row, columnIndex) : SQLITE_NULL) {
    case SQLITE_INTEGER:
        return QVariant(longLongIntForColumnIndex(columnIndex));
    case SQLITE_FLOAT:
        return QVariant(doubleForColumnIndex(columnIndex));
    case SQLITE_TEXT:
        return QVariant(stringForColumnIndex(columnIndex));
    case SQLITE_BLOB:
        return QVariant(dataForColumnIndex(columnIndex));
    default:
        return QVariant();
    }
}

int FMResultSet::intForColumn(const QString& columnName)
{
    return intForColumnIndex(columnIndexForName(columnName));
}

qint64 FMResultSet::longLongIntForColumn(const QString& columnName)
{
    return longLongIntForColumnIndex(columnIndexForName(columnName));
}

bool FMResultSet::boolForColumn(const QString& columnName)
{
    return boolForColumnIndex(columnIndexForName(columnName));
}

double FMResultSet::doubleForColumn(const QString& columnName)
{
    return doubleForColumnIndex(columnIndexForName(columnName));
}

QString FMResultSet::stringForColumn(const QString& columnName)
{
    return stringForColumnIndex(columnIndexForName(columnName));
}

QByteArray FMResultSet::dataForColumn(const QString& columnName)
{
    return dataForColumnIndex(columnIndexForName(columnName));
}

bool FMResultSet::columnIsNull(const QString& columnName)
{
    return columnIsNullForColumnIndex(columnIndexForName(columnName));
}
