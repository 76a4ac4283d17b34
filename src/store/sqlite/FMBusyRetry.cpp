#include "store/sqlite/FMBusyRetry.h"

#include "store/sqlite/SqliteLog.h"

#include <sqlite3.h>

#include <chrono>
#include <thread>

bool FMBusyRetry::isBusy(int resultCode)
{
    return resultCode == SQLITE_BUSY || resultCode == SQLITE_LOCKED;
}

bool FMBusyRetry::shouldRetry(int resultCode)
{
    if (!isBusy(resultCode))
        return false;
    if (m_limit != 0 && ++m_retries > m_limit) {
        qCWarning(lcSqlite, "Database busy");
        return false;
    }
    std::this_thread::sleep_for(std::chrono::microseconds(20));
    return true;
}
