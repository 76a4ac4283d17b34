#include "foundation/dates/RotationLabels.h"

namespace RotationLabels {

QString typeOfDayLetter(int typeOfDay)
{
    return QStringLiteral("%1 Day").arg(QChar(char16_t(u'A' + typeOfDay)));
}

QString rotationLabel(int typeOfDay, Numbering numbering)
{
    if (numbering == Numbering::Numbers)
        return QStringLiteral("Day %1").arg(typeOfDay + 1);
    return typeOfDayLetter(typeOfDay);
}

} // namespace RotationLabels
