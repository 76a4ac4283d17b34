#include "schedule/MigrateYearController.h"

#include "foundation/alerts/AlertPresenter.h"
#include "foundation/dates/DateFormatting.h"
#include "model/Document.h"
#include "model/Year.h"
#include "schedule/YearMigration.h"

MigrateYearController::MigrateYearController(Document& document, AlertPresenter& alerts)
    : m_document(document)
    , m_alerts(alerts)
{ }

void MigrateYearController::windowDidLoad()
{
    const Year* year = m_document.getCurrentYear();
    if (!year)
        return;
    m_pickerDate = year->endDate();
    m_currentStartText = DateFormatting::formatDateStyle(year->startDate(), DateFormatting::DateStyle::Medium);
}

void MigrateYearController::migratePressed()
{
    Year* year = m_document.getCurrentYear();
    if (!year)
        return;
    YearMigration::migrate(*year, m_pickerDate);
    m_document.detachFromFile();
    m_alerts.inform(QStringLiteral("Migration Successful!"),
        QStringLiteral("Please do a File-->Save As to avoid writing over your existing file"));
}
