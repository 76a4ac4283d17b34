#include "cli/CliFixture.h"
#include "model/DocumentLock.h"
#include "testlib/OlderDocumentLayout.h"

#include <QFile>
#include <QFileInfo>
#include <QLockFile>

using DemoAndErrorsTest = CliFixture;

TEST_F(DemoAndErrorsTest, DemoFillsEveryLessonOfEveryCourseForTheScale)
{
    const QString file = path(QStringLiteral("demo.semestra"));
    runOk({ QStringLiteral("demo"), file, QStringLiteral("--scale"), QStringLiteral("2") });

    const QJsonArray school = schoolDays(file);
    EXPECT_GT(school.size(), 150);
    const QJsonObject year = info(file);
    EXPECT_EQ(year[u"schedule"].toString(), u"traditional");
    EXPECT_GT(year[u"weeks"].toInt(), 35);
    const QJsonArray courses = year[u"courses"].toArray();
    ASSERT_EQ(courses.size(), 12);
    for (const QJsonValue& course : courses) {
        EXPECT_EQ(course[u"lessons"].toInt(), school.size()) << course[u"name"].toString().toStdString();
        EXPECT_EQ(course[u"lessonsWithData"].toInt(), school.size());
    }
    for (const QJsonValue& day : school) {
        for (const QJsonValue& lesson : day[u"lessons"].toArray())
            EXPECT_FALSE(lesson[u"title"].toString().isEmpty());
    }
}

TEST_F(DemoAndErrorsTest, DemoIsTheSameOnEveryRun)
{
    const QString first = path(QStringLiteral("first.semestra"));
    const QString second = path(QStringLiteral("second.semestra"));
    runOk({ QStringLiteral("demo"), first });
    runOk({ QStringLiteral("demo"), second });
    EXPECT_EQ(runOk({ QStringLiteral("days"), first }).out, runOk({ QStringLiteral("days"), second }).out);
    EXPECT_EQ(info(first)[u"courses"].toArray().size(), 6);
}

TEST_F(DemoAndErrorsTest, MissingAndUnreadableFilesAreOneLineErrors)
{
    const QString missing = path(QStringLiteral("missing.semestra"));
    const QString garbage = path(QStringLiteral("garbage.semestra"));
    QFile file(garbage);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a document at all");
    file.close();
    const QByteArray before = fileHash(garbage);

    for (const QString& target : { missing, garbage }) {
        for (const QString& command : { QStringLiteral("info"), QStringLiteral("days") }) {
            const CliRun result = run({ command, target, QStringLiteral("--json") });
            EXPECT_NE(result.exitCode, 0);
            EXPECT_TRUE(result.errors.startsWith(QStringLiteral("semestra-cli: ") + target))
                << result.errors.toStdString();
            EXPECT_EQ(result.errors.count(u'\n'), 1) << result.errors.toStdString();
        }
    }
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_EQ(fileHash(garbage), before);
}

TEST_F(DemoAndErrorsTest, UsageErrorsAndHelp)
{
    const CliRun unknown = run({ QStringLiteral("frobnicate") });
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(unknown.errors.contains(u"unknown command"));
    EXPECT_NE(run({}).exitCode, 0);
    EXPECT_EQ(run({ QStringLiteral("demo"), QStringLiteral("a"), QStringLiteral("b") }).exitCode, 2);
    EXPECT_NE(run({ QStringLiteral("demo"), path(QStringLiteral("d.semestra")), QStringLiteral("--scale"),
                      QStringLiteral("0") })
                  .exitCode,
        0);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("d.semestra"))));

    const CliRun help = runOk({ QStringLiteral("--help") });
    for (const QString& command :
        { QStringLiteral("new"), QStringLiteral("info"), QStringLiteral("days"), QStringLiteral("set-lesson"),
            QStringLiteral("lock"), QStringLiteral("bump"), QStringLiteral("pullback"), QStringLiteral("demo") })
        EXPECT_TRUE(help.out.contains(QStringLiteral("\n  ") + command + QLatin1Char(' '))) << command.toStdString();
}

