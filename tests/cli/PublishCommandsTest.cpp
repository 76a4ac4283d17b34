#include "cli/CliFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using S = QString;

class PublishCommandsTest : public CliFixture {
protected:
    PublishCommandsTest() { runOk({ S("demo"), file }); }

    QString page(const QString& relative) const
    {
        QFile page(QDir(site).filePath(relative));
        return page.open(QIODevice::ReadOnly) ? QString::fromUtf8(page.readAll()) : QString();
    }

    const QString file = path(S("demo.semestra"));
    const QString site = path(S("site"));
};

TEST_F(PublishCommandsTest, ThemesAreListedInOrder)
{
    EXPECT_EQ(runOk({ S("themes") }).out,
        S("Default\nBlackboard\nSpiral\nWoody\nRetro\nPastel\nNo_Handouts\nMetal\nBlue Box\nBlack\n"));
    EXPECT_NE(run({ S("themes"), file }).exitCode, 0);
}

TEST_F(PublishCommandsTest, PublishWritesTheSiteAndPrintsWhatItWrote)
{
    const CliRun first
        = runOk({ S("publish"), file, S("--folder"), site, S("--from"), S("2025-10-06"), S("--to"), S("2025-10-10") });
    EXPECT_TRUE(first.out.contains(S("\nindex.html\n")));
    EXPECT_TRUE(first.out.contains(S("Biology/Oct62025/index.html\n")));
    EXPECT_TRUE(first.out.contains(S("Biology/October25.html\n")));
    EXPECT_TRUE(first.out.contains(S("Biology/Biology.ics\n")));
    EXPECT_TRUE(QFileInfo::exists(QDir(site).filePath(S("Algebra_I/Oct102025/index.html"))));
    EXPECT_FALSE(QFileInfo::exists(QDir(site).filePath(S("Algebra_I/Oct132025"))));
    EXPECT_TRUE(first.out.endsWith(S(" unchanged\n")));

    // The ranges are stored: publishing again writes nothing new.
    const CliRun second = runOk({ S("publish"), file, S("--folder"), site });
    EXPECT_TRUE(second.out.startsWith(S("0 files written, "))) << second.out.toStdString();
}

TEST_F(PublishCommandsTest, TheThemeIsStoredWithTheDocument)
{
    runOk({ S("publish"), file, S("--folder"), site, S("--theme"), S("Blue Box") });
    EXPECT_TRUE(QFileInfo::exists(QDir(site).filePath(S("themes/Blue Box/theme.css"))));
    QDir(site).removeRecursively();
    runOk({ S("publish"), file, S("--folder"), site });
    EXPECT_TRUE(page(S("index.html")).contains(S("themes/Blue%20Box/toplevel.css")));
}

TEST_F(PublishCommandsTest, BadOptionsAreOneLineErrorsAndLeaveTheFileAlone)
{
    const QByteArray before = fileHash(file);
    for (const QStringList& arguments : { QStringList { S("publish"), file },
             QStringList { S("publish"), file, S("--folder"), site, S("--theme"), S("Plaid") },
             QStringList { S("publish"), file, S("--folder"), site, S("--from"), S("2025-10-06") },
             QStringList {
                 S("publish"), file, S("--folder"), site, S("--from"), S("2025-10-10"), S("--to"), S("2025-10-06") },
             QStringList {
                 S("publish"), file, S("--folder"), site, S("--from"), S("October"), S("--to"), S("2025-10-06") } }) {
        const CliRun result = run(arguments);
        EXPECT_NE(result.exitCode, 0) << arguments.join(u' ').toStdString();
        EXPECT_EQ(result.errors.count(u'\n'), 1) << result.errors.toStdString();
    }
    EXPECT_EQ(fileHash(file), before);
    EXPECT_FALSE(QFileInfo::exists(site));
}

TEST_F(PublishCommandsTest, AFailedPublishNamesTheFileAndSavesNothing)
{
    QFile blocker(site);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QByteArray before = fileHash(file);
    const CliRun result = run({ S("publish"), file, S("--folder"), site, S("--theme"), S("Metal") });
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.errors.count(u'\n'), 1) << result.errors.toStdString();
    EXPECT_TRUE(result.errors.contains(site)) << result.errors.toStdString();
    EXPECT_EQ(fileHash(file), before);
}
