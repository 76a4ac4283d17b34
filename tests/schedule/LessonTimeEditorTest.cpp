#include "schedule/LessonTimeEditor.h"

#include "ScheduleFixture.h"
#include "foundation/dates/DateFormatting.h"

namespace {

using Schedule = NewYearPlan::Schedule;

class LessonTimeEditorTest : public ScheduleFixture {
protected:
    // Two weeks from Monday 7 September 2026; Math meets every day at 9:00.
    void buildYear(Schedule schedule)
    {
        fillIn(local(2026, 9, 7), local(2026, 9, 18), { QStringLiteral("Math") }, schedule);
        if (wizard.continuePressed() == CreateNewSemestraController::Outcome::ShowCourseSelection) {
            for (const CourseSelectionColumn& column : wizard.courseSelection().columns())
                wizard.courseSelection().setTicked(0, column.identifier, true);
            wizard.createPressed();
        }
        for (const Day* day : days())
            meet(*day->lessons().first(), 9, 0, 50);
    }

    Lesson& lessonOn(int dayIndex) const { return *days().at(dayIndex)->lessons().first(); }

    // Start times of every day's lesson, in date order.
    QStringList startTimes() const
    {
        QStringList times;
        for (const Day* day : days())
            times << clockTime(day->lessons().first()->startTime());
        return times;
    }

    LessonTimeEditor editor { alerts };
};

const QString nine = QStringLiteral("9:00");
const QString ten = QStringLiteral("10:00");

} // namespace

TEST_F(LessonTimeEditorTest, OnlyThisLessonChangesOneLessonAndMakesItsDayCustom)
{
    buildYear(Schedule::WeeklyRepeating);
    alerts.answerNext(AlertDefaultReturn);
    const QString shown = editor.changeStartTime(lessonOn(5), QStringLiteral("10"));

    EXPECT_EQ(alerts.last().title, QStringLiteral("Adjust This Lesson Only?"));
    EXPECT_EQ(alerts.last().message,
        QStringLiteral("Would you like to adjust all Math lessons on Mondays, or just this particular lesson"));
    EXPECT_EQ(alerts.last().defaultButton, QStringLiteral("Only This Lesson"));
    EXPECT_EQ(alerts.last().alternateButton, QStringLiteral("All Matching Lessons"));
    EXPECT_EQ(startTimes(), (QStringList { nine, nine, nine, nine, nine, ten, nine, nine, nine, nine }));
    EXPECT_TRUE(days().at(5)->isCustom());
    EXPECT_EQ(shown, DateFormatting::formatShortTime(*lessonOn(5).startTime()));
}

TEST_F(LessonTimeEditorTest, AllMatchingLessonsChangesEveryRegularDayOfTheSameWeekday)
{
    buildYear(Schedule::WeeklyRepeating);
    days().at(5)->setValue(u"isCustom", true);
    alerts.answerNext(AlertAlternateReturn);
    editor.changeEndTime(lessonOn(0), QStringLiteral("1015"));

    EXPECT_EQ(clockTime(lessonOn(0).endTime()), QStringLiteral("10:15"));
    EXPECT_EQ(clockTime(lessonOn(5).endTime()), QStringLiteral("9:50"));
    EXPECT_EQ(clockTime(lessonOn(1).endTime()), QStringLiteral("9:50"));
    EXPECT_FALSE(days().at(0)->isCustom());
}

TEST_F(LessonTimeEditorTest, RotatingYearsAskAboutTheDayTypeAndChangeThoseDays)
{
    buildYear(Schedule::AlternatingAB);
    alerts.answerNext(AlertAlternateReturn);
    editor.changeStartTime(lessonOn(1), QStringLiteral("10"));

    EXPECT_EQ(alerts.last().message,
        QStringLiteral("Would you like to adjust all Math lessons on B Day days, or just this particular lesson"));
    EXPECT_EQ(startTimes(), (QStringList { nine, ten, nine, ten, nine, ten, nine, ten, nine, ten }));
}

TEST_F(LessonTimeEditorTest, TraditionalYearsOfferEveryRegularDay)
{
    buildYear(Schedule::Traditional);
    alerts.answerNext(AlertAlternateReturn);
    editor.changeStartTime(lessonOn(2), QStringLiteral("10"));

    EXPECT_EQ(alerts.last().message,
        QStringLiteral("Would you like to adjust all Math lessons, or just this particular lesson"));
    EXPECT_EQ(startTimes(), QStringList(10, ten));
}

TEST_F(LessonTimeEditorTest, ACustomDayChangesWithoutAsking)
{
    buildYear(Schedule::WeeklyRepeating);
    days().at(3)->setValue(u"isCustom", true);
    editor.changeStartTime(lessonOn(3), QStringLiteral("10"));
    EXPECT_TRUE(alerts.shown().isEmpty());
    EXPECT_EQ(startTimes(), (QStringList { nine, nine, nine, ten, nine, nine, nine, nine, nine, nine }));
}

TEST_F(LessonTimeEditorTest, UnreadableTextOrTheSameTimeChangesNothing)
{
    buildYear(Schedule::WeeklyRepeating);
    const QString shown = editor.changeStartTime(lessonOn(0), QStringLiteral("later"));
    editor.changeStartTime(lessonOn(0), QStringLiteral("9"));
    EXPECT_TRUE(alerts.shown().isEmpty());
    EXPECT_EQ(startTimes(), QStringList(10, nine));
    EXPECT_EQ(shown, DateFormatting::formatShortTime(*lessonOn(0).startTime()));
}

TEST_F(LessonTimeEditorTest, ALessonWithoutATimeTakesTheTypedOneOnItsOwnDay)
{
    buildYear(Schedule::WeeklyRepeating);
    days().at(5)->setValue(u"isCustom", true);
    lessonOn(5).setDate(u"startTime", std::nullopt);
    const QString shown = editor.changeStartTime(lessonOn(5), QStringLiteral("10"));

    ASSERT_TRUE(lessonOn(5).startTime());
    EXPECT_EQ(clockTime(lessonOn(5).startTime()), ten);
    EXPECT_EQ(parts(*lessonOn(5).startTime()).day, parts(days().at(5)->actualDate()).day);
    EXPECT_EQ(shown, DateFormatting::formatShortTime(*lessonOn(5).startTime()));
    EXPECT_TRUE(alerts.shown().isEmpty());
}
