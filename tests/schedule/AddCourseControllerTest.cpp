#include "schedule/AddCourseController.h"

#include "ScheduleFixture.h"
#include "foundation/notify/NotificationCenter.h"
#include "model/Course.h"
#include "planning/PlanningNotifications.h"
#include "store/ObjectContext.h"

namespace {

using Schedule = NewYearPlan::Schedule;

// Three weeks from Monday 7 September 2026, Math and Art every school day.
class AddCourseControllerTest : public ScheduleFixture {
protected:
    Year& buildYear(Schedule schedule)
    {
        fillIn(local(2026, 9, 7), local(2026, 9, 25), { QStringLiteral("Math"), QStringLiteral("Art") }, schedule);
        if (wizard.continuePressed() == CreateNewSemestraController::Outcome::ShowCourseSelection) {
            for (const CourseSelectionColumn& column : wizard.courseSelection().columns()) {
                wizard.courseSelection().setTicked(0, column.identifier, true);
                wizard.courseSelection().setTicked(1, column.identifier, true);
            }
            wizard.createPressed();
        }
        return *wizard.year();
    }

    // The row of the day table with the given label.
    static qsizetype rowNamed(const AddCourseController& sheet, const QString& name)
    {
        for (qsizetype row = 0; row < sheet.rows().size(); ++row) {
            if (sheet.rows().at(row).dayOfWeekName == name)
                return row;
        }
        ADD_FAILURE() << "no row " << name.toStdString();
        return -1;
    }

    // Dates (M/D) of the school days holding a lesson of the named course.
    QStringList datesWith(const QString& name) const
    {
        QStringList dates;
        for (const Day* day : days()) {
            const QStringList names = courseNamesOn(*day);
            if (names.contains(name))
                dates << QStringLiteral("%1/%2").arg(parts(day->actualDate()).month).arg(parts(day->actualDate()).day);
        }
        return dates;
    }

    Day* dayOn(int month, int day) const { return wizard.year()->getExactDayWithDate(local(2026, month, day)); }
};

} // namespace

TEST_F(AddCourseControllerTest, ANewCourseOnChosenWeekdaysTurnsATraditionalYearWeekly)
{
    Year& year = buildYear(Schedule::Traditional);
    dayOn(9, 14)->setValue(u"isCustom", true);
    AddCourseController sheet(year, alerts);
    sheet.windowDidLoad();
    ASSERT_EQ(sheet.rows().size(), 5);
    EXPECT_EQ(sheet.rows().first().position, 1);
    sheet.setIncluded(rowNamed(sheet, QStringLiteral("Monday")), true);
    sheet.setIncluded(rowNamed(sheet, QStringLiteral("Wednesday")), true);
    sheet.setCourseNameText(QStringLiteral("Music"));

    ASSERT_TRUE(sheet.addCoursePressed());

    EXPECT_EQ(
        datesWith(QStringLiteral("Music")), (QStringList { "9/7", "9/9", "9/16", "9/21", "9/23" })); // 9/14 is custom
    EXPECT_EQ(year.typeOfSchedule(), Year::WeeklyRepeating);
    const Course* music = year.getCourseWithName(QStringLiteral("Music"));
    ASSERT_TRUE(music);
    EXPECT_EQ(music->courseNumber(), 2);
    EXPECT_TRUE(sheet.courseNameText().isEmpty());
    // An empty slot, one hour long, after the day's other lessons.
    const Lesson* slot = dayOn(9, 7)->lessonsInCourse(music).first();
    EXPECT_EQ(slot->lessonPosition(), 2);
    EXPECT_FALSE(slot->hasData());
    EXPECT_EQ(slot->endTime()->timeIntervalSince(*slot->startTime()), 3600);
}

