#pragma once

// moc cannot read the C++20 headers the date types bring in.
#ifndef Q_MOC_RUN
#include "schedule/MigrateYearController.h"
#endif

#include <QDialog>

class QDateEdit;

// The migration sheet: a date in the new school year, and the command that
// moves the whole plan there.
class MigrateYearSheet : public QDialog {
    Q_OBJECT
public:
    MigrateYearSheet(Document& document, AlertPresenter& alerts, QWidget* window);

    QDateEdit* picker() const { return m_picker; }
    void migratePressed();

private:
    MigrateYearController m_controller;
    QDateEdit* m_picker = nullptr;
};
