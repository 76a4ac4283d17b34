#pragma once

#include "foundation/dates/Date.h"

#include <QList>

#include <optional>

class Course;
class Day;

// A day's bells as plain values: which courses meet, in which slot order, at
// which times, and the day type. A template held this way survives the
// rebuilding of the very day it was read from.
struct DaySchedule {
    struct Meeting {
        Course* course = nullptr;
        int position = 0;
        std::optional<Date> start;
        std::optional<Date> end;
    };

    QList<Meeting> meetings;
    int typeOfDay = 0;
    bool isCustom = false;

    static DaySchedule of(const Day& day);
};
