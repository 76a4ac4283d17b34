#pragma once

#include "schedule/RemoveCourseController.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QListWidget;

// The remove-course sheet: a course, the weekdays or day types it meets on,
// and what the last removal did.
class RemoveCourseSheet : public QDialog {
    Q_OBJECT
public:
    RemoveCourseSheet(Year& year, AlertPresenter& alerts, QWidget* window);

    RemoveCourseController& controller() { return m_controller; }
    QComboBox* coursePopUp() const { return m_courses; }
    QListWidget* dayList() const { return m_days; }
    QLabel* resultLabel() const { return m_result; }

    void removePressed();

private:
    void fillCourses();
    void fillDays();

    RemoveCourseController m_controller;
    QComboBox* m_courses = nullptr;
    QListWidget* m_days = nullptr;
    QLabel* m_result = nullptr;
};
