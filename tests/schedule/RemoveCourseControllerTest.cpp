#include "schedule/RemoveCourseController.h"

#include "ScheduleFixture.h"
#include "model/Course.h"
#include "model/Unit.h"
#include "schedule/AddCourseController.h"
#include "schedule/CourseTimeController.h"
#include "store/ObjectContext.h"

namespace {

using Schedule = NewYearPlan::Schedule;

// Three weeks from Monday 7 September 2026, Math and Art every school day.
class RemoveCourseControllerTest : public ScheduleFixture {
protected:
    Year& buildYear(Schedule schedule, const QStringList& courses = { QStringLiteral("Math"), QStringLiteral("Art") })
    {
        fillIn(local(2026, 9, 7), local(2026, 9, 25), courses, schedule);
        if (wizard.continuePressed() == CreateNewSemestraController::Outcome::ShowCourseSelection) {
            for (const CourseSelectionColumn& column : wizard.courseSelection().columns()) {
                for (int row = 0; row < courses.size(); ++row)
                    wizard.courseSelection().setTicked(row, column.identifier, true);
            }
            wizard.createPressed();
        }
        return *wizard.year();
    }

    Course* course(const QString& name) const { return wizard.year()->getCourseWithName(name); }

    // Adds Music on Mondays from the second week on, as the add-course sheet does.
    Course* musicOnLaterMondays()
    {
        AddCourseController adding(*wizard.year(), alerts);
        adding.windowDidLoad();
        for (qsizetype row = 0; row < adding.rows().size(); ++row)
            adding.setIncluded(row, adding.rows().at(row).dayOfWeekName == u"Monday");
        adding.setDateChoice(AddCourseController::DateChoice::DateRange);
        adding.setStartDate(local(2026, 9, 14));
        adding.setCourseNameText(QStringLiteral("Music"));
        EXPECT_TRUE(adding.addCoursePressed());
        return course(QStringLiteral("Music"));
    }

    static QStringList rowNames(const RemoveCourseController& sheet)
    {
        QStringList names;
        for (const RemoveCourseRow& row : sheet.rows())
            names << row.dayString;
        return names;
    }

    static void include(RemoveCourseController& sheet, const QString& name)
    {
        for (qsizetype row = 0; row < sheet.rows().size(); ++row) {
            if (sheet.rows().at(row).dayString == name)
                sheet.setIncluded(row, true);
        }
    }

    // No lesson of the year is left pointing at a course that is gone.
    void expectNoOrphanLessons() const
    {
        for (const Lesson* lesson : context->fetch<Lesson>({ QStringLiteral("Lesson"), {}, {} })) {
            ASSERT_TRUE(lesson->course());
            EXPECT_FALSE(lesson->course()->isDeleted());
        }
    }
};

} // namespace

TEST_F(RemoveCourseControllerTest, ACourseMeetingOnlyPartOfTheYearStillGetsItsRow)
{
    Year& year = buildYear(Schedule::WeeklyRepeating);
    Course* music = musicOnLaterMondays();
    RemoveCourseController sheet(year, alerts);
    sheet.popUpChanged(music);
    EXPECT_EQ(rowNames(sheet), QStringList { QStringLiteral("Monday") });
    sheet.popUpChanged(course(QStringLiteral("Art")));
    EXPECT_EQ(rowNames(sheet).size(), 5);
}

TEST_F(RemoveCourseControllerTest, RemovingFromSomeWeekdaysKeepsTheCourseElsewhere)
{
    Year& year = buildYear(Schedule::WeeklyRepeating);
    RemoveCourseController sheet(year, alerts);
    sheet.popUpChanged(course(QStringLiteral("Art")));
    include(sheet, QStringLiteral("Monday"));
    include(sheet, QStringLiteral("Friday"));
    ASSERT_EQ(sheet.checkIfOkToRemove(), RemoveCourseController::Check::Removable);
    sheet.removePressed();

    EXPECT_TRUE(alerts.shown().isEmpty());
    EXPECT_EQ(sheet.resultText(), QStringLiteral("Lessons in the course Art were deleted on Mondays, Fridays.  "));
    for (const Day* day : days()) {
        const int weekday = LocalCalendar::weekday(day->actualDate());
        EXPECT_EQ(day->hasLessonInCourse(course(QStringLiteral("Art"))), weekday != 2 && weekday != 6);
    }
    EXPECT_EQ(rowNames(sheet), (QStringList { "Tuesday", "Wednesday", "Thursday" }));
}

