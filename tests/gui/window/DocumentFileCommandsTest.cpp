#include "gui/window/DocumentFileCommands.h"

#include "ShellFixture.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>

namespace {

class DocumentFileCommandsTest : public ShellFixture {
protected:
    // An untitled window whose wizard has built a year.
    DocumentWindow* untitledYear()
    {
        DocumentWindow* window = controller.newDocument();
        window->document().context().insertObject(QStringLiteral("Year"));
        return window;
    }

    static DocumentFileCommands& commandsOf(DocumentWindow* window)
    {
        return *window->findChild<DocumentFileCommands*>();
    }

    QString lastFile() const { return Preferences::shared().stringValue(QStringLiteral("lastFileURLLeopard")); }
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

TEST_F(DocumentFileCommandsTest, ClosingAnUntitledYearAsksAndCancelKeepsTheWindow)
{
    DocumentWindow* window = untitledYear();
    alerts.answerNext(AlertAlternateReturn);
    EXPECT_FALSE(window->close());
    EXPECT_EQ(alerts.last().title, QStringLiteral("Do you want to save the changes made to the document “Untitled”?"));
    EXPECT_EQ(QStringList({ alerts.last().defaultButton, alerts.last().alternateButton, alerts.last().otherButton }),
        QStringList({ QStringLiteral("Save"), QStringLiteral("Cancel"), QStringLiteral("Don't Save") }));
    EXPECT_TRUE(window->isVisible());

    // Save asks where; giving up there keeps the window too.
    alerts.answerNext(AlertDefaultReturn);
    EXPECT_FALSE(window->close());
    ASSERT_EQ(files.savePanels().size(), 1);
    EXPECT_EQ(files.savePanels().first().proposedName, QStringLiteral("Untitled.semestra"));
}

TEST_F(DocumentFileCommandsTest, ClosingAnUntitledYearCanSaveItOrDropIt)
{
    alerts.answerNext(AlertDefaultReturn);
    files.answerNext(path(QStringLiteral("Kept.semestra")));
    EXPECT_TRUE(untitledYear()->close());
    EXPECT_TRUE(QFileInfo::exists(path(QStringLiteral("Kept.semestra"))));

    alerts.answerNext(AlertOtherReturn);
    EXPECT_TRUE(untitledYear()->close());
    EXPECT_EQ(files.savePanels().size(), 1);
}

TEST_F(DocumentFileCommandsTest, ClosingADocumentStillWaitingForItsYearNeverAsks)
{
    DocumentWindow* window = controller.newDocument();
    window->document().context().insertObject(QStringLiteral("MyCourse"));
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(alerts.shown().isEmpty());
}

TEST_F(DocumentFileCommandsTest, SaveOfAnUntitledDocumentSavesAsWithTheExtensionAdded)
{
    DocumentWindow* window = untitledYear();
    files.answerNext(path(QStringLiteral("Grade 8")));
    commandsOf(window).saveAction()->trigger();
    EXPECT_EQ(window->document().filePath(), path(QStringLiteral("Grade 8.semestra")));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Grade 8.semestra"));
    EXPECT_EQ(lastFile(), path(QStringLiteral("Grade 8.semestra")));
    EXPECT_FALSE(window->document().context().hasChanges());

    // The next Save As starts beside the file, under its name.
    files.answerNext(path(QStringLiteral("Copy.SEMESTRA")));
    commandsOf(window).saveAsAction()->trigger();
    EXPECT_EQ(files.savePanels().last().directory, folder.path());
    EXPECT_EQ(files.savePanels().last().proposedName, QStringLiteral("Grade 8.semestra"));
    EXPECT_EQ(window->document().filePath(), path(QStringLiteral("Copy.SEMESTRA")));
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
    EXPECT_EQ(alerts.last().title, QStringLiteral("The document could not be saved as “Grade 7.semestra”."));
    EXPECT_FALSE(alerts.last().message.isEmpty());
    EXPECT_EQ(window->document().filePath(), file);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Grade 7.semestra"));
    EXPECT_EQ(lastFile(), file);
}

TEST_F(DocumentFileCommandsTest, OpenStartsInTheFolderOfTheLastFile)
{
    const QString file = savedYear(QStringLiteral("Grade 7.semestra"));
    DocumentWindow* window = controller.newDocument();
    files.answerNext(file);
    commandsOf(window).openAction()->trigger();
    ASSERT_EQ(files.openPanels().size(), 1);
    EXPECT_EQ(files.openPanels().first().directory, folder.path());
    EXPECT_EQ(files.openPanels().first().allowedTypes, QStringList { QStringLiteral("semestra") });
    ASSERT_EQ(controller.windows().size(), 2);
    EXPECT_EQ(controller.windows().last()->document().filePath(), file);
}
