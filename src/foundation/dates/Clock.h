#pragma once

#include "foundation/dates/Date.h"

#include <optional>

// The source of "now" for the whole process. Tests fix it so that "today" and
// anything derived from it (current lesson times, export time stamps) repeat.
class Clock {
public:
    static Date now();
    // A fixed instant for now(), or none to follow the system clock again.
    static void setFixedNow(std::optional<Date> fixedNow);
};
