#include "cli/CliFixture.h"
#include "net/TitleServer.h"

#include <QFile>
#include <QJsonDocument>

namespace {

const QString math = QStringLiteral("Math");

// A three-week Monday-to-Friday year of Math from 2025-09-08: fifteen lessons.
class AssignmentCommandsTest : public CliFixture {
protected:
    void SetUp() override
    {
        m_file = newTraditionalYear({ math });
        for (const QJsonValue& day : schoolDays(m_file))
            m_dates.append(day[u"date"].toString());
        ASSERT_EQ(m_dates.size(), 15);
    }

    QStringList at(const QString& command, int slot) const
    {
        return { command, m_file, QStringLiteral("--course"), math, QStringLiteral("--date"), m_dates.at(slot) };
    }
    QJsonObject lesson(int slot) const
    {
        return QJsonDocument::fromJson(runOk(at(QStringLiteral("lesson"), slot) << QStringLiteral("--json")).out.toUtf8())
            .object();
    }
    QJsonArray assignments(int slot) const { return lesson(slot)[u"assignments"].toArray(); }
    QJsonArray attachments(int slot) const { return lesson(slot)[u"attachments"].toArray(); }
    QJsonArray missing() const
    {
        return QJsonDocument::fromJson(
            runOk({ QStringLiteral("missing-attachments"), m_file, QStringLiteral("--json") }).out.toUtf8())
            .array();
    }
    QString writeFile(const QString& name) const
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("contents");
        return file.fileName();
    }
    // Runs a command that must fail with one line on stderr and leave the file as it was.
    void expectRefused(const QStringList& arguments) const
    {
        const QByteArray before = fileHash(m_file);
        const CliRun result = run(arguments);
        EXPECT_EQ(result.exitCode, 1) << qPrintable(arguments.join(QLatin1Char(' ')));
        EXPECT_EQ(result.errors.trimmed().count(QLatin1Char('\n')), 0) << qPrintable(result.errors);
        EXPECT_FALSE(result.errors.trimmed().isEmpty());
        EXPECT_EQ(fileHash(m_file), before);
    }

    QString m_file;
    QStringList m_dates;
};

TEST_F(AssignmentCommandsTest, AssignmentShowsOnTheLessonItIsGivenInAndTheOneItIsDueIn)
{
    runOk(at(QStringLiteral("assign"), 2) << QStringLiteral("--title") << QStringLiteral("Essay")
                                          << QStringLiteral("--due") << m_dates[5] << QStringLiteral("--points")
                                          << QStringLiteral("10") << QStringLiteral("--details")
                                          << QStringLiteral("Two pages"));
    for (const int slot : { 2, 5 }) {
        const QJsonArray listed = assignments(slot);
        ASSERT_EQ(listed.size(), 1) << slot;
        const QJsonObject essay = listed[0].toObject();
        EXPECT_EQ(essay[u"title"].toString(), QStringLiteral("Essay"));
        EXPECT_EQ(essay[u"assigned"].toString(), m_dates[2]);
        EXPECT_EQ(essay[u"due"].toString(), m_dates[5]);
        EXPECT_EQ(essay[u"dueIn"].toInt(), 3);
        EXPECT_EQ(essay[u"points"].toInt(), 10);
        EXPECT_EQ(essay[u"details"].toString(), QStringLiteral("Two pages"));
    }
    EXPECT_TRUE(assignments(3).isEmpty());
}

TEST_F(AssignmentCommandsTest, WithoutADueDateWorkIsDueNextTimeAndOnTheLastLessonTheSameDay)
{
    runOk(at(QStringLiteral("assign"), 6) << QStringLiteral("--title") << QStringLiteral("Reading"));
    EXPECT_EQ(assignments(6)[0][u"due"].toString(), m_dates[7]);
    runOk(at(QStringLiteral("assign"), 14) << QStringLiteral("--title") << QStringLiteral("Final"));
    EXPECT_EQ(assignments(14)[0][u"due"].toString(), m_dates[14]);
    EXPECT_EQ(assignments(14).size(), 1);
}

