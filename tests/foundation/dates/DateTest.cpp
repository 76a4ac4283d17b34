#include "foundation/dates/Date.h"

#include "DateTestSupport.h"
#include "foundation/dates/Clock.h"
#include "testlib/ZoneAndLocale.h"

#include <QTimeZone>

#include <chrono>
#include <thread>

#include <gtest/gtest.h>

namespace {

constexpr double hour = 3600;

const char* const sydney = "Australia/Sydney";

class DateTest : public testing::Test {
protected:
    void TearDown() override { Clock::setFixedNow(std::nullopt); }
};

// Walks every day of 2026 with nextDay() and checks, with Qt's own zone rules,
// that each step lands on local midnight of the following calendar day and
// that writing a midnight out and reading it back gives the same instant.
void expectEveryNextDayIsTheFollowingLocalMidnight()
{
    Date day = at("2026-01-01T12:00:00Z").midnightDate();
    for (int step = 0; step < 366; ++step) {
        const Date next = day.nextDay();
        const QDateTime local = next.toQDateTime();
        ASSERT_EQ(local.time(), QTime(0, 0)) << local.toString(Qt::ISODate).toStdString();
        ASSERT_EQ(local.date(), day.toQDateTime().date().addDays(1));
        ASSERT_EQ(next.midnightDate(), next);
        day = next;
    }
}

} // namespace

TEST_F(DateTest, ConvertsBetweenStoredSecondsUDateAndQDateTime)
{
    EXPECT_EQ(Date().toUDate(), 978307200000.0);
    const Date date = Date::fromSecondsSinceReferenceDate(86400.5);
    EXPECT_EQ(date.toQDateTime(), QDateTime(QDate(2001, 1, 2), QTime(0, 0, 0, 500), QTimeZone::utc()));
    EXPECT_EQ(Date::fromQDateTime(date.toQDateTime()), date);
    EXPECT_EQ(date.addingSeconds(-0.5).timeIntervalSince(Date()), 86400.0);
}

TEST_F(DateTest, IsBetweenExcludesBothBounds)
{
    const Date a = at("2026-05-01T08:00:00-04:00");
    const Date b = a.addingSeconds(60);
    EXPECT_TRUE(a.addingSeconds(1).isBetween(a, b));
    EXPECT_FALSE(a.isBetween(a, b));
    EXPECT_FALSE(b.isBetween(a, b));
}

TEST_F(DateTest, MonthStepsNormaliseAtMonthEndsAndLeapYears)
{
    EXPECT_EQ(at("2024-03-31T15:00:00-04:00").firstDayOfLastMonth(), at("2024-02-01T00:00:00-05:00"));
    EXPECT_EQ(at("2024-03-15T12:00:00-04:00").lastDayOfLastMonth(), at("2024-02-29T00:00:00-05:00"));
    EXPECT_EQ(at("2023-03-15T12:00:00-04:00").lastDayOfLastMonth(), at("2023-02-28T00:00:00-05:00"));
    EXPECT_EQ(at("2026-01-15T12:00:00-05:00").firstDayOfLastMonth(), at("2025-12-01T00:00:00-05:00"));
    EXPECT_EQ(at("2026-12-31T23:30:00-05:00").firstDayOfNextMonth(), at("2027-01-01T00:00:00-05:00"));
    EXPECT_EQ(at("2026-03-31T12:00:00-04:00").firstDayOfMonth(), at("2026-03-01T00:00:00-05:00"));

    ZoneAndLocale zone(sydney, "en_AU");
    EXPECT_EQ(at("2024-03-15T12:00:00+11:00").lastDayOfLastMonth(), at("2024-02-29T00:00:00+11:00"));
    // Already April in Sydney while still March in New York.
    EXPECT_EQ(at("2026-03-31T18:00:00-04:00").firstDayOfNextMonth(), at("2026-05-01T00:00:00+10:00"));
}