TEST_F(DemoAndErrorsTest, OlderFileIsUpgradedOnlyIntoTheGivenFile)
{
    // Takes a current file back to the layout before tags and holiday types.
    const QString old = newTraditionalYear({ QStringLiteral("Math") });
    rewriteAsVersion20(old);
    const QByteArray before = fileHash(old);
    const QString upgraded = path(QStringLiteral("upgraded.semestra"));

    const CliRun refused = run({ QStringLiteral("info"), old });
    EXPECT_NE(refused.exitCode, 0);
    EXPECT_TRUE(refused.errors.contains(u"--upgrade-to")) << refused.errors.toStdString();
    EXPECT_FALSE(QFile::exists(upgraded));

    const CliRun converted = runOk({ QStringLiteral("set-lesson"), old, QStringLiteral("--upgrade-to"), upgraded,
        QStringLiteral("--course"), QStringLiteral("Math"), QStringLiteral("--date"), QStringLiteral("2025-09-09"),
        QStringLiteral("--title"), QStringLiteral("After the upgrade") });
    EXPECT_TRUE(converted.errors.contains(u"Upgrade Successful"));
    EXPECT_EQ(fileHash(old), before);
    EXPECT_EQ(schoolDays(upgraded).at(1)[u"lessons"][0][u"title"].toString(), u"After the upgrade");
}

TEST_F(DemoAndErrorsTest, SavingLeavesTheDesktopPlannersStartUpFileAlone)
{
    newTraditionalYear({ QStringLiteral("Math") });
    const QString desktopSettings = path(QStringLiteral("config/Semestra/Semestra.conf"));
    QFile settings(desktopSettings);
    const bool written = settings.open(QIODevice::ReadOnly);
    EXPECT_FALSE(written && settings.readAll().contains("lastFileURLLeopard"));
}

// The desktop planner holding the file stands here as a lock of the test's
// own process, which the command line sees as just as much alive.
TEST_F(DemoAndErrorsTest, AFileOpenInThePlannerIsReadButNeverChanged)
{
    const QString file = newTraditionalYear({ QStringLiteral("Math") });
    const QString date = schoolDays(file).at(0)[u"date"].toString();
    QLockFile planner(DocumentLock::lockFilePath(file));
    planner.setStaleLockTime(0);
    ASSERT_TRUE(planner.tryLock(0));
    const QByteArray before = fileHash(file);

    const CliRun changed = run({ QStringLiteral("set-lesson"), file, QStringLiteral("--course"), QStringLiteral("Math"),
        QStringLiteral("--date"), date, QStringLiteral("--title"), QStringLiteral("Overwritten") });
    EXPECT_EQ(changed.exitCode, 1);
    EXPECT_TRUE(changed.errors.startsWith(QStringLiteral("semestra-cli: "))) << changed.errors.toStdString();
    EXPECT_TRUE(changed.errors.contains(QStringLiteral("open in another copy of Semestra")))
        << changed.errors.toStdString();
    EXPECT_EQ(changed.errors.count(u'\n'), 1) << changed.errors.toStdString();
    const CliRun replaced = run({ QStringLiteral("new"), file, QStringLiteral("--start"), QStringLiteral("2025-09-08"),
        QStringLiteral("--end"), QStringLiteral("2025-09-12"), QStringLiteral("--days"), QStringLiteral("mon"),
        QStringLiteral("--course"), QStringLiteral("Art"), QStringLiteral("--force") });
    EXPECT_EQ(replaced.exitCode, 1) << replaced.errors.toStdString();
    // Publishing would write a site before saving the file: refused first.
    const QString site = path(QStringLiteral("site"));
    const CliRun published = run({ QStringLiteral("publish"), file, QStringLiteral("--folder"), site });
    EXPECT_EQ(published.exitCode, 1) << published.errors.toStdString();
    EXPECT_TRUE(published.errors.contains(QStringLiteral("open in another copy of Semestra")));
    EXPECT_FALSE(QFileInfo::exists(site)) << "nothing is published for a file the planner holds";
    EXPECT_EQ(fileHash(file), before);

    EXPECT_EQ(info(file).value(u"courses").toArray().size(), 1) << "reading still works";

    planner.unlock();
    runOk({ QStringLiteral("set-lesson"), file, QStringLiteral("--course"), QStringLiteral("Math"),
        QStringLiteral("--date"), date, QStringLiteral("--title"), QStringLiteral("Once closed") });
    EXPECT_NE(fileHash(file), before);
}
