#pragma once

#include "foundation/dates/Date.h"

#include <QString>

class AlertPresenter;
class Document;

// The migration sheet: moves the document's whole plan to the school year
// starting on the Sunday on or before the chosen date.
class MigrateYearController {
public:
    MigrateYearController(Document& document, AlertPresenter& alerts);

    // The picker on the year's last day, the label on its current start.
    void windowDidLoad();
    Date pickerDate() const { return m_pickerDate; }
    void setPickerDate(Date date) { m_pickerDate = date; }
    const QString& currentStartText() const { return m_currentStartText; }

    // Moves the year, then unties the document from its file so that last
    // year's file is never overwritten by the moved one.
    void migratePressed();

private:
    Document& m_document;
    AlertPresenter& m_alerts;
    Date m_pickerDate;
    QString m_currentStartText;
};
