#include "CalendarFixture.h"
#include "schedule/ExtendHolidayController.h"
#include "schedule/MakeNonSchoolDayController.h"

namespace {

using Kind = MakeNonSchoolDayController::Kind;
using ExistingLessons = MakeNonSchoolDayController::ExistingLessons;

const QString refresh = QStringLiteral("SemestraPlanningModesNeedRefresh");
const QString nonSchoolClicked = QStringLiteral("SemestraNonSchoolSettingsClicked");

class NonSchoolDayTest : public CalendarFixture {
protected:
    // Four weeks over the autumn clock change, three day types: course A
    // meets every day, B on type 0, C on types 1 and 2.
    void buildRotatingYear()
    {
        buildRotating(local(2026, 10, 19), local(2026, 11, 13), 3,
            { { QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2") }, { QStringLiteral("0") },
                { QStringLiteral("1"), QStringLiteral("2") } });
    }
};

TEST_F(NonSchoolDayTest, HolidayThenRestoreGivesEveryLaterDayBackItsLessonsTypesAndNotes)
{
    buildRotatingYear();
    QList<Day*> days = schoolDays();
    fillTitles(days);
    days[6]->setValue(u"isCustom", true);
    days[6]->setValue(u"holidayName", QStringLiteral("Assembly"));
    days = days.mid(3);
    const QList<QStringList> before = pictures(days);

    days.first()->turnIntoHoliday();
    EXPECT_TRUE(days.first()->isHoliday());
    EXPECT_EQ(days.first()->holidayName(), QStringLiteral("Holiday"));
    EXPECT_TRUE(days.first()->lessons().isEmpty());
    EXPECT_EQ(picture(*days[1]), before[0]);
    EXPECT_EQ(days[4]->holidayName(), QStringLiteral("Assembly"));

    ASSERT_TRUE(days.first()->restoreNonSchoolDay());
    const QList<QStringList> after = pictures(days);
    EXPECT_EQ(after.mid(0, after.size() - 1), before.mid(0, before.size() - 1));
    EXPECT_EQ(days[3]->holidayName(), QStringLiteral("Assembly"));
    EXPECT_EQ(days.first()->holidayName(), QString());
    // The last school day's content fell off the end; it gets empty slots of its old type.
    EXPECT_EQ(days.last()->typeOfDay(), before.last().first().toInt());
    EXPECT_EQ(courseNamesOn(*days.last()), courseNamesOn(*days[days.size() - 4]));
    EXPECT_EQ(titlesOn(*days.last()), QStringList(days.last()->lessons().size(), QString()));
}

TEST_F(NonSchoolDayTest, HolidayOnTheLastSchoolDayDeletesItsLessonsAndShiftsNothing)
{
    buildRotatingYear();
    const QList<Day*> days = schoolDays();
    fillTitles(days);
    const QStringList secondToLast = picture(*days[days.size() - 2]);

    EXPECT_EQ(days.last()->shiftLessonsBeforeCreatingHoliday(), nullptr);
    days.last()->turnIntoHoliday();

    EXPECT_TRUE(days.last()->lessons().isEmpty());
    EXPECT_EQ(picture(*days[days.size() - 2]), secondToLast);
}

TEST_F(NonSchoolDayTest, NonRotatingYearAsksAndCancelsWithBumpOrDelete)
{
    buildTraditional(local(2026, 10, 19), local(2026, 10, 30), 2);
    Day& tuesday = dayOn(2026, 10, 20);
    Day& wednesday = dayOn(2026, 10, 21);
    fillTitles({ &tuesday, &wednesday });
    const QStringList tuesdayTitles = titlesOn(tuesday);
    MakeNonSchoolDayController command(alerts);

    alerts.answerNext(AlertDefaultReturn);
    EXPECT_EQ(command.makeNonSchoolDay(tuesday), MakeNonSchoolDayController::Outcome::Done);
    expectLastAlert(QStringLiteral("Bump or Delete Lessons"),
        QStringLiteral("Would you like to bump or delete the lessons that currently exist on this day?"),
        QStringLiteral("Bump"));
    EXPECT_EQ(alerts.last().otherButton, QStringLiteral("Delete"));
    EXPECT_TRUE(tuesday.isCancelled());
    EXPECT_EQ(tuesday.holidayName(), QStringLiteral("Cancelled"));
    EXPECT_TRUE(tuesday.lessons().isEmpty());
    EXPECT_EQ(titlesOn(wednesday), tuesdayTitles);
    EXPECT_EQ(posted.mid(posted.lastIndexOf(refresh)), (QStringList { refresh, nonSchoolClicked }));

    const QStringList thursdayTitles = titlesOn(dayOn(2026, 10, 22));
    alerts.answerNext(AlertOtherReturn);
    command.makeNonSchoolDay(wednesday);
    EXPECT_TRUE(wednesday.isCancelled());
    EXPECT_EQ(titlesOn(dayOn(2026, 10, 22)), thursdayTitles);
}

TEST_F(NonSchoolDayTest, NonRotatingYearCancelsAnEmptyDayWithoutAQuestion)
{
    buildTraditional(local(2026, 10, 19), local(2026, 10, 30), 2);
    MakeNonSchoolDayController command(alerts);
    command.makeNonSchoolDay(dayOn(2026, 10, 20));
    EXPECT_TRUE(alerts.shown().isEmpty());
    EXPECT_TRUE(dayOn(2026, 10, 20).isCancelled());
}

TEST_F(NonSchoolDayTest, RotatingSheetChangesNothingAndTellsNoOneUntilConfirmed)
{
    buildRotatingYear();
    Day& day = dayOn(2026, 10, 21);
    MakeNonSchoolDayController sheet(alerts);

    ASSERT_EQ(sheet.makeNonSchoolDay(day), MakeNonSchoolDayController::Outcome::ShowSheet);
    EXPECT_EQ(sheet.kind(), Kind::Holiday);
    EXPECT_FALSE(sheet.isLessonChoiceShown());
    sheet.cancelPressed();
    EXPECT_FALSE(day.isNonSchoolDay());
    EXPECT_FALSE(posted.contains(nonSchoolClicked));

    sheet.makeNonSchoolDay(day);
    sheet.setKind(Kind::Cancelled);
    EXPECT_TRUE(sheet.isLessonChoiceShown());
    sheet.setExistingLessons(ExistingLessons::Delete);
    sheet.confirmPressed();
    EXPECT_TRUE(day.isCancelled());
    EXPECT_TRUE(alerts.shown().isEmpty());
    EXPECT_EQ(posted.mid(posted.size() - 2), (QStringList { refresh, nonSchoolClicked }));
    EXPECT_EQ(sheet.kind(), Kind::Holiday);
}

TEST_F(NonSchoolDayTest, ExtendingSkipsDaysThatAreAlreadyNonSchoolAndNamesTheRest)
{
    buildRotatingYear();
    Day& monday = dayOn(2026, 10, 26);
    Day& tuesday = dayOn(2026, 10, 27);
    Day& wednesday = dayOn(2026, 10, 28);
    MakeNonSchoolDayController::apply(tuesday, Kind::Holiday, ExistingLessons::Bump);
    tuesday.setValue(u"holidayName", QStringLiteral("Field Trip"));
    MakeNonSchoolDayController::apply(monday, Kind::Cancelled, ExistingLessons::Delete);
    monday.setValue(u"holidayName", QStringLiteral("Snow"));
    ExtendHolidayController sheet(alerts);
    sheet.setDay(&monday);
    sheet.setChosenDate(wednesday.actualDate());

    alerts.answerNext(AlertOtherReturn);
    sheet.extendPressed();

    expectLastAlert(QStringLiteral("Delete or Bump current lessons?"),
        QStringLiteral(
            "Would you like to delete or bump the lessons that currently exist on the non-school days you are making?"),
        QStringLiteral("Bump"));
    EXPECT_TRUE(tuesday.isHoliday());
    EXPECT_EQ(tuesday.holidayName(), QStringLiteral("Field Trip"));
    EXPECT_TRUE(wednesday.isCancelled());
    EXPECT_EQ(wednesday.holidayName(), QStringLiteral("Snow"));
    EXPECT_FALSE(dayOn(2026, 10, 29).isNonSchoolDay());
}

TEST_F(NonSchoolDayTest, ExtendingAHolidayOfARotatingYearSlidesTheRotationWithoutAQuestion)
{
    buildRotatingYear();
    Day& monday = dayOn(2026, 10, 26);
    const QStringList mondayPicture = picture(monday);
    MakeNonSchoolDayController::apply(monday, Kind::Holiday, ExistingLessons::Bump);
    ExtendHolidayController sheet(alerts);
    sheet.setDay(&monday);
    sheet.setChosenDate(dayOn(2026, 10, 27).actualDate());
    sheet.extendPressed();

    EXPECT_TRUE(alerts.shown().isEmpty());
    EXPECT_TRUE(dayOn(2026, 10, 27).isHoliday());
    EXPECT_EQ(picture(dayOn(2026, 10, 28)), mondayPicture);
}

TEST_F(NonSchoolDayTest, ExtendSheetProposesTheNextCalendarDayAcrossTheAutumnClockChange)
{
    wizard.setTeachingDay(0, true);
    buildTraditional(local(2026, 10, 19), local(2026, 11, 13), 1);
    Day& sunday = dayOn(2026, 11, 1);
    MakeNonSchoolDayController::apply(sunday, Kind::Cancelled, ExistingLessons::Delete);
    ExtendHolidayController sheet(alerts);
    sheet.setDay(&sunday);
    EXPECT_EQ(sheet.chosenDate(), local(2026, 11, 2));
    EXPECT_EQ(sheet.earliestDate(), sunday.actualDate());
    EXPECT_TRUE(sheet.label().startsWith(
        QStringLiteral("You have selected to extend the non-school day that you entered on %1.")
            .arg(sunday.mediumDateString())));

    // Extending to its own date changes nothing but still asks.
    sheet.setChosenDate(sunday.actualDate());
    alerts.answerNext(AlertDefaultReturn);
    sheet.extendPressed();
    EXPECT_EQ(alerts.shown().size(), 1);
    EXPECT_FALSE(dayOn(2026, 11, 2).isNonSchoolDay());

    sheet.setChosenDate(local(2026, 11, 2));
    alerts.answerNext(AlertDefaultReturn);
    sheet.extendPressed();
    EXPECT_TRUE(dayOn(2026, 11, 2).isCancelled());
    EXPECT_FALSE(dayOn(2026, 11, 3).isNonSchoolDay());
}

TEST_F(NonSchoolDayTest, RestoringACancelledDayGivesEmptySlotsOfItsTypeAndDropsItsName)
{
    buildRotatingYear();
    Day& day = dayOn(2026, 10, 21);
    const int type = day.typeOfDay();
    fillTitles({ &day });
    const QStringList courses = courseNamesOn(day);
    MakeNonSchoolDayController::apply(day, Kind::Cancelled, ExistingLessons::Delete);

    ASSERT_TRUE(day.restoreNonSchoolDay());
    EXPECT_FALSE(day.isNonSchoolDay());
    EXPECT_EQ(day.holidayName(), QString());
    EXPECT_EQ(day.typeOfDay(), type);
    EXPECT_EQ(courseNamesOn(day), courses);
    EXPECT_EQ(titlesOn(day), QStringList(courses.size(), QString()));
    for (const Lesson* lesson : day.lessons())
        EXPECT_TRUE(!lesson->startTime() || lesson->startTime()->midnightDate() == day.actualDate());
}

// Seven school days, seven day types: no type occurs twice.
TEST_F(NonSchoolDayTest, TemplatesComeFromOtherDaysWhenNoOtherDayOfTheTypeExists)
{
    buildRotating(local(2026, 10, 19), local(2026, 10, 27), 7,
        { { QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"),
              QStringLiteral("5"), QStringLiteral("6") },
            { QStringLiteral("2") } });
    Day& wednesday = dayOn(2026, 10, 21);
    MakeNonSchoolDayController::apply(wednesday, Kind::Cancelled, ExistingLessons::Delete);
    ASSERT_TRUE(wednesday.restoreNonSchoolDay());
    EXPECT_EQ(wednesday.typeOfDay(), 2);
    EXPECT_FALSE(wednesday.lessons().isEmpty());

    Day& friday = dayOn(2026, 10, 23);
    Day& lastTuesday = dayOn(2026, 10, 27);
    friday.turnIntoHoliday();
    EXPECT_EQ(lastTuesday.typeOfDay(), 5);
    ASSERT_TRUE(friday.restoreNonSchoolDay());
    EXPECT_EQ(friday.typeOfDay(), 4);
    EXPECT_EQ(lastTuesday.typeOfDay(), 6);
    // No day of type 6 is left: the bells of the other Tuesday.
    EXPECT_EQ(courseNamesOn(lastTuesday), courseNamesOn(dayOn(2026, 10, 20)));
}

TEST_F(NonSchoolDayTest, RestoringWithNoOtherSchoolDayChangesNothing)
{
    wizard.setStartDate(local(2026, 10, 19));
    wizard.setEndDate(local(2026, 10, 27));
    for (int weekday = 2; weekday <= 5; ++weekday)
        wizard.setTeachingDay(weekday, false);
    wizard.addCourse(QStringLiteral("Math"));
    ASSERT_EQ(wizard.continuePressed(), CreateNewSemestraController::Outcome::YearBuilt);
    dayOn(2026, 10, 26).turnIntoCancelledDay();
    Day& monday = dayOn(2026, 10, 19);
    monday.turnIntoCancelledDay();

    EXPECT_FALSE(monday.restoreNonSchoolDay());
    EXPECT_TRUE(monday.isCancelled());
    EXPECT_EQ(monday.holidayName(), QStringLiteral("Cancelled"));
}

// Exchange files bring holidays into years that do not rotate. There is no
// rotation to slide back: the day simply gets the meetings of its weekday.
TEST_F(NonSchoolDayTest, AHolidayOfAWeeklyYearIsRestoredAsACancelledDayIs)
{
    buildWeekly(local(2026, 10, 19), local(2026, 10, 30),
        { { "Monday", "Tuesday", "Wednesday", "Thursday", "Friday" }, { "Tuesday", "Thursday" } });
    fillTitles(schoolDays());
    Day& tuesday = dayOn(2026, 10, 20);
    tuesday.removeAllLessons();
    tuesday.setValue(u"isHoliday", true);
    tuesday.setValue(u"holidayName", QStringLiteral("Holiday"));
    const QList<Day*> later = schoolDays().mid(1);
    const QList<QStringList> before = pictures(later);

    ASSERT_TRUE(tuesday.restoreNonSchoolDay());
    EXPECT_FALSE(tuesday.isNonSchoolDay());
    EXPECT_EQ(courseNamesOn(tuesday), courseNamesOn(dayOn(2026, 10, 27)));
    EXPECT_EQ(titlesOn(tuesday), QStringList(2, QString()));
    EXPECT_EQ(pictures(later), before);
}

TEST_F(NonSchoolDayTest, ExtendingAHolidayOfAWeeklyYearCancelsTheDaysAndBumpsOnce)
{
    buildWeekly(local(2026, 10, 19), local(2026, 10, 30),
        { { "Monday", "Tuesday", "Wednesday", "Thursday", "Friday" }, { "Tuesday", "Thursday" } });
    fillTitles(schoolDays());
    Day& monday = dayOn(2026, 10, 19);
    Day& tuesday = dayOn(2026, 10, 20);
    const QString tuesdayA = tuesday.lessonInCourse(course(0), 0)->lessonTitle();
    const QString tuesdayB = tuesday.lessonInCourse(course(1), 0)->lessonTitle();
    monday.removeAllLessons();
    monday.setValue(u"isHoliday", true);
    monday.setValue(u"holidayName", QStringLiteral("Fall Break"));
    ExtendHolidayController sheet(alerts);
    sheet.setDay(&monday);
    sheet.setChosenDate(tuesday.actualDate());
    alerts.answerNext(AlertDefaultReturn);
    sheet.extendPressed();

    EXPECT_TRUE(tuesday.isCancelled());
    EXPECT_FALSE(tuesday.isHoliday());
    EXPECT_EQ(tuesday.holidayName(), QStringLiteral("Fall Break"));
    Day& wednesday = dayOn(2026, 10, 21);
    EXPECT_EQ(wednesday.lessonInCourse(course(0), 0)->lessonTitle(), tuesdayA);
    EXPECT_EQ(courseNamesOn(wednesday), QStringList { QStringLiteral("CourseA") });
    EXPECT_EQ(dayOn(2026, 10, 22).lessonInCourse(course(1), 0)->lessonTitle(), tuesdayB);
}

// A restore that cannot finish tells so and has changed nothing.
TEST_F(NonSchoolDayTest, AHolidayRestoreThatCannotFinishLeavesTheDayAsItWas)
{
    buildRotatingYear();
    const QList<Day*> days = schoolDays();
    for (Day* day : days.mid(1))
        day->turnIntoCancelledDay();
    Day& first = *days.first();
    first.turnIntoHoliday();
    first.setValue(u"holidayName", QStringLiteral("Founders Day"));

    EXPECT_FALSE(first.restoreNonSchoolDay());
    EXPECT_TRUE(first.isHoliday());
    EXPECT_EQ(first.holidayName(), QStringLiteral("Founders Day"));
    EXPECT_TRUE(first.lessons().isEmpty());
}

TEST_F(NonSchoolDayTest, NewSlotLateInTheEveningEndsBeforeMidnight)
{
    buildTraditional(local(2026, 10, 19), local(2026, 10, 30), 1);
    Day& day = dayOn(2026, 10, 21);
    clock.set(local(2026, 8, 20, 23, 30));
    const Lesson* late = day.addLessonInCourse(course(0));
    EXPECT_EQ(clockTime(late->startTime()), QStringLiteral("23:30"));
    EXPECT_EQ(*late->endTime(), day.actualDate().elevenFiftyNineDate());
    EXPECT_EQ(late->lessonPosition(), 1);

    clock.set(local(2026, 8, 20, 9, 15));
    const Lesson* morning = day.addLessonInCourse(course(0));
    EXPECT_EQ(clockTime(morning->endTime()), QStringLiteral("10:15"));
    EXPECT_EQ(morning->endTime()->midnightDate(), day.actualDate());
}

TEST_F(NonSchoolDayTest, TitleOfANonSchoolDay)
{
    buildTraditional(local(2026, 10, 19), local(2026, 10, 30), 1);
    Day& day = dayOn(2026, 10, 21);
    day.turnIntoCancelledDay();
    EXPECT_EQ(day.holidayStripped(), QStringLiteral("Cancelled"));
    day.setValue(u"holidayName", QStringLiteral("The \"Big\" Game"));
    EXPECT_EQ(day.holidayTitle(), QStringLiteral("The \"Big\" Game"));
    EXPECT_EQ(day.holidayStripped(), QStringLiteral("The \\\"Big\\\" Game"));
    day.setValue(u"holidayName", QString());
    EXPECT_EQ(day.holidayTitle(), QStringLiteral("Cancelled"));
    EXPECT_EQ(year().nonSchoolDays(), QList<Day*> { &day });
}

} // namespace
