#include "DemoWindowFixture.h"
#include "gui/views/MonthView.h"
#include "gui/window/DocumentWindow.h"
#include "gui/window/PlanningActions.h"
#include "gui/window/PlanningArea.h"
#include "model/Document.h"
#include "model/Year.h"
#include "planning/PlanningModeViewController.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>

#include <gtest/gtest.h>

namespace {

// The whole planning window on the command line's demo year, as a teacher
// opening that file sees it. The pictures are written for a person to look at.
class PlanningWindowScreenshotTest : public DemoWindowFixture {
protected:
    void SetUp() override
    {
        DemoWindowFixture::SetUp();
        // At the size a teacher first sees it.
        window->show();
    }

    void save(QWidget& widget, const QString& name) const
    {
        QCoreApplication::processEvents();
        ASSERT_TRUE(QDir().mkpath(QStringLiteral(SEMESTRA_SCREENSHOT_DIR)));
        EXPECT_TRUE(widget.grab().save(QStringLiteral(SEMESTRA_SCREENSHOT_DIR "/") + name));
    }
};

TEST_F(PlanningWindowScreenshotTest, WeekAndMonthOfTheDemoYear)
{
    save(*window, QStringLiteral("planning-window-week.png"));
    window->planningActions().modeAction(PlanningModeViewController::MonthMode)->trigger();
    save(*window, QStringLiteral("planning-window-month.png"));
    save(*window->planningArea()->monthView(), QStringLiteral("month-view-demo.png"));
    window->planningActions().modeAction(PlanningModeViewController::DayMode)->trigger();
    save(*window, QStringLiteral("planning-window-day.png"));
}

} // namespace
