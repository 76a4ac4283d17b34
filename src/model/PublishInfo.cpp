#include "model/PublishInfo.h"

#include <QDir>

QString PublishInfo::fullLocalPath() const
{
    const QString location = localExportLocation().trimmed();
    if (location.isEmpty())
        return {};
    QString path = location;
    if (path == QLatin1String("~"))
        path = QDir::homePath();
    else if (path.startsWith(QLatin1String("~/")))
        path = QDir::homePath() + path.mid(1);
    else if (QDir::isRelativePath(path))
        path = QDir::home().filePath(path);
    return QDir::cleanPath(path);
}
