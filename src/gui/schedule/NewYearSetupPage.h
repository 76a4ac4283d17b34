#pragma once

#include <QWidget>

class CreateNewSemestraController;
class QDateEdit;
class QLineEdit;
class QListWidget;
class QSpinBox;

// The wizard's first page: date range, teaching weekdays, courses and the
// schedule type. Every edit goes straight to the controller, which keeps
// what the year is built from.
class NewYearSetupPage : public QWidget {
    Q_OBJECT
public:
    explicit NewYearSetupPage(CreateNewSemestraController& controller, QWidget* parent = nullptr);

    // Puts the keyboard focus where a teacher starts typing.
    void focusCourseName();

private:
    QWidget* createDatesBox();
    QWidget* createWeekdaysBox();
    QWidget* createCoursesBox();
    QWidget* createScheduleBox();
    QWidget* createFieldsBox();
    QDateEdit* createDateEdit(const QString& objectName);
    void addCourse();
    void deleteCourse();
    void showCourses();

    CreateNewSemestraController& m_controller;
    QDateEdit* m_startDate = nullptr;
    QDateEdit* m_endDate = nullptr;
    QLineEdit* m_courseName = nullptr;
    QListWidget* m_courseList = nullptr;
    QSpinBox* m_rotationLength = nullptr;
};
