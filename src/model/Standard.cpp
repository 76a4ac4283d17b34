#include "model/Standard.h"

const QStringList& Standard::keysThatUpdateTime() const
{
    static const QStringList keys { QStringLiteral("shortName"), QStringLiteral("text") };
    return keys;
}