// The online sync sends what changed since it last ran, and the web site
// holds the published courses: a course added later is on both.
TEST_F(AddCourseControllerTest, DaysGivenTheCourseAreStampedAndTheNewCourseIsPublished)
{
    Year& year = buildYear(Schedule::WeeklyRepeating);
    const Date later = local(2026, 8, 21, 9);
    clock.set(later);
    AddCourseController sheet(year, alerts);
    sheet.windowDidLoad();
    sheet.setIncluded(rowNamed(sheet, QStringLiteral("Tuesday")), true);
    sheet.setCourseNameText(QStringLiteral("Music"));
    ASSERT_TRUE(sheet.addCoursePressed());

    const Course* music = year.getCourseWithName(QStringLiteral("Music"));
    ASSERT_TRUE(music);
    EXPECT_EQ(music->value<int>(u"publish"), 1);
    for (const Day* day : days()) {
        const bool gotMusic = courseNamesOn(*day).contains(QStringLiteral("Music"));
        EXPECT_EQ(day->lastUpdated() == later, gotMusic) << qPrintable(day->mediumDateString());
    }
}

TEST_F(AddCourseControllerTest, ByDayTypeEveryRegularDayOfTheTypeGetsASlotAndCustomDaysAreLeftAlone)
{
    Year& year = buildYear(Schedule::AlternatingAB);
    Day* customA = year.getAllDaysWithType(0, Year::Custom::Excluded).at(2);
    customA->setValue(u"isCustom", true);
    AddCourseController sheet(year, alerts);
    sheet.windowDidLoad();
    ASSERT_EQ(sheet.rows().size(), 2);
    EXPECT_EQ(sheet.rows().at(1).dayOfWeekName, QStringLiteral("B Day"));
    sheet.setIncluded(0, true);
    sheet.setCourseNameText(QStringLiteral("Music"));
    ASSERT_TRUE(sheet.addCoursePressed());

    const Course* music = year.getCourseWithName(QStringLiteral("Music"));
    for (const Day* day : days()) {
        const bool expected = day->typeOfDay() == 0 && day != customA && !day->isNonSchoolDay();
        EXPECT_EQ(day->hasLessonInCourse(music), expected) << day->mediumDateString().toStdString();
        EXPECT_EQ(day->isCustom(), day == customA);
    }
    EXPECT_EQ(year.typeOfSchedule(), Year::Rotating);
}

TEST_F(AddCourseControllerTest, ByWeekdayInARotationTheDaysBecomeCustomDaysNamedAfterTheFirstFreeNumber)
{
    Year& year = buildYear(Schedule::AlternatingAB);
    Day* existingCustom = dayOn(9, 8);
    existingCustom->setValue(u"isCustom", true);
    existingCustom->setValue(u"holidayName", QStringLiteral("Custom Day 1"));
    AddCourseController sheet(year, alerts);
    sheet.windowDidLoad();
    ASSERT_TRUE(sheet.canChooseAddToDayOfWeek());
    sheet.setAddToDayOfWeek(true);
    ASSERT_EQ(sheet.rows().size(), 5);
    sheet.setIncluded(rowNamed(sheet, QStringLiteral("Monday")), true);
    sheet.setIncluded(rowNamed(sheet, QStringLiteral("Friday")), true);
    sheet.setCourseNameText(QStringLiteral("Music"));
    ASSERT_TRUE(sheet.addCoursePressed());

    EXPECT_EQ(datesWith(QStringLiteral("Music")), (QStringList { "9/7", "9/11", "9/14", "9/18", "9/21", "9/25" }));
    for (const Day* day : days()) {
        const int weekday = LocalCalendar::weekday(day->actualDate());
        if (weekday == 2) {
            EXPECT_EQ(day->holidayName(), QStringLiteral("Custom Day 2"));
        } else if (weekday == 6) {
            EXPECT_EQ(day->holidayName(), QStringLiteral("Custom Day 3"));
        }
        EXPECT_EQ(day->isCustom(), weekday == 2 || weekday == 6 || day == existingCustom);
    }
    EXPECT_EQ(existingCustom->holidayName(), QStringLiteral("Custom Day 1"));
}

