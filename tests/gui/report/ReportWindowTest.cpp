#include "content/UnitManagerController.h"
#include "foundation/richtext/RtfReader.h"
#include "gui/editing/RichTextArea.h"
#include "gui/report/ReportActions.h"
#include "gui/report/TextReportView.h"
#include "gui/report/WeeklyReportCanvas.h"
#include "gui/report/WeeklyReportView.h"
#include "gui/window/DemoWindowFixture.h"
#include "gui/window/DocumentWindow.h"
#include "gui/window/PlanningActions.h"
#include "gui/window/PlanningArea.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Document.h"
#include "model/LessonReportInformation.h"
#include "model/Week.h"
#include "model/Year.h"
#include "planning/CourseVisibility.h"
#include "planning/PlanningModeViewController.h"

#include <QAction>
#include <QBuffer>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QPdfWriter>
#include <QStackedWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

// Reports of a window on the command line's demo year, opened on Wednesday
// 8 October 2025.
class ReportWindowTest : public DemoWindowFixture {
protected:
    void SetUp() override
    {
        DemoWindowFixture::SetUp();
        window->resize(1400, 900);
        window->show();
        QCoreApplication::processEvents();
    }

    ReportActions& reports() const { return window->reportActions(); }
    Day* currentDay() const { return window->planningArea()->controller().currentDay(); }
    QWidget* shown() const { return window->modes()->currentWidget(); }
    void save(QWidget& widget, const QString& name) const
    {
        QCoreApplication::processEvents();
        ASSERT_TRUE(QDir().mkpath(QStringLiteral(SEMESTRA_SCREENSHOT_DIR)));
        EXPECT_TRUE(widget.grab().save(QStringLiteral(SEMESTRA_SCREENSHOT_DIR "/") + name));
    }
    // Runs the Print command's job into a PDF writer, as a printer would take it.
    QPageLayout::Orientation printedOrientation() const
    {
        const ReportActions::PrintJob job = reports().printJob();
        EXPECT_TRUE(job);
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        QPdfWriter writer(&pdf);
        EXPECT_TRUE(job(writer));
        return writer.pageLayout().orientation();
    }
};

TEST_F(ReportWindowTest, ReportTakesThePlanningViewsPlaceUntilTheTeacherReturns)
{
    QWidget* planning = window->planningArea();
    reports().openWeeklyReport();
    auto* weekly = qobject_cast<WeeklyReportView*>(shown());
    ASSERT_NE(weekly, nullptr);
    EXPECT_EQ(weekly->week(), currentDay()->week());
    save(*window, QStringLiteral("report-window-weekly.png"));

    reports().openDailyReport();
    EXPECT_NE(qobject_cast<TextReportView*>(shown()), nullptr);
    EXPECT_EQ(reports().currentReport(), shown());
    QPointer<ReportView> daily = reports().currentReport();
    emit daily->returnToPlanningRequested();
    EXPECT_EQ(shown(), planning);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(daily.isNull());
}

TEST_F(ReportWindowTest, WeeklyReportFollowsTheWeekPickedInPlanning)
{
    reports().openWeeklyReport();
    auto* weekly = qobject_cast<WeeklyReportView*>(shown());
    ASSERT_NE(weekly, nullptr);
    Week* next = currentDay()->week()->nextWeek();
    window->planningArea()->controller().calendarDaySelected(next->daysInOrder().first());
    EXPECT_EQ(weekly->week(), next);
    ASSERT_NE(weekly->canvas()->layout(), nullptr);
    EXPECT_EQ(weekly->canvas()->layout()->columns().size(), size_t(next->daysInOrder().size()));
}

TEST_F(ReportWindowTest, PrintingFromTheWeekViewPrintsTheWeekInLandscape)
{
    window->planningActions().modeAction(PlanningModeViewController::WeekMode)->trigger();
    EXPECT_EQ(printedOrientation(), QPageLayout::Landscape);
}

TEST_F(ReportWindowTest, PrintingFromTheDayViewPrintsOneDayAndKeepsTheStoredRange)
{
    LessonReportInformation& settings = *window->document().getCurrentYear()->reportInformation();
    const Date start = settings.startDateForDaily();
    const Date end = settings.endDateForDaily();
    const bool modified = window->document().context().hasChanges();
    window->planningActions().modeAction(PlanningModeViewController::DayMode)->trigger();
    EXPECT_EQ(printedOrientation(), QPageLayout::Portrait);
    EXPECT_EQ(settings.startDateForDaily(), start);
    EXPECT_EQ(settings.endDateForDaily(), end);
    EXPECT_EQ(window->document().context().hasChanges(), modified);
}

TEST_F(ReportWindowTest, PrintingTheEditingViewWithoutAReportPrintsNothing)
{
    window->editingModeAction()->trigger();
    QCoreApplication::processEvents();
    ASSERT_NE(shown(), window->planningArea());
    EXPECT_FALSE(reports().printJob());
}

