#pragma once

// moc cannot read the C++20 headers the date types bring in.
#ifndef Q_MOC_RUN
#include "schedule/AddCourseController.h"
#endif

#include <QDialog>

class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;

// The add-course sheet: a new course (tab 0) or more days for an existing
// one (tab 1), on the ticked weekdays or day types, in all dates or a range.
class AddCourseSheet : public QDialog {
    Q_OBJECT
public:
    AddCourseSheet(Year& year, AlertPresenter& alerts, QWidget* window);

    AddCourseController& controller() { return m_controller; }
    QTabWidget* tabs() const { return m_tabs; }
    QLineEdit* nameField() const { return m_name; }
    QListWidget* dayList() const { return m_days; }
    QListWidget* courseList() const { return m_courses; }
    QPushButton* addButton() const { return m_add; }

    void addCoursePressed();

private:
    QWidget* createNewCourseTab();
    QWidget* createExistingCourseTab();
    QWidget* createDateChoice();
    void fillDays();
    void fillCourses();
    void updateAddButton();
    void readDates();

    AddCourseController m_controller;
    QTabWidget* m_tabs = nullptr;
    QLineEdit* m_name = nullptr;
    QListWidget* m_courses = nullptr;
    QListWidget* m_days = nullptr;
    QCheckBox* m_byWeekday = nullptr;
    QRadioButton* m_allDates = nullptr;
    QRadioButton* m_range = nullptr;
    QDateEdit* m_from = nullptr;
    QDateEdit* m_to = nullptr;
    QPushButton* m_add = nullptr;
};
