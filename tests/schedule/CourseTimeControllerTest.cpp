#include "schedule/CourseTimeController.h"

#include "ScheduleFixture.h"
#include "model/Course.h"
#include "schedule/AssignTimesDateFormatter.h"
#include "store/ObjectContext.h"

namespace {

using Schedule = NewYearPlan::Schedule;

class CourseTimeControllerTest : public ScheduleFixture {
protected:
    // Two weeks from Monday 7 September 2026; Math and Art meet every day at
    // 9:00 and 10:00.
    Year& buildYear(Schedule schedule)
    {
        fillIn(local(2026, 9, 7), local(2026, 9, 18), { QStringLiteral("Math"), QStringLiteral("Art") }, schedule);
        if (wizard.continuePressed() == CreateNewSemestraController::Outcome::ShowCourseSelection) {
            for (const CourseSelectionColumn& column : wizard.courseSelection().columns()) {
                wizard.courseSelection().setTicked(0, column.identifier, true);
                wizard.courseSelection().setTicked(1, column.identifier, true);
            }
            wizard.createPressed();
        }
        for (const Day* day : days()) {
            for (Lesson* lesson : day->lessons())
                meet(*lesson, lesson->courseName() == QStringLiteral("Math") ? 9 : 10, 0, 50);
        }
        return *wizard.year();
    }

    // An A/B year in which Math meets again at 13:00 on B days.
    Year& mathTwiceOnBDays()
    {
        buildYear(Schedule::AlternatingAB);
        for (Day* day : days()) {
            if (day->typeOfDay() == 1) {
                auto* second = context->insert<Lesson>(QStringLiteral("Lesson"));
                second->setObject(u"course", course("Math"));
                second->setObject(u"dayTaught", day);
                meet(*second, 13, 0, 50);
            }
        }
        return *wizard.year();
    }

    Course* course(const char* name) const
    {
        for (Course* candidate : wizard.year()->myCourses()) {
            if (candidate->courseName() == QString::fromUtf8(name))
                return candidate;
        }
        return nullptr;
    }

    // Clock times of the course's lessons on the day, in meeting order.
    QStringList timesOn(const Day& day, const char* name) const
    {
        QStringList times;
        for (const Lesson* lesson : day.lessonsInCourse(course(name)))
            times << clockTime(lesson->startTime()) + QLatin1Char('-') + clockTime(lesson->endTime());
        return times;
    }
};

} // namespace

TEST_F(CourseTimeControllerTest, TraditionalTableHasOnePairOfColumnsAndARowPerCourse)
{
    CourseTimeController controller(buildYear(Schedule::Traditional));
    controller.createCourseTimeArray();

    EXPECT_EQ(controller.columnKeys(), (QStringList { QStringLiteral("Start Time"), QStringLiteral("End Time") }));
    ASSERT_EQ(controller.rows().size(), 2);
    EXPECT_EQ(controller.rows().at(0).courseName, QStringLiteral("Math"));
    EXPECT_EQ(controller.rows().at(1).courseName, QStringLiteral("Art"));
    EXPECT_EQ(clockTime(controller.rows().at(1).times.value(QStringLiteral("Start Time"))), QStringLiteral("10:00"));
    EXPECT_EQ(
        controller.cellText(0, QStringLiteral("End Time")), AssignTimesDateFormatter::string(local(2026, 1, 1, 9, 50)));
}

TEST_F(CourseTimeControllerTest, WeeklyColumnsFollowTheWeekdaysOfTheFirstWeek)
{
    CourseTimeController controller(buildYear(Schedule::WeeklyRepeating));
    controller.createCourseTimeArray();
    ASSERT_EQ(controller.columnKeys().size(), 10);
    EXPECT_EQ(controller.columnKeys().at(0), QStringLiteral("Monday Start"));
    EXPECT_EQ(controller.columnKeys().at(9), QStringLiteral("Friday End"));
}

