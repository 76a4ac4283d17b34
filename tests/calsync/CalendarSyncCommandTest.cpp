#include "CliRunner.h"
#include "testlib/FileHash.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

class CalendarSyncCommandTest : public testing::Test {
protected:
    CliRunner cli;
};

} // namespace

TEST_F(CalendarSyncCommandTest, SyncsIntoTheFolderAndPrintsTheCounts)
{
    const QString file = cli.newYear();
    const QString folder = cli.path(QStringLiteral("calendars"));

    const CliRunner::Run first = cli.run({ QStringLiteral("calendar-sync"), file, QStringLiteral("--folder"), folder });
    cli.run({ QStringLiteral("set-lesson"), file, QStringLiteral("--course"), QStringLiteral("Art"),
        QStringLiteral("--date"), QStringLiteral("2025-09-09"), QStringLiteral("--title"), QStringLiteral("Shading") });
    const CliRunner::Run changes = cli.run(
        { QStringLiteral("calendar-sync"), file, QStringLiteral("--changes"), QStringLiteral("--folder"), folder });

    EXPECT_EQ(first.exitCode, 0) << first.errors.toStdString();
    EXPECT_EQ(first.out.trimmed(), QStringLiteral("written: 1, updated: 0, deleted: 0, failed: 0"));
    EXPECT_EQ(changes.out.trimmed(), QStringLiteral("written: 1, updated: 0, deleted: 0, failed: 0"));
    QFile art(QDir(folder).filePath(QStringLiteral("Art.ics")));
    ASSERT_TRUE(art.open(QIODevice::ReadOnly));
    const QByteArray text = art.readAll();
    EXPECT_TRUE(text.contains("SUMMARY:Colour wheel"));
    EXPECT_TRUE(text.contains("SUMMARY:Shading"));
}

TEST_F(CalendarSyncCommandTest, WithoutAFolderTheFilesGoToTheUsersDataFolder)
{
    const QString file = cli.newYear();

    EXPECT_EQ(cli.run({ QStringLiteral("calendar-sync"), file }).exitCode, 0);

    EXPECT_TRUE(QFile::exists(cli.path(QStringLiteral("data/Semestra/calendars/calendars.plist"))));
}

TEST_F(CalendarSyncCommandTest, ContradictoryOrIncompleteOptionsAreRefusedAndTheFileStaysAsItWas)
{
    const QString file = cli.newYear();
    const QByteArray before = fileHash(file);

    const CliRunner::Run both = cli.run({ QStringLiteral("calendar-sync"), file, QStringLiteral("--folder"),
        cli.path(QStringLiteral("c")), QStringLiteral("--caldav"), QStringLiteral("https://example.org/") });
    const CliRunner::Run noUser = cli.run(
        { QStringLiteral("calendar-sync"), file, QStringLiteral("--caldav"), QStringLiteral("https://example.org/") });
    const CliRunner::Run stray = cli.run({ QStringLiteral("calendar-sync"), file, QStringLiteral("--password-stdin") });

    for (const CliRunner::Run& run : { both, noUser, stray }) {
        EXPECT_NE(run.exitCode, 0);
        EXPECT_EQ(run.errors.count(QLatin1Char('\n')), 1) << run.errors.toStdString();
    }
    EXPECT_TRUE(noUser.errors.contains(QStringLiteral("--user")));
    EXPECT_EQ(fileHash(file), before);
}

TEST_F(CalendarSyncCommandTest, MissingPasswordSaysWhyAndLeavesTheFileAsItWas)
{
    const QString file = cli.newYear();
    const QByteArray before = fileHash(file);

    const CliRunner::Run run = cli.run({ QStringLiteral("calendar-sync"), file, QStringLiteral("--caldav"),
        QStringLiteral("https://calendar.example.org/"), QStringLiteral("--user"), QStringLiteral("mrs.b") });

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.contains(QStringLiteral("--password-stdin"))) << run.errors.toStdString();
    EXPECT_EQ(fileHash(file), before);
}

TEST_F(CalendarSyncCommandTest, UnreachableServerFailsAndLeavesTheFileAsItWas)
{
    const QString file = cli.newYear();
    const QByteArray before = fileHash(file);

    const CliRunner::Run run = cli.run(
        { QStringLiteral("calendar-sync"), file, QStringLiteral("--caldav"), QStringLiteral("http://127.0.0.1:9/"),
            QStringLiteral("--user"), QStringLiteral("teacher"), QStringLiteral("--password-stdin") },
        "chalk\n");

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.contains(QStringLiteral("could not be reached"))) << run.errors.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("failed: 1")));
    EXPECT_EQ(fileHash(file), before);
}
