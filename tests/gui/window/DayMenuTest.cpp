#include "DemoWindowFixture.h"
#include "gui/panels/SidePanel.h"
#include "gui/window/DayActions.h"
#include "gui/window/DocumentWindow.h"
#include "gui/window/PlanningArea.h"
#include "model/Day.h"
#include "model/Document.h"
#include "model/Year.h"

#include <QAction>
#include <QMenu>
#include <QPointer>

#include <gtest/gtest.h>

namespace {

// The Day menu of a window on the demo year.
class DayMenuTest : public DemoWindowFixture {
protected:
    void SetUp() override
    {
        DemoWindowFixture::SetUp();
        actions().updateStates();
    }

    DayActions& actions() const { return window->dayActions(); }
    Day* currentDay() const { return window->planningArea()->controller().currentDay(); }
};

TEST_F(DayMenuTest, NonRotatingYearOffersItsWeekdaysAndNoRotationRestart)
{
    ASSERT_NE(currentDay(), nullptr);
    EXPECT_FALSE(actions().restartRotationAction()->isVisible());
    const QList<QAction*> items = actions().convertMenu()->actions();
    ASSERT_EQ(items.size(), 5);
    EXPECT_EQ(items.first()->text(), QStringLiteral("Monday Schedule"));
    EXPECT_EQ(items.first()->data().toInt(), 500);
    EXPECT_TRUE(actions().makeNonSchoolAction()->isEnabled());
    EXPECT_TRUE(actions().convertMenu()->isEnabled());
}

TEST_F(DayMenuTest, ConvertMenuKeepsItsItemsUntilTheYearsScheduleChanges)
{
    // A guarded pointer, since a rebuilt menu may reuse the freed addresses.
    const QPointer<QAction> first = actions().convertMenu()->actions().first();
    actions().updateStates();
    ASSERT_FALSE(first.isNull());
    EXPECT_EQ(actions().convertMenu()->actions().first(), first.data());

    Year* year = currentDay()->year();
    year->setValue(u"typeOfSchedule", Year::Rotating);
    year->setValue(u"repeatInterval", 3);
    actions().updateStates();
    const QList<QAction*> after = actions().convertMenu()->actions();
    ASSERT_EQ(after.size(), 3);
    EXPECT_EQ(after.first()->text(), QStringLiteral("A Day Schedule"));
    EXPECT_EQ(after.last()->data().toInt(), 502);
}

TEST_F(DayMenuTest, MakingTheCurrentDayNonSchoolShowsItsPanelAndDisablesTheSchoolDayCommands)
{
    Day* day = currentDay();
    alerts.answerNext(AlertOtherReturn);
    actions().makeNonSchoolAction()->trigger();

    EXPECT_TRUE(day->isCancelled());
    EXPECT_EQ(window->planningArea()->sidePanel()->state(), SidePanel::State::NonSchoolSettings);
    actions().updateStates();
    EXPECT_FALSE(actions().makeNonSchoolAction()->isEnabled());
    EXPECT_FALSE(actions().addCourseAction()->isEnabled());
    EXPECT_FALSE(actions().convertMenu()->isEnabled());
}

TEST_F(DayMenuTest, ConvertingTheCurrentDayToAnotherWeekdayMakesItCustom)
{
    Day* day = currentDay();
    actions().convertMenu()->actions().last()->trigger();
    EXPECT_TRUE(day->isCustomDay());
    EXPECT_FALSE(day->containsLessonWithData());
}

} // namespace
