#pragma once

#include "foundation/dates/Date.h"
#include "schedule/CourseSelectionTable.h"

#include <QStringList>

#include <algorithm>
#include <array>

// Everything the new-year wizard asks for, and what the year is built from.
struct NewYearPlan {
    // The wizard's four schedule rows, in their order.
    enum class Schedule { Traditional = 0, WeeklyRepeating = 1, AlternatingAB = 2, Rotating = 3 };

    Date startDate;
    Date endDate;
    // Index 0 = Sunday ... 6 = Saturday.
    std::array<bool, 7> teachingDays {};
    // In entry order; unique (exact comparison).
    QStringList courseNames;
    Schedule schedule = Schedule::Traditional;
    // As typed; read for the rotating row only.
    int rotationLength = 0;
    // Filled in on the second page for every schedule but the traditional one.
    CourseSelectionTable selection;
    // The names the year gives its six lesson fields, in field order, and
    // which of them the planning views show, so that what a new teacher
    // types first shows in the week at once.
    QStringList fieldTitles { QStringLiteral("Plan"), QStringLiteral("Homework"), QStringLiteral("Notes for Families"),
        QStringLiteral("Materials"), QStringLiteral("Differentiation"), QStringLiteral("Reflection") };
    std::array<bool, 6> shownFields { true, true, false, false, false, false };

    bool isRotating() const { return schedule == Schedule::AlternatingAB || schedule == Schedule::Rotating; }
    // Day types of a rotating year. A length below 1 cannot rotate and is
    // taken as a single day type rather than a rotation that never wraps.
    int rotationDays() const { return schedule == Schedule::AlternatingAB ? 2 : std::max(1, rotationLength); }
};
