#include "foundation/paths/FileBookmark.h"

#include <QUrl>

QByteArray FileBookmark::fromPath(const QString& absolutePath)
{
    return QUrl::fromLocalFile(absolutePath).toEncoded();
}

std::optional<QString> FileBookmark::resolve(const QByteArray& bookmark)
{
    const QUrl url = QUrl::fromEncoded(bookmark, QUrl::StrictMode);
    if (!url.isValid() || !url.isLocalFile() || url.toLocalFile().isEmpty())
        return std::nullopt;
    return url.toLocalFile();
}