// A traditional year says every course meets every day; once a course
// leaves some weekdays only a weekly schedule can hold its times.
TEST_F(RemoveCourseControllerTest, RemovingFromSomeWeekdaysOfATraditionalYearMakesItWeekly)
{
    Year& year = buildYear(Schedule::Traditional);
    RemoveCourseController sheet(year, alerts);
    sheet.popUpChanged(course(QStringLiteral("Art")));
    include(sheet, QStringLiteral("Monday"));
    sheet.removePressed();

    EXPECT_EQ(year.typeOfSchedule(), Year::WeeklyRepeating);
    CourseTimeController times(year);
    times.createCourseTimeArray();
    QStringList timed;
    for (const CourseTimeRow& row : times.rows())
        timed << row.course->courseName();
    EXPECT_TRUE(timed.contains(QStringLiteral("Art")));
    EXPECT_TRUE(timed.contains(QStringLiteral("Math")));
}

TEST_F(RemoveCourseControllerTest, RemovingFromEveryDayAsksFirstThenTakesTheCourseItsUnitsAndAllItsLessons)
{
    Year& year = buildYear(Schedule::WeeklyRepeating);
    Course* music = musicOnLaterMondays();
    Unit* unit = music->addUnitWithName(QStringLiteral("Rhythm"));
    // A lesson on a custom day, and one the online service knows.
    Day* custom = year.getExactDayWithDate(local(2026, 9, 21));
    custom->setValue(u"isCustom", true);
    Lesson* synced = custom->lessonsInCourse(music).first();
    synced->setValue(u"syncID", QStringLiteral("L9"));
    music->setValue(u"syncID", QStringLiteral("C3"));
    RemoveCourseController sheet(year, alerts);
    sheet.popUpChanged(music);
    include(sheet, QStringLiteral("Monday"));

    alerts.answerNext(AlertAlternateReturn);
    sheet.removePressed();
    EXPECT_EQ(alerts.last().title, QStringLiteral("Remove Course?"));
    EXPECT_EQ(music->lessons().size(), 2);

    alerts.answerNext(AlertDefaultReturn);
    sheet.removePressed();
    EXPECT_TRUE(music->isDeleted());
    EXPECT_TRUE(unit->isDeleted());
    EXPECT_FALSE(year.getCourseWithName(QStringLiteral("Music")));
    EXPECT_TRUE(year.deleteStack().contains(QStringLiteral("L9:lesson,")));
    EXPECT_TRUE(year.deleteStack().contains(QStringLiteral("C3:course,")));
    EXPECT_EQ(sheet.resultText(),
        QStringLiteral("Lessons in the course Music were deleted on Mondays.  The course Music was also removed from "
                       "your Semestra.  Lessons in Music were removed from custom days"));
    expectNoOrphanLessons();
    EXPECT_EQ(sheet.course(), course(QStringLiteral("Math")));
}

TEST_F(RemoveCourseControllerTest, ACourseOnlyOnCustomDaysHasNoRowsAndLeavesAfterConfirming)
{
    Year& year = buildYear(Schedule::WeeklyRepeating);
    Course* music = musicOnLaterMondays();
    for (Lesson* lesson : music->lessons())
        lesson->dayTaught()->setValue(u"isCustom", true);
    RemoveCourseController sheet(year, alerts);
    sheet.popUpChanged(music);
    EXPECT_TRUE(sheet.rows().isEmpty());
    alerts.answerNext(AlertDefaultReturn);
    sheet.removePressed();
    EXPECT_TRUE(music->isDeleted());
    expectNoOrphanLessons();
}

