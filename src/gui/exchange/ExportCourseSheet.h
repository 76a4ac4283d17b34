#pragma once

// moc cannot read the C++20 headers the date types bring in.
#ifndef Q_MOC_RUN
#include "exchange/ExportCourseController.h"
#endif

#include <QDialog>

class QComboBox;
class QDateEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

// The export sheet: a course, whole or between two days, and a folder to
// write it into. The document keeps the sheet, so it keeps its choices.
class ExportCourseSheet : public QDialog {
    Q_OBJECT
public:
    ExportCourseSheet(Year& year, AlertPresenter& alerts, FileChooser& files, QWidget* window);

    ExportCourseController& controller() { return m_controller; }
    QComboBox* coursePopUp() const { return m_courses; }
    QRadioButton* entireCourseChoice() const { return m_entireCourse; }
    QRadioButton* dateRangeChoice() const { return m_dateRange; }
    QDateEdit* startDatePicker() const { return m_start; }
    QDateEdit* endDatePicker() const { return m_end; }
    QProgressBar* spinner() const { return m_spinner; }
    QPushButton* exportButton() const { return m_export; }

    // Fills the course list and both dates again for another showing.
    void windowDidLoad();
    void exportPressed();

private:
    void dateChanged();
    void readChoices();

    ExportCourseController m_controller;
    QComboBox* m_courses = nullptr;
    QRadioButton* m_entireCourse = nullptr;
    QRadioButton* m_dateRange = nullptr;
    QDateEdit* m_start = nullptr;
    QDateEdit* m_end = nullptr;
    QProgressBar* m_spinner = nullptr;
    QPushButton* m_export = nullptr;
};
