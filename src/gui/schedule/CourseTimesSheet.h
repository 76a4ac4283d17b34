#pragma once

// moc cannot read the C++20 headers the date types bring in.
#ifndef Q_MOC_RUN
#include "schedule/CourseTimeController.h"
#endif

#include <QDialog>

class QTableWidget;
class QTableWidgetItem;

// The course-times sheet: one row per meeting of a course in a day, a start
// and an end column per weekday, day type or the whole year. Typed times are
// read by the controller; Apply sets them on every regular day.
class CourseTimesSheet : public QDialog {
    Q_OBJECT
public:
    CourseTimesSheet(Year& year, QWidget* window);

    CourseTimeController& controller() { return m_controller; }
    QTableWidget* table() const { return m_table; }

    void applyChangesPressed();

private:
    void fillTable();
    void cellEdited(QTableWidgetItem* item);

    CourseTimeController m_controller;
    QTableWidget* m_table = nullptr;
    bool m_filling = false;
};
