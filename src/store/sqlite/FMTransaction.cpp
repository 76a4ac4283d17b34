#include "store/sqlite/FMTransaction.h"

#include "store/sqlite/FMDatabase.h"

FMTransaction::FMTransaction(FMDatabase& database)
    : m_database(database)
    , m_active(database.executeUpdate(QStringLiteral("BEGIN IMMEDIATE")))
{ }

FMTransaction::~FMTransaction()
{
    rollback();
}

bool FMTransaction::commit()
{
    return end("COMMIT");
}

bool FMTransaction::rollback()
{
    return end("ROLLBACK");
}

bool FMTransaction::end(const char* sql)
{
    if (!m_active)
        return false;
    if (m_database.executeUpdate(QString::fromLatin1(sql)))
        m_active = false;
    return !m_active;
}
