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

    // While one lives, now() is the instant it was made, unless an instant
    // is fixed already: the thousands of records one edit changes carry one
    // time stamp, and reading the system clock for each costs more than the
    // change itself.
    class Held {
    public:
        Held();
        ~Held();
        Held(const Held&) = delete;
        Held& operator=(const Held&) = delete;

    private:
        bool m_holding;
    };
};
