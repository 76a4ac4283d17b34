#include "model/Attachment.h"

const QStringList& Attachment::keysThatUpdateTime() const
{
    static const QStringList keys { QStringLiteral("name"), QStringLiteral("notes"), QStringLiteral("publish") };
    return keys;
}
