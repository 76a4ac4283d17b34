#pragma once

#include "foundation/dates/Date.h"

class Year;

// Moves a whole year to a new school year: every day by the same number of
// calendar days, so that it keeps its weekday and stays on local midnight
// whatever clock changes lie between, and every meeting time onto its new
// date. The moved year is a new year to the online service and the calendar:
// the records lose their identifiers there, and the delete stack is emptied,
// so that the old and the new document never write over each other's records.
class YearMigration {
public:
    // The Sunday on or before `chosen`, whatever day the locale starts its week on.
    static Date newStartDate(Date chosen);
    // Calendar days, a whole number of weeks, from the year's first Sunday
    // to the new start (negative when moving back).
    static int daysToMove(const Year& year, Date chosen);

    static void migrate(Year& year, Date chosen);

private:
    static void moveDates(Year& year, int days);
    static void forgetOnlineAndCalendarIdentifiers(Year& year);
};
