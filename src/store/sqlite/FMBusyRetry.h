#pragma once

// Decides whether a call that SQLite answered with "busy" or "locked" is tried
// again. Each retry waits 20 microseconds. A limit of 0 retries for ever; any
// other limit gives up once the retries exceed it, logging "Database busy".
//
// Trap: SQLITE_LOCKED usually comes from a conflict inside the same connection
// (dropping a table that an open result set still reads), which no amount of
// waiting resolves. With a limit of 0 such a call never returns, so code that
// may hit it should set a limit.
class FMBusyRetry {
public:
    explicit FMBusyRetry(int limit)
        : m_limit(limit)
    { }

    // True after the pause when `resultCode` is busy or locked and another
    // attempt is allowed; false for any other code or once the limit is passed.
    bool shouldRetry(int resultCode);

    static bool isBusy(int resultCode);

private:
    int m_limit;
    int m_retries = 0;
};
