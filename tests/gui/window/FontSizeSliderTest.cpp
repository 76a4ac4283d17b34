#include "gui/window/FontSizeSlider.h"

#include "gui/views/DayColumnsLayout.h"
#include "gui/views/WeekView.h"
#include "gui/window/DemoWindowFixture.h"
#include "gui/window/PlanningActions.h"
#include "planning/DisplayPreferences.h"

#include <QAction>
#include <QSettings>
#include <QSlider>
#include <QTest>

namespace {

class FontSizeSliderTest : public DemoWindowFixture {
protected:
    FontSizeSlider* slider() const { return window->planningActions().fontSizeSlider(); }
    QAction* useFixedSize() const
    {
        return window->planningActions().toggleAction(DisplayPreferences::useFixedFontSize);
    }
    std::optional<double> drawnSize() const
    {
        return window->planningArea()->weekView()->dayColumnsLayout()->options().text.fixedPointSize;
    }
};

TEST_F(FontSizeSliderTest, TheSliderWorksOnlyWhileTheFixedSizeIsInUse)
{
    ASSERT_NE(slider(), nullptr);
    EXPECT_FALSE(slider()->isEnabled());
    EXPECT_EQ(slider()->slider()->value(), 12) << "the shipped default";
    useFixedSize()->trigger();
    EXPECT_TRUE(slider()->isEnabled());
    useFixedSize()->trigger();
    EXPECT_FALSE(slider()->isEnabled());
}

TEST_F(FontSizeSliderTest, MovingTheSliderRedrawsLessonsAtTheSizeAndRemembersIt)
{
    useFixedSize()->trigger();
    EXPECT_EQ(drawnSize(), 12.0);
    slider()->slider()->setValue(18);
    EXPECT_EQ(drawnSize(), 18.0);
    QTest::keyClick(slider()->slider(), Qt::Key_Right);
    EXPECT_EQ(drawnSize(), 19.0);

    const QSettings stored(preferences.settingsPath(), QSettings::IniFormat);
    EXPECT_EQ(stored.value(DisplayPreferences::fixedFontSize).toDouble(), 19.0);
    DocumentWindow other(alerts, files);
    EXPECT_EQ(other.planningActions().fontSizeSlider()->slider()->value(), 19) << "a new window starts at the size";
}

TEST_F(FontSizeSliderTest, TheSliderStopsAtItsSmallestAndLargestSizes)
{
    useFixedSize()->trigger();
    slider()->slider()->setValue(FontSizeSlider::largestSize);
    QTest::keyClick(slider()->slider(), Qt::Key_Right);
    EXPECT_EQ(drawnSize(), double(FontSizeSlider::largestSize));
    QTest::keyClick(slider()->slider(), Qt::Key_Home);
    EXPECT_EQ(drawnSize(), double(FontSizeSlider::smallestSize));
}

} // namespace
