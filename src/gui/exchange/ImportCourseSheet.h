#pragma once

// moc cannot read the C++20 headers the date types bring in.
#ifndef Q_MOC_RUN
#include "exchange/ImportCourseController.h"
#endif

#include <QDialog>

class QComboBox;
class QDateEdit;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;

// The import sheet over a course file read when it opens: the lessons go
// onto a new course meeting on the ticked days, or over an existing course,
// each from its own date on.
class ImportCourseSheet : public QDialog {
    Q_OBJECT
public:
    ImportCourseSheet(Year& year, AlertPresenter& alerts, const QString& filePath, QWidget* window);

    ImportCourseController& controller() { return m_controller; }
    QLabel* topTextField() const { return m_topText; }
    QTableWidget* courseTableView() const { return m_table; }
    QDateEdit* addNewDatePicker() const { return m_addNewDate; }
    QComboBox* coursePopUp() const { return m_courses; }
    QDateEdit* addExistingDatePicker() const { return m_addExistingDate; }
    QProgressBar* spinner() const { return m_spinner; }
    QPushButton* importNewButton() const { return m_importNew; }
    QPushButton* importExistingButton() const { return m_importExisting; }

    void importNewPressed();
    void importExistingPressed();

private:
    QWidget* createNewCourseBox(const Year& year);
    QWidget* createExistingCourseBox(const Year& year);
    void fillTable();
    // Runs an import with the progress bar going; closes the sheet when it
    // placed the lessons.
    template <typename Import> void runImport(Import import);

    ImportCourseController m_controller;
    QLabel* m_topText = nullptr;
    QTableWidget* m_table = nullptr;
    QDateEdit* m_addNewDate = nullptr;
    QComboBox* m_courses = nullptr;
    QDateEdit* m_addExistingDate = nullptr;
    QProgressBar* m_spinner = nullptr;
    QPushButton* m_importNew = nullptr;
    QPushButton* m_importExisting = nullptr;
};
