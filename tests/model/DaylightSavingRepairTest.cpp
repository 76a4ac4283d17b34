#include "ModelFixture.h"
#include "foundation/dates/LocalCalendar.h"
#include "model/Day.h"
#include "model/Week.h"
#include "model/Year.h"

namespace {

class DaylightSavingRepairTest : public ModelFixture {
protected:
    static constexpr double hour = 3600;

    static Date local(int month, int day)
    {
        return LocalCalendar::dateFromComponents(DateComponents { .year = 2026, .month = month, .day = day });
    }

    // A week of the year numbered n with a day on each of the dates.
    QList<Day*> week(int number, const QList<Date>& dates)
    {
        auto* week = insert<Week>("Week");
        week->setValue(u"weekNumber", number);
        week->setObject(u"year", year);
        QList<Day*> days;
        for (Date date : dates) {
            auto* day = insert<Day>("Day");
            day->setDate(u"actualDate", date);
            day->setObject(u"week", week);
            days << day;
        }
        return days;
    }

    Year* year = insert<Year>("Year");
};

} // namespace

TEST_F(DaylightSavingRepairTest, DaysPushedBackAcrossMidnightReturnToTheirMidnight)
{
    // Inserted first, so that only the week numbers say which is the model.
    const QList<Day*> second
        = week(2, { local(9, 14).addingSeconds(-hour), local(9, 15).addingSeconds(-hour), local(9, 16) });
    week(1, { local(9, 7), local(9, 8), local(9, 9) });
    year->fixDaylightSavings();

    EXPECT_EQ(second.at(0)->actualDate(), local(9, 14));
    EXPECT_EQ(second.at(1)->actualDate(), local(9, 15));
    EXPECT_EQ(second.at(2)->actualDate(), local(9, 16));
}

TEST_F(DaylightSavingRepairTest, ASundayShownAsSaturdayMovesForwardNotBackSixDays)
{
    week(1, { local(9, 6), local(9, 7) });
    const QList<Day*> shifted = week(2, { local(9, 13).addingSeconds(-hour), local(9, 14) });
    year->fixDaylightSavings();
    EXPECT_EQ(shifted.at(0)->actualDate(), local(9, 13));
}

TEST_F(DaylightSavingRepairTest, AWeekWhoseFirstDayIsRightIsNotExaminedFurther)
{
    week(1, { local(9, 7), local(9, 8) });
    const QList<Day*> later = week(2, { local(9, 14), local(9, 15).addingSeconds(-hour) });
    year->fixDaylightSavings();
    EXPECT_EQ(later.at(1)->actualDate(), local(9, 15).addingSeconds(-hour));
}
