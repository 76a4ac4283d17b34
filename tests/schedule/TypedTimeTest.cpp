#include "schedule/TypedTime.h"

#include "ScheduleFixture.h"
#include "schedule/AssignTimesDateFormatter.h"

namespace {

class TypedTimeTest : public ScheduleFixture {
protected:
    // The day the clocks go forward: times still land on its wall clock.
    const Date day = local(2026, 3, 8);

    std::optional<Date> read(const char* text) const { return TypedTime::parse(QString::fromUtf8(text), day); }
    Date at(int hour, int minute) const { return local(2026, 3, 8, hour, minute); }
};

} // namespace

TEST_F(TypedTimeTest, LoneHoursBeforeSixAreAfternoonHours)
{
    EXPECT_EQ(read("2"), at(14, 0));
    EXPECT_EQ(read("5"), at(17, 0));
    EXPECT_EQ(read("8"), at(8, 0));
    EXPECT_EQ(read("9"), at(9, 0));
    EXPECT_EQ(read("11"), at(11, 0));
}

TEST_F(TypedTimeTest, ThreeDigitsAreHourAndMinutes)
{
    EXPECT_EQ(read("130"), at(13, 30));
    EXPECT_EQ(read("930"), at(9, 30));
    EXPECT_EQ(read("9:30"), at(9, 30));
    EXPECT_EQ(read("0930"), at(9, 30));
    EXPECT_EQ(read("130a"), at(1, 30));
    EXPECT_EQ(read("930 PM"), at(21, 30));
}

TEST_F(TypedTimeTest, FourDigitsAreReadAsTyped)
{
    EXPECT_EQ(read("1245"), at(12, 45));
    EXPECT_EQ(read("10:30 pm"), at(10, 30));
}

TEST_F(TypedTimeTest, MarkersMoveHoursBeforeNoonOnly)
{
    EXPECT_EQ(read("7p"), at(19, 0));
    EXPECT_EQ(read("2pm"), at(14, 0));
    EXPECT_EQ(read("12pm"), at(12, 0));
    EXPECT_EQ(read("12am"), at(12, 0));
    EXPECT_EQ(read("4 am"), at(4, 0));
}

TEST_F(TypedTimeTest, TextThatIsNoTimeGivesNothing)
{
    for (const char* text : { "", "0", "00", "12345", "abc", "pm", "25", "99", "975", "2460" })
        EXPECT_FALSE(read(text).has_value()) << text;
}

TEST_F(TypedTimeTest, TableCellsReadTheLocaleFormTheTypedFormAndPlainTwentyFourHourForms)
{
    EXPECT_EQ(AssignTimesDateFormatter::parse(AssignTimesDateFormatter::string(local(2020, 1, 1, 21, 30))),
        local(2026, 8, 20, 21, 30));
    EXPECT_EQ(AssignTimesDateFormatter::parse(QStringLiteral("2")), local(2026, 8, 20, 14, 0));
    EXPECT_EQ(AssignTimesDateFormatter::parse(QStringLiteral("00:30")), local(2026, 8, 20, 0, 30));
    EXPECT_EQ(AssignTimesDateFormatter::parse(QStringLiteral("0030")), local(2026, 8, 20, 0, 30));
    EXPECT_FALSE(AssignTimesDateFormatter::parse(QStringLiteral("soon")).has_value());
}
