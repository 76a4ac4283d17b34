#pragma once

#include <QLoggingCategory>

// Every message of the SQLite layer goes to this one category ("semestra.sqlite"),
// so the system log can be filtered by it and tests can capture it.
Q_DECLARE_LOGGING_CATEGORY(lcSqlite)
