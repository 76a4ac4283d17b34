#pragma once

#include "foundation/dates/Date.h"

#include <QDialog>

class QCalendarWidget;
class QLineEdit;
class Year;

// The go-to-date sheet: a calendar starting at today, mirrored in a text
// field. Go moves every view of the document to the year's day for the
// picked date (the nearest one when the date lies outside the year).
class SelectDateDialog : public QDialog {
public:
    SelectDateDialog(Year& year, QWidget* window);

    void setPickedDate(Date date);
    Date pickedDate() const;
    QLineEdit* dateField() const { return m_field; }

    // Posts the go-to notification for the picked date and closes.
    void accept() override;

private:
    void nameCalendarParts() const;
    void mirrorCalendar();
    void readField();

    Year& m_year;
    QCalendarWidget* m_calendar = nullptr;
    QLineEdit* m_field = nullptr;
};
