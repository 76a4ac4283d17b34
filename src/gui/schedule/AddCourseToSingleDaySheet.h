#pragma once

#ifndef Q_MOC_RUN
#include "schedule/AddCourseToSingleDayController.h"
#endif

#include <QDialog>

class QComboBox;
class QPushButton;

// Adds one course's meeting to a day. Add stays disabled until a course is chosen.
class AddCourseToSingleDaySheet : public QDialog {
    Q_OBJECT
public:
    AddCourseToSingleDaySheet(AddCourseToSingleDayController& controller, QWidget* window);

    void load();
    void accept() override;
    const AddCourseToSingleDayController& controller() const { return m_controller; }
    QPushButton* addButton() const { return m_add; }
    QComboBox* coursePopUp() const { return m_courses; }

private:
    void courseChosen();

    AddCourseToSingleDayController& m_controller;
    QComboBox* m_courses = nullptr;
    QPushButton* m_add = nullptr;
};
