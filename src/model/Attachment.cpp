#include "model/Attachment.h"

const QStringList& Attachment::keysThatUpdateTime() const
{
    static const QStringList keys { QStringLiteral("name"), QStringLiteral("notes"), QStringLiteral("publish") };
    return keys;
}

QString Attachment::stringForDailyReport() const
{
    QString line = QStringLiteral("\t%1").arg(attachmentName());
    if (!shortFilePath().isEmpty())
        line = QStringLiteral("%1 - %2").arg(line, shortFilePath());
    if (!notes().isEmpty())
        line = QStringLiteral("%1: %2").arg(line, notes());
    return line;
}
