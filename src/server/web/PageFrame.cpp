#include "server/web/PageFrame.h"

#include <QUrl>

namespace {

QString withoutTrailingSlashes(QString text)
{
    while (text.endsWith(u'/'))
        text.chop(1);
    return text;
}

} // namespace

QString PageFrame::href(const QString& route) const
{
    return withoutTrailingSlashes(QUrl(baseUrl).path(QUrl::FullyEncoded)) + route;
}

QString PageFrame::absoluteUrl(const QString& route) const
{
    return withoutTrailingSlashes(baseUrl) + route;
}
