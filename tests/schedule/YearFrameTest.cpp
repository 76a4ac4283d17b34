#include "CalendarFixture.h"
#include "model/Week.h"
#include "schedule/RestartRotationController.h"
#include "schedule/YearFrameCommands.h"

namespace {

class YearFrameTest : public CalendarFixture {
protected:
    QList<Day*> weekDays(int weekNumber) const { return year().getWeekWithWeekNumber(weekNumber + 1)->daysInOrder(); }

    // Three day types, A every day, B on type 0, C on type 1.
    void buildRotatingYear(Date start, Date end)
    {
        buildRotating(start, end, 3,
            { { QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2") }, { QStringLiteral("0") },
                { QStringLiteral("1") } });
    }

    static QStringList typeCourses(int type)
    {
        static const QList<QStringList> courses { { QStringLiteral("CourseA"), QStringLiteral("CourseB") },
            { QStringLiteral("CourseA"), QStringLiteral("CourseC") }, { QStringLiteral("CourseA") } };
        return courses[type];
    }
};

TEST_F(YearFrameTest, InsertingAWeekAcrossTheSpringClockChangeKeepsLocalMidnights)
{
    buildTraditional(local(2027, 3, 15), local(2027, 3, 26), 2);
    fillTitles(schoolDays());

    alerts.answerNext(AlertDefaultReturn);
    ASSERT_TRUE(YearFrameCommands::insertWeekAtBeginning(year(), alerts));

    const QList<Day*> added = weekDays(1);
    ASSERT_EQ(added.size(), 5);
    EXPECT_EQ(added.first()->actualDate(), local(2027, 3, 8));
    for (const Day* day : added) {
        EXPECT_TRUE(isLocalMidnight(day->actualDate()));
        EXPECT_EQ(courseNamesOn(*day), (QStringList { QStringLiteral("CourseA"), QStringLiteral("CourseB") }));
        EXPECT_EQ(titlesOn(*day), (QStringList { QString(), QString() }));
    }
    EXPECT_EQ(year().startDate(), local(2027, 3, 7));
    EXPECT_EQ(weekDays(2).first()->actualDate(), local(2027, 3, 15));
    EXPECT_EQ(year().weeks().size(), 3);
    expectLastAlert(QStringLiteral("Week Inserted"),
        QStringLiteral("A week has been inserted at the beginning of your year.  It now begins on Mar 7, 2027"),
        QStringLiteral("OK"));
}

TEST_F(YearFrameTest, ExtendingAcrossTheAutumnClockChangeKeepsLocalMidnightsAndTheEndAfterTheLastDay)
{
    buildTraditional(local(2026, 10, 19), local(2026, 10, 30), 1);
    const Date endBefore = year().endDate();

    alerts.answerNext(AlertDefaultReturn);
    ASSERT_TRUE(YearFrameCommands::extendYearByOneWeek(year(), alerts));

    const QList<Day*> added = weekDays(3);
    ASSERT_EQ(added.size(), 5);
    EXPECT_EQ(added.first()->actualDate(), local(2026, 11, 2));
    EXPECT_EQ(added.last()->actualDate(), local(2026, 11, 6));
    for (const Day* day : added)
        EXPECT_TRUE(isLocalMidnight(day->actualDate()));
    EXPECT_EQ(year().endDate(), LocalCalendar::addingDays(endBefore, 7));
    EXPECT_GT(year().endDate(), added.last()->actualDate());
    EXPECT_EQ(year().getDayWithDate(local(2026, 11, 6, 12)), added.last());
    expectLastAlert(QStringLiteral("Year Extended"),
        QStringLiteral("Your semestra has been extended by one week.  It now ends on Nov 6, 2026"),
        QStringLiteral("OK"));
}

TEST_F(YearFrameTest, NewWeeksOfARotatingYearContinueTheRotationBothWays)
{
    buildRotatingYear(local(2026, 10, 19), local(2026, 10, 30));
    // A holiday in the last week still yields a school day in the new one.
    dayOn(2026, 10, 30).turnIntoHoliday();
    const int firstType = schoolDays().first()->typeOfDay();
    const int lastType = schoolDays().last()->typeOfDay();

    ASSERT_TRUE(year().extendYearByOneWeek());
    ASSERT_TRUE(year().insertWeekAtBeginning());

    const QList<Day*> after = weekDays(4);
    ASSERT_EQ(after.size(), 5);
    for (int i = 0; i < 5; ++i) {
        const int type = (lastType + 1 + i) % 3;
        EXPECT_EQ(after[i]->typeOfDay(), type);
        EXPECT_EQ(courseNamesOn(*after[i]), typeCourses(type));
    }
    const QList<Day*> before = weekDays(1);
    for (int i = 0; i < 5; ++i) {
        const int type = ((firstType - 5 + i) % 3 + 3) % 3;
        EXPECT_EQ(before[i]->typeOfDay(), type);
        EXPECT_EQ(courseNamesOn(*before[i]), typeCourses(type));
    }
}

TEST_F(YearFrameTest, RestartingTheRotationRebuildsEverySchoolDayFromTheChosenDayOn)
{
    buildRotatingYear(local(2026, 10, 19), local(2026, 11, 13));
    fillTitles(schoolDays());
    Day& start = dayOn(2026, 10, 26); // a C day
    ASSERT_EQ(start.typeOfDay(), 2);
    dayOn(2026, 10, 29).turnIntoHoliday();
    dayOn(2026, 11, 2).turnIntoCancelledDay();
    dayOn(2026, 11, 4).setValue(u"isCustom", true);
    const Date lastFriday = local(2026, 10, 23);
    const QList<QStringList> untouched = pictures(year().getAllDaysBefore(lastFriday));

    RestartRotationController sheet(alerts);
    sheet.setDay(&start);
    EXPECT_EQ(
        sheet.dayTypes(), (QStringList { QStringLiteral("A Day"), QStringLiteral("B Day"), QStringLiteral("C Day") }));
    EXPECT_EQ(sheet.label(),
        QStringLiteral("Please select the type of day to which the C Day on Monday, October 26, 2026 shall be "
                       "converted.  All subsequent days will be converted to match your rotation."));
    alerts.answerNext(AlertDefaultReturn);
    ASSERT_EQ(sheet.restartPressed(), RestartRotationController::Outcome::Restarted);
    expectLastAlert(QStringLiteral("Really Adjust Your Schedule"),
        QStringLiteral("Resetting your rotation will erase any lesson data entered into lessons on or after: %1.  "
                       "This cannot be undone.")
            .arg(start.longDateString()),
        QStringLiteral("Adjust"));

    const QList<Day*> rebuilt = year().getDaysIncludingAndAfter(&start);
    for (qsizetype i = 0; i < rebuilt.size(); ++i) {
        EXPECT_EQ(rebuilt[i]->typeOfDay(), i % 3);
        EXPECT_FALSE(rebuilt[i]->isCustom());
        EXPECT_EQ(courseNamesOn(*rebuilt[i]), typeCourses(int(i % 3)));
        EXPECT_EQ(titlesOn(*rebuilt[i]), QStringList(rebuilt[i]->lessons().size(), QString()));
    }
    EXPECT_EQ(rebuilt.last(), schoolDays().last());
    EXPECT_TRUE(dayOn(2026, 10, 29).isHoliday());
    EXPECT_TRUE(dayOn(2026, 11, 2).lessons().isEmpty());
    EXPECT_EQ(pictures(year().getAllDaysBefore(lastFriday)), untouched);
}

TEST_F(YearFrameTest, RestartingIsRefusedWhenADayTypeOccursOnlyOnCustomDays)
{
    buildRotatingYear(local(2026, 10, 19), local(2026, 10, 30));
    for (Day* day : year().getAllDaysWithType(2, Year::Custom::Included))
        day->setValue(u"isCustom", true);
    fillTitles(schoolDays());
    const QList<QStringList> before = pictures(schoolDays());
    RestartRotationController sheet(alerts);
    sheet.setDay(schoolDays().first());

    alerts.answerNext(AlertDefaultReturn);
    alerts.answerNext(AlertDefaultReturn);
    EXPECT_EQ(sheet.restartPressed(), RestartRotationController::Outcome::Refused);
    expectLastAlert(QStringLiteral("Can't Restart Rotation"),
        QStringLiteral("Semestra was unable to find non-custom days matching each type of day in your rotation"),
        QStringLiteral("Ok"));
    EXPECT_EQ(pictures(schoolDays()), before);

    alerts.answerNext(AlertAlternateReturn);
    EXPECT_EQ(sheet.restartPressed(), RestartRotationController::Outcome::Cancelled);
}

} // namespace