TEST_F(DateTest, NextDayIsLocalMidnightAcrossDaysOf23And25Hours)
{
    const Date springForward = at("2026-03-08T00:00:00-05:00");
    EXPECT_EQ(springForward.addingSeconds(12 * hour).nextDay().timeIntervalSince(springForward), 23 * hour);
    const Date fallBack = at("2026-11-01T00:00:00-04:00");
    EXPECT_EQ(fallBack.nextDay(), at("2026-11-02T00:00:00-05:00"));
    EXPECT_EQ(fallBack.nextDay().timeIntervalSince(fallBack), 25 * hour);
    expectEveryNextDayIsTheFollowingLocalMidnight();

    ZoneAndLocale zone(sydney, "en_AU");
    expectEveryNextDayIsTheFollowingLocalMidnight();
}

TEST_F(DateTest, MidnightAndLastSecondAreThoseOfTheDayWhateverTheOffsetNow)
{
    const Date june = at("2026-06-15T14:20:00-04:00");
    EXPECT_EQ(june.midnightDate(), at("2026-06-15T00:00:00-04:00"));
    EXPECT_EQ(june.elevenFiftyNineDate(), at("2026-06-15T23:59:59-04:00"));

    // The day the clocks go forward starts at -0500 and ends at -0400, seen
    // from either side of the change.
    for (const char* instant : { "2026-03-08T01:00:00-05:00", "2026-03-08T15:00:00-04:00" }) {
        EXPECT_EQ(at(instant).midnightDate(), at("2026-03-08T00:00:00-05:00")) << instant;
        EXPECT_EQ(at(instant).elevenFiftyNineDate(), at("2026-03-08T23:59:59-04:00")) << instant;
    }
    // The day they go back: 25 hours from the real midnight to the last second.
    const Date fallBackAfternoon = at("2026-11-01T15:00:00-05:00");
    EXPECT_EQ(fallBackAfternoon.midnightDate(), at("2026-11-01T00:00:00-04:00"));
    EXPECT_EQ(fallBackAfternoon.elevenFiftyNineDate(), at("2026-11-01T23:59:59-05:00"));
    EXPECT_EQ(
        fallBackAfternoon.elevenFiftyNineDate().timeIntervalSince(fallBackAfternoon.midnightDate()), 25 * 3600 - 1);

    ZoneAndLocale zone(sydney, "en_AU");
    EXPECT_EQ(at("2026-04-05T15:00:00+10:00").midnightDate(), at("2026-04-05T00:00:00+11:00"));
    EXPECT_EQ(at("2026-04-05T01:00:00+11:00").elevenFiftyNineDate(), at("2026-04-05T23:59:59+10:00"));
}

TEST_F(DateTest, MidnightOnDaysWhoseOffsetChangesAtMidnight)
{
    // Santiago turns its clocks back from 24:00 -03 to 23:00 -04 at the end of
    // 4 April 2026, so the day's last hour is lived twice; the last second is
    // that of the second pass.
    ZoneAndLocale zone("America/Santiago", "es_CL");
    for (const char* instant : { "2026-04-04T23:30:00-04:00", "2026-04-04T12:00:00-03:00" }) {
        EXPECT_EQ(at(instant).midnightDate(), at("2026-04-04T00:00:00-03:00")) << instant;
        EXPECT_EQ(at(instant).elevenFiftyNineDate(), at("2026-04-04T23:59:59-04:00")) << instant;
    }
    // 6 September 2026 has no midnight (00:00 -04 becomes 01:00 -03): the day
    // starts at 01:00, as nextDay() agrees.
    EXPECT_EQ(at("2026-09-05T12:00:00-04:00").nextDay(), at("2026-09-06T01:00:00-03:00"));
    EXPECT_EQ(at("2026-09-06T12:00:00-03:00").midnightDate(), at("2026-09-06T01:00:00-03:00"));
}

