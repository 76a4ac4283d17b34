#include "gui/panels/AttachmentDrop.h"

#include <QMimeData>
#include <QUrl>

namespace AttachmentDrop {

QStringList locations(const QMimeData* data)
{
    QStringList result;
    if (!data)
        return result;
    for (const QUrl& url : data->urls())
        result << (url.isLocalFile() ? url.toString(QUrl::FullyEncoded) : url.toString());
    if (result.isEmpty() && data->hasText()) {
        for (const QString& line : data->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            result << line.trimmed();
    }
    return result;
}

} // namespace AttachmentDrop
