#include "schedule/NoTemplateDayAlert.h"

#include "foundation/alerts/AlertPresenter.h"

namespace NoTemplateDayAlert {

void show(AlertPresenter& alerts, const QString& title)
{
    alerts.inform(
        title, QStringLiteral("Semestra was unable to find another school day whose schedule this day could take."));
}

} // namespace NoTemplateDayAlert
