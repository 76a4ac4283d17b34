#include "content/DesktopWorkspace.h"

#include <QDesktopServices>
#include <QMimeDatabase>
#include <QProcess>

bool DesktopWorkspace::hasApplicationFor(const QString& path) const
{
    const QString type = QMimeDatabase().mimeTypeForFile(path).name();
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), { QStringLiteral("query"), QStringLiteral("default"), type });
    // Without xdg-mime there is no way to ask: let the opening itself tell.
    if (!query.waitForFinished(3000) || query.exitStatus() != QProcess::NormalExit)
        return true;
    return !query.readAllStandardOutput().trimmed().isEmpty();
}

bool DesktopWorkspace::open(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}
