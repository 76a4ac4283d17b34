#include "cli/DemoYearFiller.h"
#include "gui/views/MonthView.h"
#include "gui/window/DocumentWindow.h"
#include "gui/window/PlanningActions.h"
#include "gui/window/PlanningArea.h"
#include "model/Document.h"
#include "model/Year.h"
#include "planning/PlanningModeViewController.h"
#include "testlib/FixedClock.h"
#include "testlib/LocalDate.h"
#include "testlib/ScriptedAlertPresenter.h"
#include "testlib/TemporaryPreferences.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QPointer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The whole planning window on the command line's demo year, as a teacher
// opening that file sees it. The pictures are written for a person to look at.
class PlanningWindowScreenshotTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString path = folder.filePath(QStringLiteral("Demo.semestra"));
        {
            DocumentWindow writer;
            ScriptedAlertPresenter alerts;
            ASSERT_NE(DemoYearFiller::buildYear(writer.document().context(), alerts, 1), nullptr);
            ASSERT_TRUE(writer.document().saveAs(path).ok());
        }
        // At the size a teacher first sees it.
        window = new DocumentWindow;
        ASSERT_TRUE(window->openFile(path));
        window->show();
    }

    void TearDown() override { delete window.data(); }

    void save(QWidget& widget, const QString& name) const
    {
        QCoreApplication::processEvents();
        ASSERT_TRUE(QDir().mkpath(QStringLiteral(SEMESTRA_SCREENSHOT_DIR)));
        EXPECT_TRUE(widget.grab().save(QStringLiteral(SEMESTRA_SCREENSHOT_DIR "/") + name));
    }

    TemporaryPreferences preferences;
    FixedClock clock { local(2025, 10, 8, 9) };
    QTemporaryDir folder;
    QPointer<DocumentWindow> window;
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
