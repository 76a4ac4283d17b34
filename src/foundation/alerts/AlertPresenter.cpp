#include "foundation/alerts/AlertPresenter.h"

void AlertPresenter::inform(const QString& title, const QString& message)
{
    runModal(Alert { title, message, QStringLiteral("OK"), {}, {} });
}
