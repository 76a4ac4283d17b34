#include "DemoWindowFixture.h"
#include "gui/content/TemplateSheet.h"
#include "gui/content/UnitManagerSheet.h"
#include "gui/window/DocumentWindow.h"
#include "gui/window/LessonActions.h"
#include "gui/window/PlanningArea.h"
#include "model/Course.h"
#include "model/Document.h"
#include "model/Lesson.h"
#include "model/Unit.h"
#include "model/Year.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

// The sheets of the Lesson menu over a window on the command line's demo
// year without its units, opened on Wednesday 8 October 2025 with the day's
// first lesson current.
class LessonSheetsTest : public DemoWindowFixture {
protected:
    void SetUp() override
    {
        DemoWindowFixture::SetUp();
        ASSERT_NE(lesson(), nullptr);
        // The demo's units would crowd the lists these tests read.
        for (Course* each : window->document().getCurrentYear()->myCourses())
            each->deleteAllUnits();
        window->show();
    }

    LessonActions& actions() const { return window->lessonActions(); }
    Lesson* lesson() const { return window->planningArea()->controller().currentLesson(); }
    Course* course() const { return lesson()->course(); }

    UnitManagerSheet* openUnitManager() const
    {
        actions().manageUnitsAction()->trigger();
        return actions().unitManagerSheet();
    }
    static QStringList rows(const QListWidget* list)
    {
        QStringList names;
        for (int row = 0; row < list->count(); ++row)
            names << list->item(row)->text();
        return names;
    }
    static QStringList unitNames(const Course* course)
    {
        QStringList names;
        for (const Unit* unit : course->unitsArray())
            names << unit->unitName();
        return names;
    }
    static void save(QWidget& widget, const QString& name)
    {
        QCoreApplication::processEvents();
        ASSERT_TRUE(QDir().mkpath(QStringLiteral(SEMESTRA_SCREENSHOT_DIR)));
        EXPECT_TRUE(widget.grab().save(QStringLiteral(SEMESTRA_SCREENSHOT_DIR "/") + name));
    }
};

} // namespace

TEST_F(LessonSheetsTest, UnitManagerStartsAtTheCurrentLessonsCourseAndSwitchesCourses)
{
    course()->addUnitWithName(QStringLiteral("Fractions"));
    UnitManagerSheet* sheet = openUnitManager();
    ASSERT_NE(sheet, nullptr);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(sheet->courseChooser()->currentText(), course()->courseName());
    EXPECT_EQ(rows(sheet->unitList()), QStringList { QStringLiteral("Fractions") });
    EXPECT_FALSE(sheet->deleteButton()->isEnabled());

    const int other = sheet->courseChooser()->currentIndex() == 0 ? 1 : 0;
    sheet->courseChooser()->setCurrentIndex(other);
    EXPECT_TRUE(rows(sheet->unitList()).isEmpty());
    sheet->addButton()->click();
    EXPECT_EQ(rows(sheet->unitList()), QStringList { QStringLiteral("New Unit") });
    EXPECT_EQ(unitNames(course()), QStringList { QStringLiteral("Fractions") });
}

TEST_F(LessonSheetsTest, UnitManagerAddsRenamesInPlaceAndDeletes)
{
    UnitManagerSheet* sheet = openUnitManager();
    sheet->addButton()->click();
    sheet->addButton()->click();
    EXPECT_EQ(rows(sheet->unitList()), (QStringList { QStringLiteral("New Unit"), QStringLiteral("New Unit 1") }));
    // The new unit is the selected one, ready to be named.
    EXPECT_EQ(sheet->unitList()->currentItem()->text(), QStringLiteral("New Unit 1"));

    sheet->unitList()->item(0)->setText(QStringLiteral("  Decimals "));
    EXPECT_EQ(unitNames(course()), (QStringList { QStringLiteral("Decimals"), QStringLiteral("New Unit 1") }));
    EXPECT_EQ(sheet->unitList()->item(0)->text(), QStringLiteral("Decimals"));
    // A name another unit has, or none, is refused and the old one comes back.
    for (const QString& refused : { QStringLiteral("Decimals"), QString() }) {
        sheet->unitList()->item(1)->setText(refused);
        EXPECT_EQ(sheet->unitList()->item(1)->text(), QStringLiteral("New Unit 1"));
    }

    sheet->unitList()->setCurrentRow(0);
    ASSERT_TRUE(sheet->deleteButton()->isEnabled());
    sheet->deleteButton()->click();
    EXPECT_EQ(unitNames(course()), QStringList { QStringLiteral("New Unit 1") });
    EXPECT_EQ(rows(sheet->unitList()), QStringList { QStringLiteral("New Unit 1") });
}

TEST_F(LessonSheetsTest, UnitExportWritesIntoTheChosenFolderAndNothingWhenCancelled)
{
    Unit* unit = course()->addUnitWithName(QStringLiteral("Fractions"));
    lesson()->setObject(u"unit", unit);
    UnitManagerSheet* sheet = openUnitManager();
    sheet->unitList()->setCurrentRow(0);
    QTemporaryDir exports;

    sheet->exportButton()->click();
    ASSERT_EQ(files.folderPanels().size(), 1);
    EXPECT_EQ(files.folderPanels().first().title, QStringLiteral("Choose an Export Folder"));
    EXPECT_TRUE(QDir(exports.path()).isEmpty());

    files.answerNext(exports.path());
    alerts.answerNext(AlertDefaultReturn);
    sheet->exportButton()->click();
    EXPECT_EQ(alerts.last().title, QStringLiteral("The unit Fractions was successfully exported"));
    EXPECT_EQ(QDir(exports.path()).entryList(QDir::Files).size(), 1);
}

TEST_F(LessonSheetsTest, Screenshots)
{
    lesson()->setValue(u"lessonTitle", QStringLiteral("Warm-up drill"));
    actions().useAsTemplateAction()->trigger();
    ASSERT_NE(actions().templateSheet(), nullptr);
    save(*actions().templateSheet(), QStringLiteral("template-sheet.png"));
    actions().templateSheet()->reject();

    course()->addUnitWithName(QStringLiteral("Fractions"));
    course()->addUnitWithName(QStringLiteral("Decimals"));
    UnitManagerSheet* sheet = openUnitManager();
    sheet->unitList()->setCurrentRow(1);
    save(*sheet, QStringLiteral("unit-manager.png"));
}
