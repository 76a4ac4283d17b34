#pragma once

#include "foundation/dates/Date.h"

class Day;

// One cell of the calendar picker. A cell outside the shown month has no date
// and a day of month of 0; a date without a school-year day has no Day.
struct CalendarPickerDay {
    Date date;
    Day* day = nullptr;
    int dayOfMonth = 0;
    bool selected = false;
    // The pointer is over the cell.
    bool highlighted = false;

    bool isEmpty() const { return dayOfMonth == 0; }
};
