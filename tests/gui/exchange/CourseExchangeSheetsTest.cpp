#include "cli/DemoYearFiller.h"
#include "gui/exchange/ExportCourseSheet.h"
#include "gui/exchange/ImportCourseSheet.h"
#include "gui/window/CourseExchangeActions.h"
#include "gui/window/DocumentWindow.h"
#include "model/Course.h"
#include "model/Document.h"
#include "model/Lesson.h"
#include "model/Year.h"
#include "testlib/ScriptedAlertPresenter.h"
#include "testlib/ScriptedFileChooser.h"
#include "testlib/TemporaryPreferences.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The planning window on the demo year, with Export Course and Import Course
// opened from their menu commands.
class CourseExchangeSheetsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = new DocumentWindow(alerts, files);
        ASSERT_NE(DemoYearFiller::buildYear(window->document().context(), alerts, 1), nullptr);
        window->show();
    }
    void TearDown() override { delete window.data(); }

    Year& year() const { return *window->document().getCurrentYear(); }
    CourseExchangeActions& actions() const { return window->courseExchangeActions(); }

    ExportCourseSheet* openExport() const
    {
        actions().updateStates();
        EXPECT_TRUE(actions().exportCourseAction()->isEnabled());
        actions().exportCourseAction()->trigger();
        return qobject_cast<ExportCourseSheet*>(actions().openSheet());
    }
    ImportCourseSheet* openImport(const QString& path)
    {
        files.answerNext(path);
        actions().updateStates();
        actions().importCourseAction()->trigger();
        return qobject_cast<ImportCourseSheet*>(actions().openSheet());
    }
    // A course file of the demo's first course, written by the export sheet.
    QString exportedFile()
    {
        ExportCourseSheet* sheet = openExport();
        files.answerNext(folder.path());
        alerts.answerNext(AlertDefaultReturn);
        sheet->exportPressed();
        const QStringList written = QDir(folder.path()).entryList({ QStringLiteral("*.plist") }, QDir::Files);
        EXPECT_EQ(written.size(), 1);
        return written.isEmpty() ? QString() : folder.filePath(written.first());
    }
    void save(QWidget& widget, const QString& name) const
    {
        QCoreApplication::processEvents();
        ASSERT_TRUE(QDir().mkpath(QStringLiteral(SEMESTRA_SCREENSHOT_DIR)));
        EXPECT_TRUE(widget.grab().save(QStringLiteral(SEMESTRA_SCREENSHOT_DIR "/") + name));
    }

    TemporaryPreferences preferences;
    ScriptedAlertPresenter alerts;
    ScriptedFileChooser files;
    QTemporaryDir folder;
    QPointer<DocumentWindow> window;
};

TEST_F(CourseExchangeSheetsTest, TheExportSheetWritesTheChosenRangeAndKeepsItsChoices)
{
    ExportCourseSheet* sheet = openExport();
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->coursePopUp()->count(), year().courses().size());
    EXPECT_TRUE(sheet->entireCourseChoice()->isChecked());
    EXPECT_FALSE(sheet->spinner()->isVisible());
    save(*sheet, QStringLiteral("export-course-sheet.png"));

    const QString second = sheet->coursePopUp()->itemText(1);
    sheet->coursePopUp()->setCurrentIndex(1);
    sheet->startDatePicker()->setDate(sheet->startDatePicker()->date().addDays(7));
    EXPECT_TRUE(sheet->dateRangeChoice()->isChecked());

    // A folder that cannot take the file: told, and the sheet stays.
    files.answerNext(folder.filePath(QStringLiteral("missing")));
    alerts.answerNext(AlertDefaultReturn);
    sheet->exportPressed();
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(alerts.last().title, QStringLiteral("The course %1 could not be exported").arg(second));

    files.answerNext(folder.path());
    alerts.answerNext(AlertDefaultReturn);
    sheet->exportPressed();
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_EQ(alerts.last().title, QStringLiteral("The course %1 was successfully exported").arg(second));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 1);

    EXPECT_EQ(openExport(), sheet);
    EXPECT_EQ(sheet->coursePopUp()->currentText(), second);
}

TEST_F(CourseExchangeSheetsTest, TheImportSheetOffersTheScheduleAndFillsAnExistingCourse)
{
    const QString path = exportedFile();
    Course* source = year().courses().first();
    year().setValue(u"typeOfSchedule", int(Year::WeeklyRepeating));
    ImportCourseSheet* sheet = openImport(path);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(files.openPanels().last().allowedTypes, QStringList { QStringLiteral("plist") });
    EXPECT_TRUE(sheet->topTextField()->text().contains(source->courseName()));
    // The weekdays of the first week, which the demo starts on a Tuesday.
    ASSERT_GE(sheet->courseTableView()->rowCount(), 4);
    EXPECT_EQ(sheet->courseTableView()->item(0, 1)->checkState(), Qt::Checked);
    EXPECT_EQ(
        sheet->courseTableView()->item(sheet->courseTableView()->rowCount() - 1, 0)->text(), QStringLiteral("Friday"));
    sheet->courseTableView()->item(0, 1)->setCheckState(Qt::Unchecked);
    EXPECT_FALSE(sheet->controller().tableViewArray()[0].include);
    save(*sheet, QStringLiteral("import-course-sheet.png"));

    // Over the second course from the year's first day.
    Course* target = year().courses().at(1);
    sheet->coursePopUp()->setCurrentIndex(1);
    alerts.answerNext(AlertDefaultReturn);
    sheet->importExistingPressed();
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_EQ(alerts.last().title, QStringLiteral("Overwrite Existing Lessons?"));
    EXPECT_EQ(target->allLessonsInOrder().first()->lessonTitle(), source->allLessonsInOrder().first()->lessonTitle());
    EXPECT_EQ(actions().openSheet(), nullptr);
}

TEST_F(CourseExchangeSheetsTest, AFileThatCannotBeReadKeepsTheSheetOpenAndACancelledPanelShowsNone)
{
    files.answerNext(std::nullopt);
    actions().updateStates();
    actions().importCourseAction()->trigger();
    EXPECT_EQ(actions().openSheet(), nullptr);

    const QString path = folder.filePath(QStringLiteral("empty.plist"));
    ASSERT_TRUE(QFile(path).open(QIODevice::WriteOnly));
    ImportCourseSheet* sheet = openImport(path);
    ASSERT_TRUE(sheet);
    const qsizetype courses = year().courses().size();
    alerts.answerNext(AlertDefaultReturn);
    sheet->importNewPressed();
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(alerts.last().title, QStringLiteral("The course could not be imported"));
    EXPECT_EQ(year().courses().size(), courses);
}

} // namespace
