#pragma once

#include "foundation/core/Result.h"
#include "store/ObjectContext.h"

#include <memory>

// Keeps an object context in a document file (SQLite). A save writes only
// what changed, inside one transaction, so that the file holds either the old
// or the new records whatever happens during the save. A file is looked at
// before it is opened, and nothing is written to a file that was refused.
class SqliteStore {
public:
    // The store metadata of a document file, read without loading it (to
    // decide, for example, whether it must be upgraded first).
    static Result<QVariantMap> readMetadata(const QString& path);
    // The model version a file was written with, from its metadata.
    static int modelVersion(const QVariantMap& metadata);

    // Every record of the file, in a new context bound to it.
    static Result<std::unique_ptr<ObjectContext>> open(
        const QString& path, const EntityModel& model, ObjectContext::RecordFactory factory = {});

    // Saves the context to `path`. To the file it came from: only the changes.
    // To any other path: the whole store, written beside it and moved into
    // place, after which that file is the context's.
    static Status save(ObjectContext& context, const QString& path);
    // Writes the whole store as a new file at `path` (replacing any file
    // there) and leaves the context as it was: its changes stay unsaved.
    static Status writeCopy(const ObjectContext& context, const QString& path);

private:
    static Status saveChanges(ObjectContext& context);
    static Status writeWholeStore(const ObjectContext& context, const QString& path);
};
