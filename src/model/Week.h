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

    // Schedule queries.
    // The neighbouring week by number; the week itself at either end.
    Week* previousWeek() const;
    Week* nextWeek() const;
    bool hasHolidayOrCustom() const;
    bool isRotatingOrCustom() const;
    // The earliest start and latest end of the days' drawn lessons as times
    // of day on today's date, for sizing the week view. A week without drawn
    // lessons gives 23:59 and 00:00.
    Date earliestLessonStartTime() const;
    Date latestLessonEndTime() const;

    // Meeting times.

    // Moves this week's days, hour by hour, until each falls on the weekday
    // of the model week's day at the same place; stops at the first day that
    // already does, taking the rest of the week to be right as well.
    void makeDaysLike(const Week& model);
};
