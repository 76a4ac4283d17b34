#include "schedule/YearGrid.h"

#include "ScheduleFixture.h"

namespace {

class YearGridTest : public ScheduleFixture { };

} // namespace

TEST_F(YearGridTest, ASundayStartIsTheGridStart)
{
    const YearGrid grid(local(2026, 9, 6), local(2026, 9, 14));
    EXPECT_EQ(grid.start(), local(2026, 9, 6));
    EXPECT_EQ(grid.offset(), 0);
    // Eight whole days: the Monday opens a second week.
    EXPECT_EQ(grid.numberOfWeeks(), 2);
}

TEST_F(YearGridTest, ASaturdayStartGoesBackSixDaysFromAnyTimeOfDay)
{
    const YearGrid grid(local(2026, 9, 12, 15, 30), local(2026, 9, 25));
    EXPECT_EQ(grid.start(), local(2026, 9, 6));
    EXPECT_EQ(grid.offset(), 6);
    EXPECT_EQ(grid.day(6), local(2026, 9, 12));
}

TEST_F(YearGridTest, AnEndOnSaturdayClosesItsWeekAndAnEndOnSundayOpensAnother)
{
    EXPECT_EQ(YearGrid(local(2026, 9, 6), local(2026, 9, 19)).numberOfWeeks(), 2);
    EXPECT_EQ(YearGrid(local(2026, 9, 6), local(2026, 9, 20)).numberOfWeeks(), 3);
}

TEST_F(YearGridTest, TheSpringClockChangeLosesNoWeek)
{
    // Fourteen calendar days that last an hour less than 14 * 86,400 seconds.
    const YearGrid grid(local(2026, 3, 1), local(2026, 3, 15));
    EXPECT_EQ(grid.numberOfWeeks(), 3);
    EXPECT_EQ(grid.day(14), local(2026, 3, 15));
    EXPECT_EQ(YearGrid::daysBetween(local(2026, 3, 1), local(2026, 3, 15, 23, 59)), 14);
}
