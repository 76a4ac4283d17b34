#include "cli/DemoYearFiller.h"
#include "gui/navigation/CourseSourceList.h"
#include "gui/navigation/CourseSourceListModel.h"
#include "gui/schedule/AddCourseSheet.h"
#include "gui/schedule/CourseColorSheet.h"
#include "gui/schedule/CourseTimesSheet.h"
#include "gui/schedule/MigrateYearSheet.h"
#include "gui/schedule/RemoveCourseSheet.h"
#include "gui/window/CourseActions.h"
#include "gui/window/DocumentWindow.h"
#include "gui/window/PlanningActions.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Document.h"
#include "model/Lesson.h"
#include "model/Year.h"
#include "planning/DisplayPreferences.h"
#include "planning/PlanningModeViewController.h"
#include "testlib/FixedClock.h"
#include "testlib/LocalDate.h"
#include "testlib/ScriptedAlertPresenter.h"
#include "testlib/ScriptedFileChooser.h"
#include "testlib/TemporaryPreferences.h"

#include <QAction>
#include <QCoreApplication>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The planning window on the command line's demo year, with the Courses
// menu's sheets opened from their commands.
class CourseSheetsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString path = folder.filePath(QStringLiteral("Demo.semestra"));
        {
            DocumentWindow writer(alerts, files);
            ASSERT_NE(DemoYearFiller::buildYear(writer.document().context(), alerts, 1), nullptr);
            ASSERT_TRUE(writer.document().saveAs(path).ok());
        }
        window = new DocumentWindow(alerts, files);
        ASSERT_TRUE(window->openFile(path));
        window->show();
    }

    void TearDown() override { delete window.data(); }

    Year& year() const { return *window->document().getCurrentYear(); }
    CourseActions& actions() const { return window->courseActions(); }

    template <typename Sheet> Sheet* open(QAction* action) const
    {
        actions().updateStates();
        EXPECT_TRUE(action->isEnabled());
        action->trigger();
        auto* sheet = qobject_cast<Sheet*>(actions().openSheet());
        EXPECT_TRUE(sheet);
        return sheet;
    }

    void save(QWidget& widget, const QString& name) const
    {
        QCoreApplication::processEvents();
        ASSERT_TRUE(QDir().mkpath(QStringLiteral(SEMESTRA_SCREENSHOT_DIR)));
        EXPECT_TRUE(widget.grab().save(QStringLiteral(SEMESTRA_SCREENSHOT_DIR "/") + name));
    }

    int coursesInList() const
    {
        CourseSourceListModel* model = window->courseList()->sourceListModel();
        return model->rowCount(model->groupIndex());
    }

    TemporaryPreferences preferences;
    FixedClock clock { local(2025, 10, 8, 9) };
    QTemporaryDir folder;
    ScriptedAlertPresenter alerts;
    ScriptedFileChooser files;
    QPointer<DocumentWindow> window;
};

} // namespace

TEST_F(CourseSheetsTest, CommandsWaitForAYearAndForOneSheetAtATime)
{
    DocumentWindow empty(alerts, files);
    empty.courseActions().updateStates();
    for (QAction* action : { empty.courseActions().addCourseAction(), empty.courseActions().removeCourseAction(),
             empty.courseActions().courseColorsAction(), empty.courseActions().assignTimesAction(),
             empty.courseActions().migrateAction() })
        EXPECT_FALSE(action->isEnabled()) << action->text().toStdString();

    open<AddCourseSheet>(actions().addCourseAction());
    EXPECT_FALSE(actions().removeCourseAction()->isEnabled());
    actions().openSheet()->reject();
    EXPECT_TRUE(actions().removeCourseAction()->isEnabled());
}

TEST_F(CourseSheetsTest, AddingACourseFromTheSheetReloadsTheCourseList)
{
    const int before = coursesInList();
    auto* sheet = open<AddCourseSheet>(actions().addCourseAction());
    ASSERT_TRUE(sheet);
    sheet->nameField()->setText(QStringLiteral("Music"));
    sheet->dayList()->item(1)->setCheckState(Qt::Checked);
    save(*sheet, QStringLiteral("add-course-sheet.png"));
    sheet->addButton()->click();
    EXPECT_TRUE(year().getCourseWithName(QStringLiteral("Music")));
    EXPECT_TRUE(sheet->nameField()->text().isEmpty());
    EXPECT_EQ(coursesInList(), before + 1);

    sheet->tabs()->setCurrentIndex(1);
    EXPECT_FALSE(sheet->addButton()->isEnabled());
    sheet->courseList()->setCurrentRow(0);
    EXPECT_TRUE(sheet->addButton()->isEnabled());
}

