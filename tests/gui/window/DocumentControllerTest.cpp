#include "gui/window/DocumentController.h"

#include "ShellFixture.h"
#include "testlib/OlderDocumentLayout.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTest>

namespace {

class DocumentControllerTest : public ShellFixture { };

} // namespace

TEST_F(DocumentControllerTest, OpeningAnOpenFileAgainRaisesItsWindow)
{
    DocumentWindow* first = controller.openDocument(savedYear(QStringLiteral("Grade 7.semestra")));
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(controller.openDocument(folder.path() + QStringLiteral("/./Grade 7.semestra")), first);
    EXPECT_EQ(controller.windows().size(), 1);
}

TEST_F(DocumentControllerTest, DecliningToUpgradeAnOlderFileOpensNothing)
{
    const QString file = savedYear(QStringLiteral("2019.semestra"));
    rewriteAsVersion20(file);
    alerts.answerNext(AlertAlternateReturn);
    EXPECT_EQ(controller.openDocument(file), nullptr);
    EXPECT_TRUE(controller.windows().isEmpty());
}

// A file saved before its year was made has nothing to plan in yet: it
// gets the wizard a new document gets, and the year is made into it.
TEST_F(DocumentControllerTest, AFileWithoutAYearOpensWithTheNewYearWizard)
{
    const QString file = path(QStringLiteral("Empty.semestra"));
    {
        DocumentWindow writer(alerts, files);
        ASSERT_TRUE(writer.document().saveAs(file).ok());
    }
    DocumentWindow* window = controller.openDocument(file);
    ASSERT_NE(window, nullptr);
    QTest::qWait(300);
    NewYearSheet* sheet = sheetOf(window);
    ASSERT_NE(sheet, nullptr);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_FALSE(window->document().filePath().isEmpty());
}

TEST_F(DocumentControllerTest, DocumentFilledByTheProgramGetsNoWizard)
{
    DocumentWindow* window = controller.newDocument();
    window->document().setOpeningProgrammatically(true);
    QTest::qWait(300);
    EXPECT_EQ(sheetOf(window), nullptr);
}

TEST_F(DocumentControllerTest, QuitPutsAwayTheWizardWithoutAskingAndSavesFiledDocuments)
{
    DocumentWindow* filed = controller.openDocument(savedYear(QStringLiteral("Grade 7.semestra")));
    ASSERT_NE(filed, nullptr);
    filed->document().getCurrentYear()->setValue(u"repeatInterval", 4);
    DocumentWindow* untitled = controller.newDocument();
    ASSERT_TRUE(QTest::qWaitFor([&] { return sheetOf(untitled) != nullptr; }, 2000));
    // With a course entered, closing the wizard would ask "Really Close?".
    sheetOf(untitled)->controller().addCourse(QStringLiteral("Biology"));

    controller.quit();
    deleteClosedWindows();
    EXPECT_TRUE(alerts.shown().isEmpty());
    EXPECT_TRUE(controller.windows().isEmpty());
    EXPECT_EQ(intervalInFile(path(QStringLiteral("Grade 7.semestra"))), 4);
}

TEST_F(DocumentControllerTest, QuitKeysReachTheApplicationWhileTheWizardCoversTheWindow)
{
    DocumentWindow* untitled = controller.newDocument();
    ASSERT_TRUE(QTest::qWaitFor([&] { return sheetOf(untitled) != nullptr; }, 2000));
    NewYearSheet* sheet = sheetOf(untitled);
    sheet->controller().addCourse(QStringLiteral("Biology"));
    // The wizard has the keys, as when the teacher is typing into it.
    QApplication::setActiveWindow(sheet);
    ASSERT_EQ(QApplication::activeWindow(), sheet);

    QTest::keyClick(sheet, Qt::Key_Q, Qt::ControlModifier);
    deleteClosedWindows();
    EXPECT_TRUE(alerts.shown().isEmpty());
    EXPECT_TRUE(controller.windows().isEmpty());
}

TEST_F(DocumentControllerTest, TheWizardsQuitAsksAsItsCloseDoesThenEndsTheApplication)
{
    DocumentWindow* untitled = controller.newDocument();
    ASSERT_TRUE(QTest::qWaitFor([&] { return sheetOf(untitled) != nullptr; }, 2000));
    NewYearSheet* sheet = sheetOf(untitled);
    auto* quit = sheet->findChild<QPushButton*>(QStringLiteral("quit"));
    ASSERT_NE(quit, nullptr);
    sheet->controller().addCourse(QStringLiteral("Biology"));

    alerts.answerNext(AlertAlternateReturn);
    QTest::mouseClick(quit, Qt::LeftButton);
    ASSERT_EQ(alerts.shown().size(), 1);
    EXPECT_EQ(alerts.last().title, QStringLiteral("Really Close?"));
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(controller.windows().size(), 1);

    alerts.answerNext(AlertDefaultReturn);
    QTest::mouseClick(quit, Qt::LeftButton);
    deleteClosedWindows();
    EXPECT_TRUE(controller.windows().isEmpty());
}

TEST_F(DocumentControllerTest, AutosaveWritesOnlyFiledDocumentsWithChanges)
{
    const QString file = savedYear(QStringLiteral("Grade 7.semestra"), 2);
    DocumentWindow* filed = controller.openDocument(file);
    ASSERT_NE(filed, nullptr);
    controller.newDocument()->document().context().insertObject(QStringLiteral("Year"));
    filed->document().getCurrentYear()->setValue(u"repeatInterval", 5);

    controller.autosaveDocuments();
    EXPECT_FALSE(filed->document().context().hasChanges());
    EXPECT_EQ(intervalInFile(file), 5);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList { QStringLiteral("Grade 7.semestra") });
}