TEST_F(AssignmentCommandsTest, BadAssignmentsAreRefusedAndChangeNothing)
{
    expectRefused(at(QStringLiteral("assign"), 5) << QStringLiteral("--title") << QStringLiteral("Late")
                                                  << QStringLiteral("--due") << m_dates[2]);
    expectRefused(at(QStringLiteral("assign"), 5) << QStringLiteral("--title") << QStringLiteral("Weekend")
                                                  << QStringLiteral("--due") << QStringLiteral("2025-09-13"));
    expectRefused(at(QStringLiteral("assign"), 5) << QStringLiteral("--title") << QStringLiteral("Negative")
                                                  << QStringLiteral("--points") << QStringLiteral("-3"));
    expectRefused(at(QStringLiteral("unassign"), 5) << QStringLiteral("--title") << QStringLiteral("Nothing"));
}

TEST_F(AssignmentCommandsTest, UnassignRemovesTheWorkFromBothLessons)
{
    runOk(at(QStringLiteral("assign"), 1) << QStringLiteral("--title") << QStringLiteral("Quiz"));
    runOk(at(QStringLiteral("attach"), 1) << QStringLiteral("--file") << writeFile(QStringLiteral("quiz.pdf"))
                                          << QStringLiteral("--assignment") << QStringLiteral("Quiz"));
    runOk(at(QStringLiteral("unassign"), 2) << QStringLiteral("--title") << QStringLiteral("Quiz"));
    EXPECT_TRUE(assignments(1).isEmpty());
    EXPECT_TRUE(assignments(2).isEmpty());
}

TEST_F(AssignmentCommandsTest, FilesAndLinksAreAttachedToLessonsAndAssignmentsAndDetachedByName)
{
    const QString sheet = writeFile(QStringLiteral("Worksheet%201.pdf"));
    // The tool runs in the test's folder: a bare name is relative to it.
    const QString relative = QStringLiteral("Worksheet%201.pdf");
    runOk(at(QStringLiteral("attach"), 0) << QStringLiteral("--file") << relative);
    runOk(at(QStringLiteral("attach"), 0) << QStringLiteral("--url") << QStringLiteral("example.org/maps")
                                          << QStringLiteral("--name") << QStringLiteral("Maps"));
    QJsonArray attached = attachments(0);
    ASSERT_EQ(attached.size(), 2);
    QStringList seen;
    for (const QJsonValue& each : attached)
        seen << each[u"kind"].toString() + QLatin1Char(':') + each[u"name"].toString() + QLatin1Char(':')
                + each[u"path"].toString() + each[u"url"].toString();
    seen.sort();
    EXPECT_EQ(seen, (QStringList { QStringLiteral("file:Worksheet 1:") + sheet,
                        QStringLiteral("link:Maps:http://example.org/maps") }));
    EXPECT_TRUE(attached[0][u"publish"].toBool());

    runOk(at(QStringLiteral("assign"), 0) << QStringLiteral("--title") << QStringLiteral("Map work"));
    runOk(at(QStringLiteral("attach"), 0) << QStringLiteral("--url") << QStringLiteral("https://example.org/key")
                                          << QStringLiteral("--name") << QStringLiteral("Key")
                                          << QStringLiteral("--assignment") << QStringLiteral("Map work"));
    EXPECT_EQ(assignments(1)[0][u"attachments"].toArray()[0][u"name"].toString(), QStringLiteral("Key"));

    runOk(at(QStringLiteral("detach"), 0) << QStringLiteral("--name") << QStringLiteral("Maps"));
    EXPECT_EQ(attachments(0).size(), 1);
    runOk(at(QStringLiteral("detach"), 0) << QStringLiteral("--name") << QStringLiteral("Key")
                                          << QStringLiteral("--assignment") << QStringLiteral("Map work"));
    EXPECT_TRUE(assignments(0)[0][u"attachments"].toArray().isEmpty());
}

