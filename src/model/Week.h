#pragma once

#include "model/SyncedRecord.h"

class Day;
class Year;

// Seven calendar days of the year's grid, Sunday to Saturday; holds only the
// days that are part of the schedule.
class Week : public SyncedRecord {
public:
    using SyncedRecord::SyncedRecord;

    int weekNumber() const { return value<int>(u"weekNumber"); }
    Year* year() const;
    QList<Day*> days() const;
    // The week's days in date order.
    QList<Day*> daysInOrder() const;

    // "5 Jan - 11 Jan 2026" (in the locale's own forms) from its first and last day.
    QString prettyPrintWeek() const;

    // Meeting times.

    // Moves this week's days, hour by hour, until each falls on the weekday
    // of the model week's day at the same place; stops at the first day that
    // already does, taking the rest of the week to be right as well.
    void makeDaysLike(const Week& model);
};
