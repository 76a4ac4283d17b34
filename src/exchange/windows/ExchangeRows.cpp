#include "exchange/windows/ExchangeRows.h"

#include "store/sqlite/FMDatabase.h"
#include "store/sqlite/FMResultSet.h"

#include <cmath>

ExchangeRows::ExchangeRows(FMDatabase& database, const QString& table)
    : m_rows(database.executeQuery(QStringLiteral("SELECT * FROM \"%1\"").arg(table)))
{
    if (!m_rows)
        return;
    for (int index = 0; index < m_rows->columnCount(); ++index)
        m_columns.insert(m_rows->columnNameForIndex(index).toLower(), index);
}

ExchangeRows::~ExchangeRows() = default;

bool ExchangeRows::next()
{
    return m_rows && m_rows->next();
}

bool ExchangeRows::isNull(Column column) const
{
    return column < 0 || m_rows->columnIsNullForColumnIndex(column);
}

qint64 ExchangeRows::integer(Column column) const
{
    return column < 0 ? 0 : m_rows->longLongIntForColumnIndex(column);
}

QString ExchangeRows::text(Column column) const
{
    return column < 0 ? QString() : m_rows->stringForColumnIndex(column);
}

QByteArray ExchangeRows::data(Column column) const
{
    return column < 0 ? QByteArray() : m_rows->dataForColumnIndex(column);
}

Date ExchangeRows::date(Column column) const
{
    const double seconds = column < 0 ? 0.0 : m_rows->doubleForColumnIndex(column);
    return Date::fromSecondsSinceReferenceDate(std::isfinite(seconds) ? seconds : 0.0);
}

std::optional<qint64> ExchangeRows::key(Column column) const
{
    if (isNull(column))
        return std::nullopt;
    return integer(column);
}
