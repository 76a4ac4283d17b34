#pragma once

#ifndef Q_MOC_RUN
#include "schedule/ExtendHolidayController.h"
#endif

#include <QDialog>

class QDateEdit;
class QLabel;

// Extends a non-school day up to a chosen date. The controller asks about
// lessons and makes the change.
class ExtendHolidaySheet : public QDialog {
    Q_OBJECT
public:
    ExtendHolidaySheet(ExtendHolidayController& controller, QWidget* window);

    // Shows the controller's day: its label, range and proposed date.
    void load();
    void accept() override;

private:
    ExtendHolidayController& m_controller;
    QLabel* m_label = nullptr;
    QDateEdit* m_date = nullptr;
};
