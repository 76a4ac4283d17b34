#include "store/sqlite/SqliteLog.h"

Q_LOGGING_CATEGORY(lcSqlite, "semestra.sqlite")
