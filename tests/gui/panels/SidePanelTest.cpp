#include "gui/panels/SidePanel.h"

#include "foundation/notify/NotificationCenter.h"
#include "foundation/richtext/RichText.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/SemestraRecords.h"
#include "model/Year.h"
#include "planning/PlanningNotifications.h"
#include "testlib/FixedClock.h"
#include "testlib/LocalDate.h"
#include "testlib/SchoolYear.h"

#include <gtest/gtest.h>

namespace {

class SidePanelTest : public ::testing::Test {
protected:
    SidePanelTest()
    {
        year = buildSchoolYear(*context, { QStringLiteral("Math") });
        panel.setYear(year);
        day = year->getExactDayWithDate(local(2026, 9, 9, 12));
        lesson = day->lessonsInOrder().first();
    }

    FixedClock clock { local(2026, 9, 9, 10) };
    std::unique_ptr<ObjectContext> context = SemestraRecords::newContext();
    Year* year = nullptr;
    Day* day = nullptr;
    Lesson* lesson = nullptr;
    SidePanel panel;
};

TEST_F(SidePanelTest, TheEditorShowsTheTitleAndEveryVisibleFieldUnderItsLabel)
{
    year->setValue(QStringLiteral("lessonBodyTitle"), QStringLiteral("Plan"));
    year->setValue(QStringLiteral("homeworkTitle"), QStringLiteral("Homework"));
    year->setValue(QStringLiteral("showTeacher"), true);
    year->setValue(QStringLiteral("showHomework"), true);
    year->setValue(QStringLiteral("showPublic"), false);
    lesson->setValue(QStringLiteral("lessonTitle"), QStringLiteral("Fractions"));
    lesson->setValue(QStringLiteral("lessonBody"), RichText::fromPlainText(QStringLiteral("Halves and quarters")));

    panel.showLessonEditor(lesson);
    EXPECT_EQ(panel.heading(), lesson->stringForEditingMode());
    EXPECT_EQ(panel.bodyText(), QStringLiteral("Fractions\n\nPlan\nHalves and quarters\n\nHomework\n"));
}

TEST_F(SidePanelTest, TheEditorFollowsItsLessonsTextButNoOtherLessons)
{
    panel.showLessonEditor(lesson);
    Lesson* other = year->getExactDayWithDate(local(2026, 9, 10, 12))->lessonsInOrder().first();
    other->setValue(QStringLiteral("lessonTitle"), QStringLiteral("Decimals"));
    EXPECT_FALSE(panel.bodyText().contains(QStringLiteral("Decimals")));
    lesson->setValue(QStringLiteral("lessonTitle"), QStringLiteral("Fractions"));
    EXPECT_TRUE(panel.bodyText().startsWith(QStringLiteral("Fractions")));
}

TEST_F(SidePanelTest, DayStatesShowTheirDay)
{
    day->setValue(QStringLiteral("isHoliday"), true);
    day->setValue(QStringLiteral("holidayName"), QStringLiteral("  Founders' Day "));
    panel.showNonSchoolSettings(day);
    EXPECT_EQ(panel.state(), SidePanel::State::NonSchoolSettings);
    EXPECT_EQ(panel.heading(), day->longDateString());
    EXPECT_EQ(panel.bodyText(), QStringLiteral("Kind: Holiday\nName: Founders' Day\n"));

    panel.showNoLessonsSettings(day);
    EXPECT_EQ(panel.bodyText(), QStringLiteral("No lessons meet on this day."));

    panel.showLessonSettings(lesson);
    EXPECT_TRUE(panel.bodyText().startsWith(QStringLiteral("Course: Math\n")));
    EXPECT_TRUE(panel.bodyText().contains(QStringLiteral("Locked: No")));
}

} // namespace