TEST_F(CourseSheetsTest, RemovingACourseFromSomeDaysShowsWhatWasDone)
{
    auto* sheet = open<RemoveCourseSheet>(actions().removeCourseAction());
    ASSERT_TRUE(sheet);
    Course* course = sheet->controller().course();
    ASSERT_GE(sheet->dayList()->count(), 2);
    sheet->dayList()->item(0)->setCheckState(Qt::Checked);
    save(*sheet, QStringLiteral("remove-course-sheet.png"));
    sheet->removePressed();
    EXPECT_TRUE(sheet->resultLabel()->text().startsWith(
        QStringLiteral("Lessons in the course %1 were deleted on ").arg(course->courseName())));
    EXPECT_FALSE(course->isDeleted());
    EXPECT_TRUE(alerts.shown().isEmpty());
}

TEST_F(CourseSheetsTest, ChoosingAColourSetsTheCourseColour)
{
    auto* sheet = open<CourseColorSheet>(actions().courseColorsAction());
    ASSERT_TRUE(sheet);
    ASSERT_EQ(sheet->colorButtons().size(), year().myCourses().size());
    sheet->chooseColor(0, QColor(200, 30, 60));
    EXPECT_EQ(year().allCoursesInAlphabeticalOrder().first()->color(), QColor(200, 30, 60));
    save(*sheet, QStringLiteral("course-colors-sheet.png"));
}

TEST_F(CourseSheetsTest, TypedTimesAreAppliedToEveryRegularDayAndTheWeekShowsThem)
{
    auto* sheet = open<CourseTimesSheet>(actions().assignTimesAction());
    ASSERT_TRUE(sheet);
    QTableWidget* table = sheet->table();
    ASSERT_GT(table->rowCount(), 0);
    // The last course keeps no times, to be seen apart from the timed ones.
    for (int row = 0; row < table->rowCount() - 1; ++row) {
        for (int column = 0; column < table->columnCount(); column += 2) {
            QTableWidgetItem* start = table->item(row, column);
            if (!(start->flags() & Qt::ItemIsEditable))
                continue;
            start->setText(QString::number(800 + row * 100));
            table->item(row, column + 1)->setText(QString::number(845 + row * 100));
        }
    }
    EXPECT_NE(table->item(0, 0)->text(), QStringLiteral("800"));
    save(*sheet, QStringLiteral("course-times-sheet.png"));
    // The sheet goes away once applied.
    const Course* first = sheet->controller().rows().first().course;
    sheet->applyChangesPressed();
    QCoreApplication::processEvents();

    for (const Lesson* lesson : first->lessons())
        EXPECT_TRUE(lesson->dayTaught()->isCustom() || lesson->startTime().has_value());
    window->planningActions().modeAction(PlanningModeViewController::WeekMode)->trigger();
    window->planningActions().toggleAction(DisplayPreferences::showDaysWithTimes)->trigger();
    save(*window, QStringLiteral("planning-window-week-with-times.png"));
}

TEST_F(CourseSheetsTest, MigratingUntiesTheWindowFromLastYearsFile)
{
    auto* sheet = open<MigrateYearSheet>(actions().migrateAction());
    ASSERT_TRUE(sheet);
    save(*sheet, QStringLiteral("migrate-year-sheet.png"));
    sheet->picker()->setDate(QDate(2026, 9, 9));
    alerts.answerNext(AlertDefaultReturn);
    sheet->migratePressed();
    EXPECT_EQ(alerts.last().title, QStringLiteral("Migration Successful!"));
    EXPECT_TRUE(window->document().filePath().isEmpty());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Untitled[*]"));
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_EQ(LocalCalendar::weekday(year().startDate()), 1);
}
