#include "cli/CliFixture.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>

namespace {

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

// Last year: three Monday-to-Friday weeks of Math and Art from 2025-09-08,
// Math's lessons titled by their date. This year: the same weeks a year on,
// with Art only.
class ExchangeCommandsTest : public CliFixture {
protected:
    void SetUp() override
    {
        m_lastYear = newTraditionalYear({ S("Math"), S("Art") });
        for (const QJsonValue& day : schoolDays(m_lastYear)) {
            const QString date = day[u"date"].toString();
            runOk({ S("set-lesson"), m_lastYear, S("--course"), S("Math"), S("--date"), date, S("--title"), date });
        }
        m_thisYear = path(S("next.semestra"));
        runOk({ S("new"), m_thisYear, S("--start"), S("2026-09-07"), S("--end"), S("2026-09-25"), S("--days"),
            S("mon,tue,wed,thu,fri"), S("--course"), S("Art") });
        QDir(path(QString())).mkpath(S("out"));
    }

    QString exportMath(const QStringList& extra = {}) const
    {
        const CliRun run = runOk(
            QStringList { S("export-course"), m_lastYear, S("--course"), S("Math"), S("--folder"), path(S("out")) }
            + extra);
        return run.out.trimmed();
    }
    QString titleOn(const QString& course, const QString& date) const
    {
        const CliRun run = runOk({ S("lesson"), m_thisYear, S("--course"), course, S("--date"), date, S("--json") });
        return QJsonDocument::fromJson(run.out.toUtf8()).object()[u"title"].toString();
    }

    QString m_lastYear;
    QString m_thisYear;
};

TEST_F(ExchangeCommandsTest, ARangeExportedAndImportedAsANewCourseStartsOnItsFirstDays)
{
    const QString file = exportMath({ S("--from"), S("2025-09-10"), S("--to"), S("2025-09-12") });
    EXPECT_TRUE(QFileInfo(file).fileName().startsWith(S("Math-")));
    EXPECT_TRUE(QFile::exists(file));

    runOk({ S("import-course"), m_thisYear, file, S("--new"), S("--start"), S("2026-09-08") });
    EXPECT_EQ(titleOn(S("Math"), S("2026-09-07")), QString());
    EXPECT_EQ(titleOn(S("Math"), S("2026-09-08")), S("2025-09-10"));
    EXPECT_EQ(titleOn(S("Math"), S("2026-09-10")), S("2025-09-12"));
    EXPECT_EQ(titleOn(S("Math"), S("2026-09-11")), QString());
}

TEST_F(ExchangeCommandsTest, QuestionsWantYesAndARefusalLeavesTheFileAsItWas)
{
    const QString file = exportMath();
    const QByteArray before = fileHash(m_thisYear);
    const CliRun refused
        = run({ S("import-course"), m_thisYear, file, S("--into"), S("Art"), S("--start"), S("2026-09-21") });
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.errors.contains(S("Overwrite Existing Lessons?")));
    EXPECT_TRUE(refused.errors.contains(S("--yes")));
    EXPECT_EQ(fileHash(m_thisYear), before);

    // Fifteen lessons onto the last five days asks twice.
    const CliRun answered = runOk(
        { S("import-course"), m_thisYear, file, S("--into"), S("Art"), S("--start"), S("2026-09-21"), S("--yes") });
    EXPECT_TRUE(answered.errors.contains(S("Too Many Lessons")));
    EXPECT_EQ(titleOn(S("Art"), S("2026-09-18")), QString());
    EXPECT_EQ(titleOn(S("Art"), S("2026-09-21")), S("2025-09-08"));
    EXPECT_EQ(titleOn(S("Art"), S("2026-09-25")), S("2025-09-12"));
}

TEST_F(ExchangeCommandsTest, BadInputFailsOnOneLineAndChangesNothing)
{
    QFile broken(path(S("broken.plist")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("{ courseName = ");
    broken.close();
    const QByteArray before = fileHash(m_thisYear);
    const CliRun unreadable
        = run({ S("import-course"), m_thisYear, broken.fileName(), S("--new"), S("--start"), S("2026-09-08") });
    EXPECT_EQ(unreadable.exitCode, 1);
    EXPECT_TRUE(unreadable.errors.contains(S("could not be imported")));
    const CliRun outside
        = run({ S("import-course"), m_thisYear, exportMath(), S("--new"), S("--start"), S("2027-01-04") });
    EXPECT_EQ(outside.exitCode, 1);
    const CliRun noFolder
        = run({ S("export-course"), m_lastYear, S("--course"), S("Math"), S("--folder"), path(S("missing")) });
    EXPECT_EQ(noFolder.exitCode, 1);
    EXPECT_TRUE(noFolder.errors.contains(S("could not be exported")));
    EXPECT_FALSE(noFolder.errors.contains(S("successfully")));
    const CliRun usage = run({ S("import-course"), m_thisYear });
    EXPECT_EQ(usage.exitCode, 2);
    EXPECT_EQ(fileHash(m_thisYear), before);
    EXPECT_TRUE(runOk({ S("--help") }).out.contains(S("import-course FILE SOURCE.plist")));
}

} // namespace
