#pragma once

// Calendar fields of a date in the current calendar. Months and days count
// from 1. When building a date, out-of-range values are normalised by the
// calendar: day 0 is the last day of the previous month, hour 24 is midnight
// of the next day. The year is within the calendar's current era, which for
// every calendar a locale picks by default is the only one in use.
struct DateComponents {
    int year = 1;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;

    bool operator==(const DateComponents&) const = default;
};
