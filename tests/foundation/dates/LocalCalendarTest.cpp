#include "foundation/dates/LocalCalendar.h"

#include "DateTestSupport.h"
#include "testlib/ZoneAndLocale.h"

#include <gtest/gtest.h>

TEST(LocalCalendarTest, ComponentsAreReadInTheCurrentZone)
{
    const Date date = at("2026-07-04T02:34:56Z");
    EXPECT_EQ(LocalCalendar::components(date), (DateComponents { 2026, 7, 3, 22, 34, 56 }));
    ZoneAndLocale zone("Australia/Sydney", "en_AU");
    EXPECT_EQ(LocalCalendar::components(date), (DateComponents { 2026, 7, 4, 12, 34, 56 }));
}

TEST(LocalCalendarTest, ComponentsOutOfRangeAreNormalised)
{
    EXPECT_EQ(LocalCalendar::dateFromComponents({ 2024, 3, 0 }), at("2024-02-29T00:00:00-05:00"));
    EXPECT_EQ(LocalCalendar::dateFromComponents({ 2026, 13, 1 }), at("2027-01-01T00:00:00-05:00"));
    EXPECT_EQ(LocalCalendar::dateFromComponents({ 2026, 3, 7, 25, 60, 0 }), at("2026-03-08T02:00:00-05:00"));
    // 02:30 does not exist on the day the clocks go forward; it becomes 03:30.
    EXPECT_EQ(LocalCalendar::dateFromComponents({ 2026, 3, 8, 2, 30, 0 }), at("2026-03-08T03:30:00-04:00"));
}

TEST(LocalCalendarTest, WeekdaysCountFromSundayInEveryLocale)
{
    const Date sunday = at("2026-03-08T12:00:00-04:00");
    EXPECT_EQ(LocalCalendar::weekday(sunday), 1);
    EXPECT_EQ(LocalCalendar::weekday(at("2026-03-14T12:00:00-04:00")), 7);
    // Germany starts its week on Monday; the numbering must not follow.
    ZoneAndLocale zone("Europe/Berlin", "de_DE");
    EXPECT_EQ(LocalCalendar::weekday(sunday), 1);
    EXPECT_EQ(LocalCalendar::weekday(at("2026-03-09T12:00:00+01:00")), 2);
}

TEST(LocalCalendarTest, WeekdayOrdinalsFollowTheLocalesFirstWeekday)
{
    const Date sunday = at("2026-03-08T12:00:00-04:00");
    const Date monday = at("2026-03-09T12:00:00-04:00");
    const Date saturday = at("2026-03-14T12:00:00-04:00");
    EXPECT_EQ(LocalCalendar::firstWeekday(), 1);
    EXPECT_EQ(LocalCalendar::weekdayOrdinal(sunday), 1);
    EXPECT_EQ(LocalCalendar::weekdayOrdinal(saturday), 7);
    ZoneAndLocale zone("Europe/Berlin", "de_DE");
    EXPECT_EQ(LocalCalendar::firstWeekday(), 2);
    EXPECT_EQ(LocalCalendar::weekdayOrdinal(monday), 1);
    EXPECT_EQ(LocalCalendar::weekdayOrdinal(saturday), 6);
    EXPECT_EQ(LocalCalendar::weekdayOrdinal(sunday), 7);
}

TEST(LocalCalendarTest, AddingDaysAndMonthsKeepsTheWallClockTime)
{
    EXPECT_EQ(LocalCalendar::addingDays(at("2026-03-08T00:00:00-05:00"), 1), at("2026-03-09T00:00:00-04:00"));
    EXPECT_EQ(LocalCalendar::addingDays(at("2026-11-02T00:00:00-05:00"), -1), at("2026-11-01T00:00:00-04:00"));
    EXPECT_EQ(LocalCalendar::addingMonths(at("2026-01-31T09:00:00-05:00"), 1), at("2026-02-28T09:00:00-05:00"));
    EXPECT_EQ(LocalCalendar::addingMonths(at("2026-02-10T09:00:00-05:00"), 2), at("2026-04-10T09:00:00-04:00"));

    ZoneAndLocale zone("Australia/Sydney", "en_AU");
    EXPECT_EQ(LocalCalendar::addingDays(at("2026-10-03T00:00:00+10:00"), 2), at("2026-10-05T00:00:00+11:00"));
}
