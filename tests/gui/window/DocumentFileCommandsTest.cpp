#include "gui/window/DocumentFileCommands.h"

#include "ShellFixture.h"
#include "testlib/FileHash.h"

#include <QAction>
#include <QFile>
#include <QStatusBar>
#include <QTest>

namespace {

class DocumentFileCommandsTest : public ShellFixture {
protected:
    static DocumentFileCommands& commandsOf(DocumentWindow* window)
    {
        return *window->findChild<DocumentFileCommands*>();
    }

    QString lastFile() { return preferences.preferences().stringValue(QStringLiteral("lastFileURLLeopard")); }
};

} // namespace

TEST_F(DocumentFileCommandsTest, ClosingAFiledDocumentSavesItsChangesInPlace)
{
    const QString file = savedYear(QStringLiteral("Grade 7.semestra"), 2);
    DocumentWindow* window = controller.openDocument(file);
    ASSERT_NE(window, nullptr);
    window->document().getCurrentYear()->setValue(u"repeatInterval", 6);
    commandsOf(window).closeAction()->trigger();
    deleteClosedWindows();
    EXPECT_TRUE(controller.windows().isEmpty());
    EXPECT_TRUE(alerts.shown().isEmpty());
    EXPECT_EQ(intervalInFile(file), 6);
}

TEST_F(DocumentFileCommandsTest, ClosingAnUntitledYearAsksFirst)
{
    DocumentWindow* window = controller.newDocument();
    window->document().context().insertObject(QStringLiteral("Year"));

    // Cancel keeps the window, and the application with it.
    alerts.answerNext(AlertAlternateReturn);
    controller.quit();
    EXPECT_EQ(alerts.last().title, QStringLiteral("Do you want to save the changes made to the document “Untitled”?"));
    EXPECT_EQ(QStringList({ alerts.last().defaultButton, alerts.last().alternateButton, alerts.last().otherButton }),
        QStringList({ QStringLiteral("Save"), QStringLiteral("Cancel"), QStringLiteral("Don't Save") }));
    EXPECT_TRUE(window->isVisible());

    // Save asks where; giving up there keeps the window too.
    alerts.answerNext(AlertDefaultReturn);
    EXPECT_FALSE(window->close());
    EXPECT_EQ(files.savePanels().size(), 1);

    alerts.answerNext(AlertOtherReturn);
    EXPECT_TRUE(window->close());
    EXPECT_EQ(files.savePanels().size(), 1);
}

TEST_F(DocumentFileCommandsTest, SaveOfAnUntitledDocumentSavesAsWithTheExtensionAdded)
{
    DocumentWindow* window = controller.newDocument();
    window->document().context().insertObject(QStringLiteral("Year"));
    files.answerNext(path(QStringLiteral("Grade 8")));
    commandsOf(window).saveAction()->trigger();
    EXPECT_EQ(files.savePanels().last().proposedName, QStringLiteral("Untitled.semestra"));
    EXPECT_EQ(window->document().filePath(), path(QStringLiteral("Grade 8.semestra")));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Grade 8.semestra[*]"));
    EXPECT_EQ(lastFile(), path(QStringLiteral("Grade 8.semestra")));
}

// The mark follows the records on its own, a moment after they change.
TEST_F(DocumentFileCommandsTest, TheTitleMarksUnsavedChangesAndASaveSaysSoInTheStatusLine)
{
    DocumentWindow* window = controller.openDocument(savedYear(QStringLiteral("Grade 7.semestra")));
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->isWindowModified());

    window->document().getCurrentYear()->setValue(u"repeatInterval", 3);
    EXPECT_TRUE(QTest::qWaitFor([window] { return window->isWindowModified(); }, 2000));
    EXPECT_TRUE(window->statusBar()->currentMessage().isEmpty());

    commandsOf(window).saveAction()->trigger();
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_EQ(window->statusBar()->currentMessage(), QStringLiteral("Saved “Grade 7.semestra”."));
    EXPECT_TRUE(QTest::qWaitFor([window] { return window->statusBar()->currentMessage().isEmpty(); }, 5000))
        << "the message is only for a moment";
    EXPECT_FALSE(window->isWindowModified());
}

TEST_F(DocumentFileCommandsTest, FailedSaveAsIsReportedAndTheDocumentKeepsItsFile)
{
    const QString file = savedYear(QStringLiteral("Grade 7.semestra"));
    DocumentWindow* window = controller.openDocument(file);
    ASSERT_NE(window, nullptr);
    // A plain file where a folder should be: no one can write below it.
    QFile blocker(path(QStringLiteral("Folder")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    files.answerNext(path(QStringLiteral("Folder/Grade 7.semestra")));
    alerts.answerNext(AlertDefaultReturn);

    EXPECT_FALSE(commandsOf(window).saveAs());
    EXPECT_EQ(files.savePanels().last().directory, folder.path());
    EXPECT_EQ(alerts.last().title, QStringLiteral("The document could not be saved as “Grade 7.semestra”."));
    EXPECT_FALSE(alerts.last().message.isEmpty());
    EXPECT_EQ(window->document().filePath(), file);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Grade 7.semestra[*]"));
    EXPECT_EQ(lastFile(), file);
}

// Another copy of the planner holding the file stands here as a document of
// this process: either way the file is taken.
TEST_F(DocumentFileCommandsTest, AFileOpenElsewhereOpensReadOnlyAndIsKeptOnlyBySaveAs)
{
    const QString file = savedYear(QStringLiteral("Grade 7.semestra"), 2);
    Document elsewhere(alerts, files);
    ASSERT_TRUE(elsewhere.open(file).ok());

    alerts.answerNext(AlertDefaultReturn);
    DocumentWindow* window = controller.openDocument(file);
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(alerts.shown().size(), 1);
    EXPECT_EQ(alerts.last().title, QStringLiteral("The document is open in another copy of Semestra."));
    EXPECT_TRUE(alerts.last().message.contains(QStringLiteral("read-only")));

    window->document().getCurrentYear()->setValue(u"repeatInterval", 6);
    const QByteArray before = fileHash(file);
    controller.autosaveDocuments();
    // Save asks for a new file; giving up there writes nothing.
    files.answerNext(std::nullopt);
    commandsOf(window).saveAction()->trigger();
    EXPECT_EQ(files.savePanels().size(), 1);
    // Closing asks, as for an untitled document, instead of saving in place.
    alerts.answerNext(AlertAlternateReturn);
    EXPECT_FALSE(window->close());
    EXPECT_EQ(alerts.last().title,
        QStringLiteral("Do you want to save the changes made to the document “Grade 7.semestra”?"));
    EXPECT_EQ(fileHash(file), before);

    files.answerNext(path(QStringLiteral("Grade 7 copy")));
    commandsOf(window).saveAsAction()->trigger();
    EXPECT_EQ(window->document().filePath(), path(QStringLiteral("Grade 7 copy.semestra")));
    EXPECT_FALSE(window->document().isReadOnly());
    EXPECT_EQ(intervalInFile(path(QStringLiteral("Grade 7 copy.semestra"))), 6);
    EXPECT_EQ(fileHash(file), before);
}
