#pragma once

#include "cli/DemoYearFiller.h"
#include "gui/window/DocumentWindow.h"
#include "gui/window/PlanningArea.h"
#include "model/Document.h"
#include "testlib/FixedClock.h"
#include "testlib/LocalDate.h"
#include "testlib/ScriptedAlertPresenter.h"
#include "testlib/ScriptedFileChooser.h"
#include "testlib/TemporaryPreferences.h"

#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

// A window on the command line's demo year (a traditional year taught Monday
// to Friday), saved to a scratch file and opened on Wednesday 8 October 2025
// with the day's first lesson current. Its questions go to scripted presenters.
class DemoWindowFixture : public ::testing::Test {
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
    }

    void TearDown() override { delete window.data(); }

    PlanningModeViewController& planning() const { return window->planningArea()->controller(); }

    TemporaryPreferences preferences;
    FixedClock clock { local(2025, 10, 8, 9) };
    QTemporaryDir folder;
    ScriptedAlertPresenter alerts;
    ScriptedFileChooser files;
    QPointer<DocumentWindow> window;
};

// The demo window shown and active, so that keys and clicks reach it as a
// teacher's would.
class ActiveDemoWindowFixture : public DemoWindowFixture {
protected:
    void SetUp() override
    {
        DemoWindowFixture::SetUp();
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }
};
