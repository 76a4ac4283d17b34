#pragma once

#include "foundation/core/Result.h"

#include <QString>

// Looks at a file's first bytes before SQLite is let near it, so that a file
// that is not ours is refused without being opened (and possibly changed).
class StoreFileCheck {
public:
    // Success when the file is an SQLite database in rollback-journal mode
    // whose recorded size fits the file; otherwise why it cannot be a document.
    static Status check(const QString& path);
};
