#include "cli/CliAlertPresenter.h"

#include <QTextStream>

CliAlertPresenter::CliAlertPresenter(QTextStream& errors)
    : m_errors(errors)
{ }

int CliAlertPresenter::runModal(const Alert& alert)
{
    m_errors << "semestra-cli: " << alert.title << ": " << alert.message << Qt::endl;
    return AlertDefaultReturn;
}
