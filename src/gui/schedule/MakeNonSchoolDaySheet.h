#pragma once

#ifndef Q_MOC_RUN
#include "schedule/MakeNonSchoolDayController.h"
#endif

#include <QDialog>

class QGroupBox;
class QRadioButton;

// A rotating year's choice between a holiday and a cancelled day, and for a
// cancelled day what happens to its lessons. The controller acts on OK.
class MakeNonSchoolDaySheet : public QDialog {
    Q_OBJECT
public:
    MakeNonSchoolDaySheet(MakeNonSchoolDayController& controller, QWidget* window);

    // Shows the controller's choices for its day.
    void load();
    void accept() override;
    void reject() override;

private:
    void nameStep();
    void kindChosen();

    MakeNonSchoolDayController& m_controller;
    QRadioButton* m_holiday = nullptr;
    QRadioButton* m_cancelled = nullptr;
    QGroupBox* m_lessons = nullptr;
    QRadioButton* m_bump = nullptr;
    QRadioButton* m_delete = nullptr;
};