TEST_F(AssignmentCommandsTest, BadAttachmentsAreRefusedAndChangeNothing)
{
    expectRefused(at(QStringLiteral("attach"), 0) << QStringLiteral("--url") << QString());
    expectRefused(at(QStringLiteral("attach"), 0) << QStringLiteral("--url") << QStringLiteral("http://"));
    expectRefused(at(QStringLiteral("attach"), 0));
    expectRefused(at(QStringLiteral("attach"), 0) << QStringLiteral("--file") << QStringLiteral("a")
                                                  << QStringLiteral("--url") << QStringLiteral("b.org"));
    expectRefused(at(QStringLiteral("attach"), 0) << QStringLiteral("--file") << QStringLiteral("a")
                                                  << QStringLiteral("--assignment") << QStringLiteral("None"));
    expectRefused(at(QStringLiteral("detach"), 0) << QStringLiteral("--name") << QStringLiteral("None"));
}

TEST_F(AssignmentCommandsTest, ALinkWithoutANameTakesItsPageTitleOrKeepsItsAddress)
{
    TitleServer server;
    ASSERT_TRUE(server.isRunning());
    runOk(at(QStringLiteral("attach"), 3) << QStringLiteral("--url") << server.url(QStringLiteral("/latin1")));
    runOk(at(QStringLiteral("attach"), 3) << QStringLiteral("--url") << server.url(QStringLiteral("/broken")));
    QStringList names;
    for (const QJsonValue& each : attachments(3))
        names << each[u"name"].toString();
    names.sort();
    EXPECT_EQ(names, (QStringList { QStringLiteral("Caf\u00e9 cr\u00e8me"), server.url(QStringLiteral("/broken")) }));
}

TEST_F(AssignmentCommandsTest, MissingFilesAreListedAndRelinkedEverywhere)
{
    const QString kept = writeFile(QStringLiteral("kept.pdf"));
    const QString gone = path(QStringLiteral("gone.pdf"));
    runOk(at(QStringLiteral("attach"), 0) << QStringLiteral("--file") << kept);
    runOk(at(QStringLiteral("attach"), 4) << QStringLiteral("--file") << gone);
    runOk(at(QStringLiteral("assign"), 4) << QStringLiteral("--title") << QStringLiteral("Lab"));
    runOk(at(QStringLiteral("attach"), 4) << QStringLiteral("--file") << gone << QStringLiteral("--assignment")
                                          << QStringLiteral("Lab"));
    const QJsonArray listed = missing();
    ASSERT_EQ(listed.size(), 2);
    EXPECT_EQ(listed[0][u"path"].toString(), gone);
    EXPECT_EQ(listed[0][u"course"].toString(), math);
    EXPECT_EQ(listed[0][u"date"].toString(), m_dates[4]);
    EXPECT_TRUE(listed[0][u"assignment"].isNull());
    EXPECT_TRUE(listed[0][u"detail"].toString().startsWith(QStringLiteral("Attached to lesson in Math on ")));
    EXPECT_EQ(listed[1][u"assignment"].toString(), QStringLiteral("Lab"));

    expectRefused({ QStringLiteral("relink"), m_file, QStringLiteral("--from"), gone, QStringLiteral("--to"),
        path(QStringLiteral("nowhere.pdf")) });
    expectRefused({ QStringLiteral("relink"), m_file, QStringLiteral("--from"), path(QStringLiteral("other.pdf")),
        QStringLiteral("--to"), kept });
    const QString found = writeFile(QStringLiteral("found.pdf"));
    runOk({ QStringLiteral("relink"), m_file, QStringLiteral("--from"), gone, QStringLiteral("--to"), found });
    EXPECT_TRUE(missing().isEmpty());
    EXPECT_EQ(attachments(4)[0][u"path"].toString(), found);
}

TEST_F(AssignmentCommandsTest, RemovingTheLastLessonMovesWorkDueThereBack)
{
    runOk(at(QStringLiteral("assign"), 12) << QStringLiteral("--title") << QStringLiteral("Project")
                                           << QStringLiteral("--due") << m_dates[14]);
    runOk(at(QStringLiteral("remove-lesson"), 14) << QStringLiteral("--delete"));
    const QJsonArray listed = assignments(13);
    ASSERT_EQ(listed.size(), 1);
    EXPECT_EQ(listed[0][u"due"].toString(), m_dates[13]);
    EXPECT_EQ(listed[0][u"assigned"].toString(), m_dates[12]);
}

} // namespace
