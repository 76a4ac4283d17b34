#include "gui/window/StartUp.h"

#include "ShellFixture.h"

#include <QFile>
#include <QTest>

namespace {

class StartUpTest : public ShellFixture {
protected:
    void setLastFile(const QString& file)
    {
        preferences.preferences().setValue(QStringLiteral("lastFileURLLeopard"), file);
    }

    // Whether the only window shows the wizard once it had time to appear.
    bool onlyWindowShowsTheWizard()
    {
        EXPECT_EQ(controller.windows().size(), 1);
        QTest::qWait(300);
        return !controller.windows().isEmpty() && sheetOf(controller.windows().first());
    }

    StartUp startUp { controller, alerts };
};

} // namespace

TEST_F(StartUpTest, MissingLastFileIsReportedAndANewDocumentShowsItsWizard)
{
    setLastFile(path(QStringLiteral("Gone.semestra")));
    alerts.answerNext(AlertDefaultReturn);
    EXPECT_TRUE(startUp.applicationDidFinishLaunching({}));

    ASSERT_EQ(alerts.shown().size(), 1);
    EXPECT_EQ(alerts.last().title, QStringLiteral("Semestra could not find the last file that you used."));
    EXPECT_EQ(
        alerts.last().message, QStringLiteral("Please create a new file, or open an existing one, from the File menu"));
    EXPECT_EQ(alerts.last().defaultButton + alerts.last().alternateButton, QStringLiteral("OK"));
    EXPECT_TRUE(onlyWindowShowsTheWizard());
    EXPECT_TRUE(controller.windows().first()->document().filePath().isEmpty());
}

TEST_F(StartUpTest, ExistingLastFileIsOpenedWithoutAWizard)
{
    setLastFile(savedYear(QStringLiteral("Grade 7.semestra")));
    EXPECT_TRUE(startUp.applicationDidFinishLaunching({}));
    EXPECT_FALSE(onlyWindowShowsTheWizard());
    EXPECT_EQ(controller.windows().first()->windowTitle(), QStringLiteral("Grade 7.semestra[*]"));
}

TEST_F(StartUpTest, LastFileThatNoLongerOpensIsReportedBeforeANewDocument)
{
    QFile broken(path(QStringLiteral("Broken.semestra")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly) && broken.write("not a database") > 0);
    broken.close();
    setLastFile(broken.fileName());
    alerts.answerNext(AlertDefaultReturn);

    EXPECT_TRUE(startUp.applicationDidFinishLaunching({}));
    EXPECT_EQ(alerts.last().title, QStringLiteral("The document could not be opened."));
    EXPECT_TRUE(onlyWindowShowsTheWizard());
}

TEST_F(StartUpTest, FilesGivenToOpenReplaceTheLastFile)
{
    const QString given = savedYear(QStringLiteral("Given.semestra"));
    setLastFile(savedYear(QStringLiteral("Last.semestra")));

    // Nothing to show: no new document stands in for a file that failed.
    alerts.answerNext(AlertDefaultReturn);
    EXPECT_FALSE(startUp.applicationDidFinishLaunching({ path(QStringLiteral("Nowhere.semestra")) }));
    EXPECT_TRUE(controller.windows().isEmpty());

    EXPECT_TRUE(startUp.applicationDidFinishLaunching({ given }));
    ASSERT_EQ(controller.windows().size(), 1);
    EXPECT_EQ(controller.windows().first()->document().filePath(), given);
}
