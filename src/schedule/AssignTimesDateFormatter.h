#pragma once

#include "foundation/dates/Date.h"

#include <QString>

#include <optional>

// Shows and reads the times of the course-times table.
class AssignTimesDateFormatter {
public:
    // The locale's short time ("9:45 AM").
    static QString string(Date time);
    // A time written in the locale's form, as teachers type it (TypedTime),
    // or as "930 am", "0930" or "09:30"; the first reading that succeeds
    // wins. The result lies on today's date.
    static std::optional<Date> parse(const QString& text);
};
