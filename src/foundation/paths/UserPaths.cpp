#include "foundation/paths/UserPaths.h"

#include <QDir>
#include <QStandardPaths>

QString UserPaths::dataDirectory()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(folder);
    return folder;
}

QString UserPaths::filePath(const QString& relativeName)
{
    return QDir(dataDirectory()).filePath(relativeName);
}
