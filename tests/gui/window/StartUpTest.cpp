#include "gui/window/StartUp.h"

#include "ShellFixture.h"

#include <QFile>
#include <QTest>

namespace {

class StartUpTest : public ShellFixture {
protected:
    void setLastFile(const QString& file) { preferences.preferences().setValue(lastFileKey, file); }

    bool start(const QStringList& files = {}) { return startUp.applicationDidFinishLaunching(files); }

    // Whether the only window shows the wizard once it had time to appear.
    bool onlyWindowShowsTheWizard()
    {
        EXPECT_EQ(controller.windows().size(), 1);
        DocumentWindow* window = controller.windows().value(0);
        if (!window)
            return false;
        QTest::qWait(300);
        return sheetOf(window) && sheetOf(window)->isVisible();
    }

    const QString lastFileKey = QStringLiteral("lastFileURLLeopard");
    StartUp startUp { controller, alerts };
};

} // namespace

TEST_F(StartUpTest, MissingLastFileIsReportedAndANewDocumentShowsItsWizard)
{
    setLastFile(path(QStringLiteral("Gone.semestra")));
    alerts.answerNext(AlertDefaultReturn);
    EXPECT_TRUE(start());

    ASSERT_EQ(alerts.shown().size(), 1);
    EXPECT_EQ(alerts.last().title, QStringLiteral("Semestra could not find the last file that you used."));
    EXPECT_EQ(
        alerts.last().message, QStringLiteral("Please create a new file, or open an existing one, from the File menu"));
    EXPECT_EQ(alerts.last().defaultButton, QStringLiteral("OK"));
    EXPECT_TRUE(alerts.last().alternateButton.isEmpty());
    EXPECT_TRUE(onlyWindowShowsTheWizard());
    EXPECT_TRUE(controller.windows().first()->document().filePath().isEmpty());
}

TEST_F(StartUpTest, WithoutALastFileANewDocumentOpensSilently)
{
    EXPECT_TRUE(start());
    EXPECT_TRUE(alerts.shown().isEmpty());
    EXPECT_TRUE(onlyWindowShowsTheWizard());
}

TEST_F(StartUpTest, ExistingLastFileIsOpenedWithoutAWizard)
{
    setLastFile(savedYear(QStringLiteral("Grade 7.semestra")));
    EXPECT_TRUE(start());
    EXPECT_FALSE(onlyWindowShowsTheWizard());
    EXPECT_EQ(controller.windows().first()->windowTitle(), QStringLiteral("Grade 7.semestra"));
    EXPECT_FALSE(startUp.isOpeningFromFileClick());
}

TEST_F(StartUpTest, LastFileThatNoLongerOpensIsReportedBeforeANewDocument)
{
    QFile broken(path(QStringLiteral("Broken.semestra")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a database");
    broken.close();
    setLastFile(broken.fileName());
    alerts.answerNext(AlertDefaultReturn);

    EXPECT_TRUE(start());
    ASSERT_EQ(alerts.shown().size(), 1);
    EXPECT_EQ(alerts.last().title, QStringLiteral("The document could not be opened."));
    EXPECT_TRUE(onlyWindowShowsTheWizard());
}

TEST_F(StartUpTest, FileGivenToOpenReplacesTheLastFile)
{
    const QString last = savedYear(QStringLiteral("Last.semestra"));
    const QString given = savedYear(QStringLiteral("Given.semestra"));
    setLastFile(last);

    EXPECT_TRUE(start({ given }));
    EXPECT_TRUE(startUp.isOpeningFromFileClick());
    ASSERT_EQ(controller.windows().size(), 1);
    EXPECT_EQ(controller.windows().first()->document().filePath(), given);
}

TEST_F(StartUpTest, FileGivenThatCannotBeOpenedLeavesNothingToShow)
{
    setLastFile(savedYear(QStringLiteral("Last.semestra")));
    alerts.answerNext(AlertDefaultReturn);
    EXPECT_FALSE(start({ path(QStringLiteral("Nowhere.semestra")) }));
    EXPECT_EQ(alerts.shown().size(), 1);
    EXPECT_TRUE(controller.windows().isEmpty());
}
