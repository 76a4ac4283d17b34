#pragma once

#include "foundation/dates/Date.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <memory>
#include <optional>

class FMDatabase;
class FMResultSet;

// The rows of one table of an exchange file, read by column. Columns are
// looked up once (`column()`), then read by that handle on every row, so a
// table of many rows is not searched by name for each value. A column the
// table does not have reads as NULL: 0, false, an empty string, no data and
// the reference date, which is how files written by older editions read.
class ExchangeRows {
public:
    using Column = int;

    // Every row of `table`; no rows when the table is missing or unreadable.
    ExchangeRows(FMDatabase& database, const QString& table);
    ~ExchangeRows();
    ExchangeRows(const ExchangeRows&) = delete;
    ExchangeRows& operator=(const ExchangeRows&) = delete;

    bool next();
    // -1 when the table has no such column.
    Column column(const QString& name) const { return m_columns.value(name.toLower(), -1); }
    bool hasColumn(const QString& name) const { return column(name) >= 0; }

    bool isNull(Column column) const;
    qint64 integer(Column column) const;
    bool boolean(Column column) const { return integer(column) != 0; }
    QString text(Column column) const;
    QByteArray data(Column column) const;
    // Seconds since the reference date; NULL (and values that are no
    // number of seconds at all, such as infinities) read as the reference date.
    Date date(Column column) const;
    // A key column: none for NULL, as for a missing column.
    std::optional<qint64> key(Column column) const;

private:
    std::unique_ptr<FMResultSet> m_rows;
    QHash<QString, int> m_columns;
};
