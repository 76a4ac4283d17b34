#pragma once

#include "foundation/core/Result.h"

#include <QString>

// Converts document files of older layouts, one model version at a time.
// Each step reads a file and writes the next version's layout to another
// file, so the file being converted is never changed.
class StoreMigration {
public:
    // Whether a chain of steps leads from `fromVersion` to `toVersion`.
    static bool canMigrate(int fromVersion, int toVersion);
    // Writes `source` converted by the one step that starts at its version to
    // `destination`, and gives the version it now has.
    static Result<int> migrateStep(const QString& source, const QString& destination);
};
