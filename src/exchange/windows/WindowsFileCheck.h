#pragma once

#include "foundation/core/Result.h"

#include <memory>

class FMDatabase;

// Opens an exchange file for reading and looks at it before anything is
// built from it: a file that is not one (not SQLite, no year, a missing
// table the plan is made of) is refused with the reason, in a sentence
// that can be shown to the user.
class WindowsFileCheck {
public:
    // A busy or locked file is retried this often, 20 microseconds apart
    // (a few seconds in all, the sleeps being longer than asked), before
    // the import gives up on it.
    static constexpr int busyRetries = 50000;

    // The open, read-only file, or why it cannot be imported.
    static Result<std::unique_ptr<FMDatabase>> open(const QString& path);

private:
    static Status checkTables(FMDatabase& database, const QString& fileName);
};
