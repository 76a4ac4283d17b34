#include "gui/window/DocumentController.h"

#include "ShellFixture.h"
#include "testlib/OlderDocumentLayout.h"

#include <QDir>
#include <QMenuBar>
#include <QTest>

namespace {

class DocumentControllerTest : public ShellFixture { };

} // namespace

TEST_F(DocumentControllerTest, OpeningAnOpenFileAgainRaisesItsWindow)
{
    const QString file = savedYear(QStringLiteral("Grade 7.semestra"));
    DocumentWindow* first = controller.openDocument(file);
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(controller.openDocument(folder.path() + QStringLiteral("/./Grade 7.semestra")), first);
    EXPECT_EQ(controller.windows().size(), 1);
}

TEST_F(DocumentControllerTest, FileThatCannotBeOpenedLeavesNoWindow)
{
    alerts.answerNext(AlertDefaultReturn);
    EXPECT_EQ(controller.openDocument(path(QStringLiteral("Missing.semestra"))), nullptr);
    EXPECT_EQ(alerts.last().title, QStringLiteral("The document could not be opened."));
    EXPECT_TRUE(controller.windows().isEmpty());
}

TEST_F(DocumentControllerTest, DecliningToUpgradeAnOlderFileOpensNothing)
{
    const QString file = savedYear(QStringLiteral("2019.semestra"));
    rewriteAsVersion20(file);
    alerts.answerNext(AlertAlternateReturn);
    EXPECT_EQ(controller.openDocument(file), nullptr);
    EXPECT_EQ(alerts.last().title, QStringLiteral("Semestra File Must Be Upgraded"));
    EXPECT_TRUE(controller.windows().isEmpty());
}

TEST_F(DocumentControllerTest, FileMenuComesFirstInTheWindowsMenuBar)
{
    DocumentWindow* window = controller.newDocument();
    const QList<QAction*> menus = window->menuBar()->actions();
    ASSERT_FALSE(menus.isEmpty());
    EXPECT_EQ(menus.first()->text(), QStringLiteral("&File"));
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

TEST_F(DocumentControllerTest, QuitStopsAtAWindowTheTeacherKeeps)
{
    DocumentWindow* kept = controller.newDocument();
    kept->document().context().insertObject(QStringLiteral("Year"));
    alerts.answerNext(AlertAlternateReturn);
    controller.quit();
    deleteClosedWindows();
    EXPECT_EQ(controller.windows(), QList<DocumentWindow*> { kept });
}

TEST_F(DocumentControllerTest, AutosaveWritesOnlyFiledDocumentsWithChanges)
{
    const QString file = savedYear(QStringLiteral("Grade 7.semestra"), 2);
    DocumentWindow* filed = controller.openDocument(file);
    ASSERT_NE(filed, nullptr);
    DocumentWindow* untitled = controller.newDocument();
    untitled->document().context().insertObject(QStringLiteral("Year"));

    controller.autosaveDocuments();
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList { QStringLiteral("Grade 7.semestra") });
    filed->document().getCurrentYear()->setValue(u"repeatInterval", 5);
    EXPECT_TRUE(filed->document().context().hasChanges());
    controller.autosaveDocuments();
    EXPECT_FALSE(filed->document().context().hasChanges());
    EXPECT_EQ(intervalInFile(file), 5);
}