TEST_F(CourseTimeControllerTest, ACourseMeetingTwiceOnBDaysGetsARowPerMeeting)
{
    CourseTimeController controller(mathTwiceOnBDays());
    controller.createCourseTimeArray();

    EXPECT_EQ(controller.columnKeys(),
        (QStringList { QStringLiteral("A Day Start"), QStringLiteral("A Day End"), QStringLiteral("B Day Start"),
            QStringLiteral("B Day End") }));
    ASSERT_EQ(controller.rows().size(), 3);
    EXPECT_EQ(controller.rows().at(0).courseName, QStringLiteral("Math - 1"));
    EXPECT_EQ(controller.rows().at(1).courseName, QStringLiteral("Math - 2"));
    EXPECT_EQ(controller.rows().at(1).courseMeetingInDay, 1);
    EXPECT_EQ(controller.cellText(1, QStringLiteral("A Day Start")), QStringLiteral("No Class"));
    EXPECT_FALSE(controller.setCellText(1, QStringLiteral("A Day Start"), QStringLiteral("8")));
    EXPECT_EQ(controller.cellText(1, QStringLiteral("A Day Start")), QStringLiteral("No Class"));
}

TEST_F(CourseTimeControllerTest, ApplyingGivesEachMeetingItsRowsTimesEvenWhenTheirOrderSwaps)
{
    CourseTimeController controller(mathTwiceOnBDays());
    controller.createCourseTimeArray();
    // The first meeting moves after the second one's old time.
    ASSERT_TRUE(controller.setCellText(0, QStringLiteral("B Day Start"), QStringLiteral("2")));
    ASSERT_TRUE(controller.setCellText(0, QStringLiteral("B Day End"), QStringLiteral("250")));
    ASSERT_TRUE(controller.setCellText(1, QStringLiteral("B Day Start"), QStringLiteral("3")));
    ASSERT_TRUE(controller.setCellText(1, QStringLiteral("B Day End"), QStringLiteral("350")));
    ASSERT_TRUE(controller.setCellText(0, QStringLiteral("A Day Start"), QStringLiteral("8:15")));
    controller.applyChangesPressed();

    for (const Day* day : days()) {
        const QStringList expected = day->typeOfDay() == 1
            ? QStringList { QStringLiteral("14:00-14:50"), QStringLiteral("15:00-15:50") }
            : QStringList { QStringLiteral("8:15-9:50") };
        EXPECT_EQ(timesOn(*day, "Math"), expected);
        EXPECT_EQ(parts(*day->lessonsInCourse(course("Math")).first()->startTime()).day, parts(day->actualDate()).day);
    }
}

TEST_F(CourseTimeControllerTest, CustomDaysKeepTheirTimes)
{
    buildYear(Schedule::Traditional);
    Day* custom = days().at(3);
    custom->setValue(u"isCustom", true);
    CourseTimeController controller(*wizard.year());
    controller.createCourseTimeArray();
    ASSERT_TRUE(controller.setCellText(1, QStringLiteral("Start Time"), QStringLiteral("1245")));
    controller.applyChangesPressed();

    EXPECT_EQ(timesOn(*custom, "Art"), QStringList { QStringLiteral("10:00-10:50") });
    EXPECT_EQ(timesOn(*days().at(4), "Art"), QStringList { QStringLiteral("12:45-10:50") });
    EXPECT_EQ(timesOn(*days().at(4), "Math"), QStringList { QStringLiteral("9:00-9:50") });
}

TEST_F(CourseTimeControllerTest, MeetingsWithoutTimesShowEmptyCellsAndKeepNoTimeUntilOneIsTyped)
{
    Year& year = buildYear(Schedule::Traditional);
    for (const Day* day : days()) {
        for (Lesson* lesson : day->lessons()) {
            lesson->setDate(u"startTime", std::nullopt);
            lesson->setDate(u"endTime", std::nullopt);
        }
    }
    CourseTimeController controller(year);
    controller.createCourseTimeArray();
    EXPECT_TRUE(controller.cellText(0, QStringLiteral("Start Time")).isEmpty());

    ASSERT_TRUE(controller.setCellText(0, QStringLiteral("Start Time"), QStringLiteral("8")));
    controller.applyChangesPressed();
    for (const Day* day : days()) {
        EXPECT_EQ(timesOn(*day, "Math"), QStringList { QStringLiteral("8:00-none") });
        EXPECT_EQ(timesOn(*day, "Art"), QStringList { QStringLiteral("none-none") });
    }
}