TEST_F(DateTest, TimeOnDateKeepsHourAndMinuteAndDropsSeconds)
{
    const Date start = at("2026-01-12T09:45:30-05:00");
    EXPECT_EQ(start.timeOnDate(at("2026-02-03T00:00:00-05:00")), at("2026-02-03T09:45:00-05:00"));
    // Across the change to daylight saving, and from any instant of the target day.
    EXPECT_EQ(start.timeOnDate(at("2026-03-10T22:10:00-04:00")), at("2026-03-10T09:45:00-04:00"));

    // The cached calendar takes up the new host zone.
    ZoneAndLocale zone(sydney, "en_AU");
    const Date sydneyStart = at("2026-03-30T09:45:30+11:00");
    EXPECT_EQ(sydneyStart.timeOnDate(at("2026-04-07T00:00:00+10:00")), at("2026-04-07T09:45:00+10:00"));
}

TEST_F(DateTest, RoundingKeepsSecondsAndRollsOverTheHourAndDay)
{
    const struct {
        const char* time;
        const char* later;
    } cases[] = {
        { "2026-06-15T10:24:37-04:00", "2026-06-15T10:30:37-04:00" },
        { "2026-06-15T10:25:00-04:00", "2026-06-15T11:00:00-04:00" },
        { "2026-06-15T10:51:59-04:00", "2026-06-15T11:00:59-04:00" },
        { "2026-06-15T10:52:00-04:00", "2026-06-15T11:10:00-04:00" },
        { "2026-06-15T23:40:15-04:00", "2026-06-16T00:00:15-04:00" },
        { "2026-06-30T23:55:00-04:00", "2026-07-01T00:10:00-04:00" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(at(c.time).roundToLaterHour(), at(c.later)) << c.time;
    EXPECT_EQ(at("2026-06-15T10:52:07-04:00").roundToEarlierHour(), at("2026-06-15T10:00:07-04:00"));
}

TEST_F(DateTest, NumberOfHoursSinceComparesHoursOfDayOnly)
{
    EXPECT_EQ(at("2026-06-15T15:59:00-04:00").numberOfHoursSince(at("2026-06-15T09:01:00-04:00")), 6);
    EXPECT_EQ(at("2026-06-15T08:00:00-04:00").numberOfHoursSince(at("2026-06-14T10:30:00-04:00")), -2);
}

TEST_F(DateTest, AHeldClockStaysPutUntilItIsLetGoAndLeavesAFixedOneAlone)
{
    Date held;
    {
        const Clock::Held outer;
        held = Clock::now();
        {
            const Clock::Held inner;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            EXPECT_EQ(Clock::now(), held);
        }
        EXPECT_EQ(Clock::now(), held) << "the inner hold let go of the outer one's instant";
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_GT(Clock::now().secondsSinceReferenceDate(), held.secondsSinceReferenceDate());

    const Date fixed = at("2026-06-15T08:00:00Z");
    Clock::setFixedNow(fixed);
    {
        const Clock::Held hold;
    }
    EXPECT_EQ(Clock::now(), fixed);
}

TEST_F(DateTest, TodayAndSameMonthAreDecidedInTheCurrentZone)
{
    Clock::setFixedNow(at("2026-06-15T23:30:00-04:00"));
    EXPECT_TRUE(at("2026-06-15T00:00:00-04:00").isTodaysDate());
    EXPECT_FALSE(at("2026-06-16T00:30:00-04:00").isTodaysDate());
    EXPECT_FALSE(at("2025-06-15T12:00:00-04:00").isTodaysDate());
    const Date endOfMarch = at("2026-03-31T23:30:00-04:00");
    EXPECT_TRUE(endOfMarch.isSameMonthAsDate(at("2026-03-01T00:00:00-05:00")));
    EXPECT_FALSE(endOfMarch.isSameMonthAsDate(at("2026-04-01T00:00:00-04:00")));
    EXPECT_FALSE(endOfMarch.isSameMonthAsDate(at("2025-03-15T00:00:00-04:00")));

    ZoneAndLocale zone(sydney, "en_AU");
    // Now is 16 June, 13:30 in Sydney.
    EXPECT_FALSE(at("2026-06-15T12:00:00+10:00").isTodaysDate());
    EXPECT_TRUE(at("2026-06-16T00:00:00+10:00").isTodaysDate());
    EXPECT_TRUE(endOfMarch.isSameMonthAsDate(at("2026-04-15T00:00:00+10:00")));
}
