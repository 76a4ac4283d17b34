#include "content/LessonContentController.h"
#include "foundation/notify/NotificationCenter.h"
#include "foundation/pasteboard/Pasteboard.h"
#include "gui/editing/EditingModeView.h"
#include "gui/report/ReportActions.h"
#include "gui/report/ReportView.h"
#include "gui/window/DayActions.h"
#include "gui/window/DemoWindowFixture.h"
#include "gui/window/LessonActions.h"
#include "model/Course.h"
#include "model/Lesson.h"
#include "planning/PlanningNotifications.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QStackedWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A report over the planning views or over editing mode, on the demo year,
// and what the window's commands may do meanwhile. No test asks the actions
// to update themselves: opening and closing a report must do that.
class ReportStatesTest : public DemoWindowFixture {
protected:
    void SetUp() override
    {
        Pasteboard::general().clearContents();
        DemoWindowFixture::SetUp();
        window->resize(1400, 900);
        window->show();
        window->activateWindow();
        QCoreApplication::processEvents();
        window->lessonActions().copyAction()->trigger();
    }

    QWidget* shown() const { return window->modes()->currentWidget(); }
    ReportActions& reports() const { return window->reportActions(); }

    // The commands that act on the lesson or day on show.
    QList<QAction*> shownThingCommands() const
    {
        const LessonActions& lessons = window->lessonActions();
        const DayActions& days = window->dayActions();
        return { lessons.copyAction(), lessons.pasteAction(), lessons.clearAction(), lessons.useAsTemplateAction(),
            days.makeNonSchoolAction(), days.convertMenu()->menuAction(), days.addCourseAction(),
            days.removeLessonAction() };
    }

    void expectEnabled(bool enabled) const
    {
        for (const QAction* action : shownThingCommands())
            EXPECT_EQ(action->isEnabled(), enabled) << action->text().toStdString();
    }
};

TEST_F(ReportStatesTest, OpeningAndClosingAReportRefreshesEveryCommand)
{
    expectEnabled(true);
    reports().openWeeklyReport();
    expectEnabled(false);
    EXPECT_FALSE(window->editingModeAction()->isEnabled());
    EXPECT_TRUE(reports().printAction()->isEnabled());

    reports().openDailyReport();
    expectEnabled(false);
    reports().closeReport();
    EXPECT_EQ(shown(), window->planningArea());
    expectEnabled(true);
    EXPECT_TRUE(window->editingModeAction()->isEnabled());
}

// The shortcut never reaches the editing mode hidden under a report; a
// course opened from the course list takes the report's place instead.
TEST_F(ReportStatesTest, EditingModeNeverOpensUnderAReport)
{
    reports().openUnitReport();
    QWidget* report = shown();
    QTest::keyClick(window, Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(shown(), report);
    EXPECT_EQ(window->editingModeView(), nullptr);

    Course* course = planning().currentLesson()->course();
    NotificationCenter::defaultCenter().post(PlanningNotifications::courseDoubleClicked, course);
    ASSERT_NE(window->editingModeView(), nullptr);
    EXPECT_EQ(shown(), window->editingModeView());
    EXPECT_EQ(reports().currentReport(), nullptr);

    window->editingModeAction()->trigger();
    EXPECT_EQ(shown(), window->planningArea());
    expectEnabled(true);
}

TEST_F(ReportStatesTest, AReportOpenedOverEditingModeGoesBackToIt)
{
    window->editingModeAction()->trigger();
    EditingModeView* editing = window->editingModeView();
    ASSERT_NE(editing, nullptr);
    EXPECT_FALSE(reports().printAction()->isEnabled());
    EXPECT_TRUE(window->lessonActions().clearAction()->isEnabled());

    reports().openStandardsReport();
    expectEnabled(false);
    EXPECT_FALSE(window->editingModeAction()->isEnabled()) << "its return would act on the hidden editor";
    EXPECT_TRUE(reports().printAction()->isEnabled());

    emit reports().currentReport()->returnToPlanningRequested();
    EXPECT_EQ(shown(), editing);
    EXPECT_TRUE(window->lessonActions().clearAction()->isEnabled());
    EXPECT_FALSE(reports().printAction()->isEnabled());
    EXPECT_TRUE(window->editingModeAction()->isEnabled());
}

// Editing mode leaving under a report (its course was removed) leaves the
// report in front and planning mode beneath it.
TEST_F(ReportStatesTest, EditingModeEndingUnderAReportKeepsTheReportInFront)
{
    window->editingModeAction()->trigger();
    reports().openWeeklyReport();
    QWidget* report = shown();
    NotificationCenter::defaultCenter().post(
        PlanningNotifications::returnToPlanningMode, window->editingModeView()->lesson());
    EXPECT_EQ(shown(), report);
    expectEnabled(false);
    reports().closeReport();
    EXPECT_EQ(shown(), window->planningArea());
    expectEnabled(true);
}

} // namespace