TEST_F(RemoveCourseControllerTest, ADayWhoseEveryLessonIsTheCoursesBlocksTheRemoval)
{
    Year& year = buildYear(Schedule::WeeklyRepeating);
    // One Wednesday holds only Art, twice.
    Day* onlyArt = year.getExactDayWithDate(local(2026, 9, 16));
    onlyArt->removeLessonInCourse(course(QStringLiteral("Math")));
    onlyArt->addLessonInCourse(course(QStringLiteral("Art")));
    RemoveCourseController sheet(year, alerts);
    sheet.popUpChanged(course(QStringLiteral("Art")));
    include(sheet, QStringLiteral("Wednesday"));
    const qsizetype lessons = year.getAllLessons().size();

    EXPECT_EQ(sheet.checkIfOkToRemove(), RemoveCourseController::Check::WouldEmptyADay);
    alerts.answerNext(AlertDefaultReturn);
    sheet.removePressed();
    expectLastAlert(QStringLiteral("Cannot remove course from selected days"),
        QStringLiteral("Removing the selected course from the selected days will result in no lessons assigned to a "
                       "day.  Please ensure that all days will have lessons after deleting lessons."),
        QStringLiteral("OK"));
    EXPECT_EQ(year.getAllLessons().size(), lessons);
}

TEST_F(RemoveCourseControllerTest, ADayWhoseOnlyLessonIsAnotherCoursesDoesNotBlock)
{
    Year& year = buildYear(Schedule::WeeklyRepeating);
    // One Wednesday holds only Math: removing Art from Wednesdays leaves it as it is.
    year.getExactDayWithDate(local(2026, 9, 16))->removeLessonInCourse(course(QStringLiteral("Art")));
    RemoveCourseController sheet(year, alerts);
    sheet.popUpChanged(course(QStringLiteral("Art")));
    include(sheet, QStringLiteral("Wednesday"));
    EXPECT_EQ(sheet.checkIfOkToRemove(), RemoveCourseController::Check::Removable);
}

TEST_F(RemoveCourseControllerTest, ByDayTypeInARotationAndNothingChosen)
{
    Year& year = buildYear(Schedule::AlternatingAB);
    RemoveCourseController sheet(year, alerts);
    sheet.popUpChanged(course(QStringLiteral("Art")));
    EXPECT_EQ(rowNames(sheet), (QStringList { "A Day", "B Day" }));

    alerts.answerNext(AlertDefaultReturn);
    sheet.removePressed();
    expectLastAlert(QStringLiteral("No days selected."),
        QStringLiteral("Please select at least on day from which a course should be removed."), QStringLiteral("OK"));

    include(sheet, QStringLiteral("B Day"));
    sheet.removePressed();
    EXPECT_EQ(sheet.resultText(), QStringLiteral("Lessons in the course Art were deleted on B days.  "));
    for (const Day* day : year.getAllDaysIncludingCustom(Year::Custom::Included))
        EXPECT_EQ(day->hasLessonInCourse(course(QStringLiteral("Art"))), day->typeOfDay() == 0);
}

TEST_F(RemoveCourseControllerTest, WhenEveryDayOfARotationIsCustomTheWholeCourseGoesAfterAsking)
{
    Year& year = buildYear(Schedule::AlternatingAB);
    for (Day* day : year.getAllDaysIncludingCustom(Year::Custom::Included))
        day->setValue(u"isCustom", true);
    RemoveCourseController sheet(year, alerts);
    sheet.popUpChanged(course(QStringLiteral("Art")));
    EXPECT_EQ(sheet.checkIfOkToRemove(), RemoveCourseController::Check::AllDaysCustom);

    alerts.answerNext(AlertAlternateReturn);
    sheet.removePressed();
    expectLastAlert(QStringLiteral("All Days Are Custom"),
        QStringLiteral("You only have custom days in your schedule.  All lessons in the selected course, and the "
                       "course itself, will be removed."),
        QStringLiteral("Remove All"));
    EXPECT_TRUE(course(QStringLiteral("Art")));

    alerts.answerNext(AlertDefaultReturn);
    sheet.removePressed();
    EXPECT_FALSE(course(QStringLiteral("Art")));
    expectNoOrphanLessons();
}