TEST_F(ReportWindowTest, TextReportsShowTheirChoice)
{
    reports().openUnitReport();
    auto* unit = qobject_cast<TextReportView*>(shown());
    ASSERT_NE(unit, nullptr);
    EXPECT_TRUE(unit->report()->isEmpty());
    const QList<Unit*> units = window->document().getCurrentYear()->allUnits();
    ASSERT_FALSE(units.isEmpty());
    unit->chooseUnit(units.first());
    EXPECT_FALSE(unit->report()->isEmpty());
    save(*window, QStringLiteral("report-window-unit.png"));
    reports().openDailyReport();
    save(*window, QStringLiteral("report-window-daily.png"));
    reports().openStandardsReport();
    save(*window, QStringLiteral("report-window-standards.png"));
}

TEST_F(ReportWindowTest, TheUnitListFollowsUnitsAddedAndRemovedWhileTheReportShows)
{
    reports().openUnitReport();
    auto* unit = qobject_cast<TextReportView*>(shown());
    ASSERT_NE(unit, nullptr);
    auto* list = unit->findChild<QComboBox*>();
    ASSERT_NE(list, nullptr);
    const int rows = list->count();
    list->setCurrentIndex(1);
    const QString chosen = list->currentText();
    ASSERT_FALSE(unit->report()->isEmpty());

    Course* course = window->document().getCurrentYear()->myCourses().first();
    UnitManagerController units(alerts);
    units.setYear(window->document().getCurrentYear());
    units.selectCourse(course);
    Unit* added = units.addUnit();
    ASSERT_EQ(list->count(), rows + 1);
    EXPECT_EQ(list->currentText(), chosen) << "the chosen unit stays chosen";
    EXPECT_FALSE(unit->report()->isEmpty());
    units.deleteUnit(added);
    EXPECT_EQ(list->count(), rows);
    EXPECT_EQ(list->currentText(), chosen);
}

TEST_F(ReportWindowTest, AShownReportFollowsTheCoursesShown)
{
    reports().openDailyReport();
    auto* daily = qobject_cast<TextReportView*>(shown());
    ASSERT_NE(daily, nullptr);
    daily->settings().setDate(u"startDateForDaily", currentDay()->actualDate());
    daily->settings().setDate(u"endDateForDaily", currentDay()->actualDate());
    daily->reload();
    const QString course = window->document().getCurrentYear()->myCourses().first()->courseName();
    EXPECT_TRUE(daily->report()->toPlainText().contains(course));
    CourseVisibility::showCourses(*window->document().getCurrentYear(), CourseVisibility::Shown::None);
    EXPECT_FALSE(daily->report()->toPlainText().contains(course));
    CourseVisibility::showCourses(*window->document().getCurrentYear(), CourseVisibility::Shown::All);
    EXPECT_TRUE(daily->report()->toPlainText().contains(course));
}

// A header of several styled lines must come back whole when a report is
// opened again, and a change typed into it must keep the lines it has.
TEST_F(ReportWindowTest, TheHeaderKeepsItsLinesAndStylingThroughEdits)
{
    reports().openDailyReport();
    auto* header = shown()->findChild<RichTextArea*>(QStringLiteral("reportHeader"));
    ASSERT_NE(header, nullptr);
    header->setFocus();
    QTest::keyClick(header, Qt::Key_B, Qt::ControlModifier);
    QTest::keyClicks(header, QStringLiteral("Ms. Rivera"));
    QTest::keyClick(header, Qt::Key_B, Qt::ControlModifier);
    QTest::keyClick(header, Qt::Key_Return);
    QTest::keyClicks(header, QStringLiteral("Grade 8"));
    const auto* daily = qobject_cast<TextReportView*>(shown());
    EXPECT_TRUE(daily->report()->toPlainText().startsWith(QStringLiteral("Ms. Rivera\nGrade 8")));
    save(*window, QStringLiteral("report-window-header.png"));

    reports().openUnitReport();
    reports().openDailyReport();
    header = shown()->findChild<RichTextArea*>(QStringLiteral("reportHeader"));
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->toPlainText(), QStringLiteral("Ms. Rivera\nGrade 8"));
    header->moveCursor(QTextCursor::End);
    QTest::keyClicks(header, QStringLiteral(" Science"));

    QTextDocument stored;
    RtfReader::read(window->document().getCurrentYear()->reportInformation()->header(QStringLiteral("dailyHeader")), &stored);
    ASSERT_EQ(stored.blockCount(), 2);
    EXPECT_EQ(stored.firstBlock().text(), QStringLiteral("Ms. Rivera"));
    EXPECT_GE(stored.firstBlock().begin().fragment().charFormat().fontWeight(), QFont::Bold);
    EXPECT_EQ(stored.lastBlock().text(), QStringLiteral("Grade 8 Science"));

    // Emptying the header takes it out of the report.
    header->selectAll();
    QTest::keyClick(header, Qt::Key_Delete);
    EXPECT_TRUE(window->document().getCurrentYear()->reportInformation()->header(QStringLiteral("dailyHeader")).isEmpty());
}

} // namespace