TEST_F(AddCourseControllerTest, ADateRangeKeepsItsFirstAndLastDaysAndDropsTheRest)
{
    Year& year = buildYear(Schedule::WeeklyRepeating);
    AddCourseController sheet(year, alerts);
    sheet.windowDidLoad();
    sheet.setIncluded(rowNamed(sheet, QStringLiteral("Tuesday")), true);
    sheet.setIncluded(rowNamed(sheet, QStringLiteral("Thursday")), true);
    sheet.setDateChoice(AddCourseController::DateChoice::DateRange);
    sheet.setStartDate(local(2026, 9, 10, 15)); // a Thursday afternoon
    sheet.setEndDate(local(2026, 9, 22, 8)); // a Tuesday morning
    sheet.setCourseNameText(QStringLiteral("Music"));
    ASSERT_TRUE(sheet.addCoursePressed());

    EXPECT_EQ(datesWith(QStringLiteral("Music")), (QStringList { "9/10", "9/15", "9/17", "9/22" }));
}

TEST_F(AddCourseControllerTest, AnExistingCourseGetsFurtherDaysAndNeedsToBeChosen)
{
    Year& year = buildYear(Schedule::WeeklyRepeating);
    AddCourseController sheet(year, alerts);
    sheet.windowDidLoad();
    sheet.setTab(AddCourseController::Tab::ExistingCourse);
    EXPECT_FALSE(sheet.canAdd());
    EXPECT_FALSE(sheet.addCoursePressed());

    ASSERT_EQ(sheet.existingCourses().size(), 2);
    EXPECT_EQ(sheet.existingCourses().at(1)->courseName(), QStringLiteral("Art"));
    sheet.setExistingCourse(sheet.existingCourses().at(1));
    sheet.setIncluded(rowNamed(sheet, QStringLiteral("Friday")), true);
    ASSERT_TRUE(sheet.addCoursePressed());

    for (const Day* day : days()) {
        const qsizetype expected = LocalCalendar::weekday(day->actualDate()) == 6 ? 2 : 1;
        EXPECT_EQ(day->lessonsInCourse(year.getCourseWithName(QStringLiteral("Art"))).size(), expected);
    }
    EXPECT_EQ(year.myCourses().size(), 2);
}

TEST_F(AddCourseControllerTest, AnEmptyOrTakenNameIsRefusedWithAReasonAndTheTextIsKept)
{
    Year& year = buildYear(Schedule::WeeklyRepeating);
    QStringList posted;
    const auto observer = NotificationCenter::defaultCenter().addObserver(
        PlanningNotifications::courseAdded, [&](const Notification& n) { posted << n.name; });
    AddCourseController sheet(year, alerts);
    sheet.windowDidLoad();
    sheet.setIncluded(0, true);
    const qsizetype lessons = year.getAllLessons().size();

    alerts.answerNext(AlertDefaultReturn);
    alerts.answerNext(AlertDefaultReturn);
    sheet.setCourseNameText(QStringLiteral("  "));
    EXPECT_FALSE(sheet.addCoursePressed());
    expectLastAlert(QStringLiteral("No Course Name"), QStringLiteral("Please type a name for the new course."),
        QStringLiteral("OK"));

    sheet.setCourseNameText(QStringLiteral("Math"));
    EXPECT_FALSE(sheet.addCoursePressed());
    expectLastAlert(QStringLiteral("Course Already Exists"),
        QStringLiteral("A course named \"Math\" already exists.  Please choose another name."), QStringLiteral("OK"));
    EXPECT_EQ(sheet.courseNameText(), QStringLiteral("Math"));

    EXPECT_EQ(year.getAllLessons().size(), lessons);
    EXPECT_EQ(year.myCourses().size(), 2);
    EXPECT_TRUE(posted.isEmpty());
    NotificationCenter::defaultCenter().removeObserver(observer);
}

TEST_F(AddCourseControllerTest, CourseNumbersFollowTheHighestInUseSoTheyNeverRepeatAfterARemoval)
{
    Year& year = buildYear(Schedule::WeeklyRepeating);
    Course* third = year.createCourseWithName(QStringLiteral("Music"));
    EXPECT_EQ(third->courseNumber(), 2);
    year.removeCourse(year.getCourseWithName(QStringLiteral("Art")));
    EXPECT_EQ(year.createCourseWithName(QStringLiteral("Drama"))->courseNumber(), 3);
}
