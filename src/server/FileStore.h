#pragma once

#include "foundation/core/Result.h"

#include <QByteArray>
#include <QString>

#include <optional>

// Attached files' bytes, one file per upload under a random name in the
// configured folder. Several servers sharing one PostgreSQL database must
// share this folder too (a network or cluster file system).
class FileStore {
public:
    static constexpr qint64 MaximumFileSize = 20971520; // 20 MiB, as the desktop program sends at most

    explicit FileStore(QString folder);

    Status prepare();
    // Written completely under a temporary name and renamed, so a reader never
    // sees half a file; answers the new file's key.
    Result<QString> store(const QByteArray& data);
    std::optional<QByteArray> read(const QString& key) const;
    void remove(const QString& key);

private:
    std::optional<QString> pathOf(const QString& key) const;

    QString m_folder;
};
