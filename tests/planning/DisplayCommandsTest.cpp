#include "PlanningFixture.h"
#include "foundation/prefs/Preferences.h"
#include "planning/CourseVisibility.h"
#include "planning/DisplayPreferences.h"
#include "planning/PlanningNotifications.h"

namespace {

class DisplayCommandsTest : public PlanningFixture { };

TEST_F(DisplayCommandsTest, TogglesFlipTheirPreferenceAndRedrawEveryView)
{
    logNotifications({ PlanningNotifications::planningModesNeedRefresh });
    for (const QString& key : DisplayPreferences::toggles()) {
        const bool before = Preferences::shared().boolValue(key);
        DisplayPreferences::toggle(key);
        EXPECT_NE(Preferences::shared().boolValue(key), before) << key.toStdString();
    }
    EXPECT_EQ(posted.size(), DisplayPreferences::toggles().size());
}

TEST_F(DisplayCommandsTest, MonthViewTextIsSetRatherThanToggled)
{
    DisplayPreferences::setFlag(DisplayPreferences::showCourseNamesInMonthView, false);
    DisplayPreferences::setFlag(DisplayPreferences::showCourseNamesInMonthView, false);
    EXPECT_FALSE(Preferences::shared().boolValue(DisplayPreferences::showCourseNamesInMonthView));
}

TEST_F(DisplayCommandsTest, HidingAndShowingAllCoursesChangesWhatDaysDraw)
{
    Day* day = dayOn(2026, 11, 3);
    logNotifications({ PlanningNotifications::coursesToDrawChanged });

    CourseVisibility::showCourses(*year, CourseVisibility::Shown::None);
    EXPECT_TRUE(day->lessonsToDrawInOrder().isEmpty());
    EXPECT_EQ(day->lessonsInOrder().size(), 2);

    CourseVisibility::showCourses(*year, CourseVisibility::Shown::All);
    EXPECT_EQ(day->lessonsToDrawInOrder().size(), 2);
    EXPECT_EQ(posted.size(), 2);
}

} // namespace
