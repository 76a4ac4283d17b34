#include "model/Attachment.h"

const QStringList& Attachment::keysThatUpdateTime() const
{
    static const QStringList keys { QStringLiteral("name"), QStringLiteral("notes"), QStringLiteral("publish") };
    return keys;
}

QString Attachment::stringForDailyReport() const
{
    QString line = QStringLiteral("\t%1").arg(attachmentName());
    if (const QString where = shortFilePath(); !where.isEmpty())
        line = QStringLiteral("%1 - %2").arg(line, where);
    if (const QString text = notes(); !text.isEmpty())
        line = QStringLiteral("%1: %2").arg(line, text);
    return line;
}
