#include "server/web/PageFrame.h"

#include <QUrl>

QString PageFrame::href(const QString& route) const
{
    QString path = QUrl(baseUrl).path(QUrl::FullyEncoded);
    while (path.endsWith(u'/'))
        path.chop(1);
    return path + route;
}
