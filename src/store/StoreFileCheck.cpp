#include "store/StoreFileCheck.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

namespace {

constexpr int headerSize = 100;
const QByteArray sqliteMagic("SQLite format 3\0", 16);

quint32 bigEndian32(const QByteArray& header, int offset)
{
    return qFromBigEndian<quint32>(header.constData() + offset);
}

QString displayName(const QString& path)
{
    return QFileInfo(path).fileName();
}

} // namespace

Status StoreFileCheck::check(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        return Status::failure(QStringLiteral("The file “%1” could not be found.").arg(displayName(path)));
    if (!file.open(QIODevice::ReadOnly))
        return Status::failure(
            QStringLiteral("The file “%1” could not be read: %2").arg(displayName(path), file.errorString()));
    const QByteArray header = file.read(headerSize);
    const QString notADocument = QStringLiteral("The file “%1” is not a Semestra document.").arg(displayName(path));
    if (header.size() < headerSize || !header.startsWith(sqliteMagic))
        return Status::failure(notADocument);
    // Bytes 18 and 19 are 1 for a rollback journal, 2 for write-ahead logging.
    // Documents never use the log; opening a database that does could fold its
    // log into the file, changing a file that is not ours.
    if (header[18] != 1 || header[19] != 1)
        return Status::failure(notADocument);
    quint32 pageSize = qFromBigEndian<quint16>(header.constData() + 16);
    if (pageSize == 1)
        pageSize = 65536;
    // The page count is trustworthy only when written by the same change as
    // the change counter (bytes 24 and 92 agree).
    const quint32 pageCount = bigEndian32(header, 28);
    if (pageCount != 0 && bigEndian32(header, 24) == bigEndian32(header, 92)
        && qint64(pageCount) * pageSize > file.size())
        return Status::failure(
            QStringLiteral("The file “%1” is damaged: it is shorter than it should be.").arg(displayName(path)));
    return Status::success();
}
