#pragma once

#include "foundation/dates/Clock.h"

// Fixes "now" for the lifetime of the object, then lets the clock run again.
class FixedClock {
public:
    explicit FixedClock(Date now) { Clock::setFixedNow(now); }
    ~FixedClock() { Clock::setFixedNow(std::nullopt); }
    FixedClock(const FixedClock&) = delete;
    FixedClock& operator=(const FixedClock&) = delete;

    void set(Date now) { Clock::setFixedNow(now); }
};
