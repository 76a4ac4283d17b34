#include "gui/navigation/UnitDrag.h"

#include "model/Unit.h"
#include "store/ObjectContext.h"

#include <QMimeData>

const QString UnitDrag::mimeType = QStringLiteral("application/x-semestra-unit");

QMimeData* UnitDrag::mimeDataFor(const Unit* unit)
{
    auto* data = new QMimeData;
    data->setData(mimeType, unit->sessionReference().toUtf8());
    return data;
}

Unit* UnitDrag::unitFrom(const QMimeData* data, const ObjectContext& context)
{
    if (!data || !data->hasFormat(mimeType))
        return nullptr;
    return dynamic_cast<Unit*>(context.objectWithSessionReference(QString::fromUtf8(data->data(mimeType))));
}
