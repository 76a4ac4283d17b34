#include "cli/DemoYearFiller.h"
#include "gui/panels/SidePanel.h"
#include "gui/window/DayActions.h"
#include "gui/window/DocumentWindow.h"
#include "gui/window/PlanningArea.h"
#include "model/Day.h"
#include "model/Document.h"
#include "model/Year.h"
#include "testlib/FixedClock.h"
#include "testlib/LocalDate.h"
#include "testlib/ScriptedAlertPresenter.h"
#include "testlib/ScriptedFileChooser.h"
#include "testlib/TemporaryPreferences.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The Day menu of a window on the command line's demo year, a traditional
// year taught Monday to Friday, opened on Wednesday 8 October 2025.
class DayMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString path = folder.filePath(QStringLiteral("Demo.semestra"));
        {
            DocumentWindow writer;
            ScriptedAlertPresenter buildAlerts;
            ASSERT_NE(DemoYearFiller::buildYear(writer.document().context(), buildAlerts, 1), nullptr);
            ASSERT_TRUE(writer.document().saveAs(path).ok());
        }
        window = new DocumentWindow(alerts, files);
        ASSERT_TRUE(window->openFile(path));
        actions().updateStates();
    }

    void TearDown() override { delete window.data(); }

    DayActions& actions() const { return window->dayActions(); }
    Day* currentDay() const { return window->planningArea()->controller().currentDay(); }

    TemporaryPreferences preferences;
    FixedClock clock { local(2025, 10, 8, 9) };
    QTemporaryDir folder;
    ScriptedAlertPresenter alerts;
    ScriptedFileChooser files;
    QPointer<DocumentWindow> window;
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
