#include "cli/CliFixture.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>

namespace {

const QString math = QStringLiteral("Math");
const QString art = QStringLiteral("Art");

// A three-week Monday-to-Friday year of Math and Art from 2025-09-08.
class LessonContentCommandsTest : public CliFixture {
protected:
    void SetUp() override
    {
        m_file = newTraditionalYear({ math, art });
        for (const QJsonValue& day : schoolDays(m_file))
            m_dates.append(day[u"date"].toString());
    }

    QStringList at(const QString& command, const QString& course, int slot) const
    {
        return { command, m_file, QStringLiteral("--course"), course, QStringLiteral("--date"), m_dates.at(slot) };
    }
    QJsonObject lesson(const QString& course, int slot) const
    {
        return QJsonDocument::fromJson(runOk(at(QStringLiteral("lesson"), course, slot) << QStringLiteral("--json")).out.toUtf8())
            .object();
    }
    void setTitle(const QString& course, int slot, const QString& title) const
    {
        runOk(at(QStringLiteral("set-lesson"), course, slot) << QStringLiteral("--title") << title);
    }
    QString writeFile(const QString& name, const QByteArray& contents) const
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
        return file.fileName();
    }
    QJsonArray units(const QString& course) const
    {
        return QJsonDocument::fromJson(runOk({ QStringLiteral("units"), m_file, QStringLiteral("--course"), course,
                                                   QStringLiteral("--json") })
                                           .out.toUtf8())
            .array();
    }
    QStringList unitNames(const QString& course) const
    {
        QStringList names;
        for (const QJsonValue& unit : units(course))
            names.append(unit[u"name"].toString());
        return names;
    }

    QString m_file;
    QStringList m_dates;
};

} // namespace

TEST_F(LessonContentCommandsTest, LessonShowsItsWholeContent)
{
    runOk(at(QStringLiteral("set-lesson"), math, 0)
        << QStringLiteral("--title") << QStringLiteral("Fractions") << QStringLiteral("--field")
        << QStringLiteral("homework=Page 4") << QStringLiteral("--unit") << QStringLiteral("Numbers"));
    runOk(at(QStringLiteral("lock"), math, 0));
    const QJsonObject shown = lesson(math, 0);
    EXPECT_EQ(shown[u"title"].toString(), QStringLiteral("Fractions"));
    EXPECT_TRUE(shown[u"locked"].toBool());
    EXPECT_EQ(shown[u"unit"].toString(), QStringLiteral("Numbers"));
    EXPECT_EQ(shown[u"homework"].toString(), QStringLiteral("Page 4"));
    EXPECT_EQ(shown[u"lessonBody"].toString(), QString());
    EXPECT_TRUE(shown[u"fields"][u"homework"][u"label"].isString());
    EXPECT_TRUE(shown[u"fields"][u"custom3"][u"shown"].isBool());
    EXPECT_TRUE(shown[u"assignments"].isArray());
    EXPECT_TRUE(shown[u"attachments"].isArray());
    EXPECT_TRUE(shown[u"standards"].isArray());
    EXPECT_TRUE(lesson(math, 1)[u"unit"].isNull());
}

TEST_F(LessonContentCommandsTest, SetLessonTakesRichTextFromRtfAndHtmlFiles)
{
    const QString rtf = writeFile(QStringLiteral("a.rtf"), "{\\rtf1\\ansi {\\b Bold} words\\par}");
    const QString html = writeFile(QStringLiteral("b.html"), "<p>One <i>two</i></p>");
    runOk(at(QStringLiteral("set-lesson"), math, 1) << QStringLiteral("--rtf") << QStringLiteral("lessonBody=") + rtf
                                                     << QStringLiteral("--html") << QStringLiteral("custom1=") + html);
    const QJsonObject shown = lesson(math, 1);
    EXPECT_TRUE(shown[u"lessonBody"].toString().startsWith(QStringLiteral("Bold words")));
    EXPECT_EQ(shown[u"custom1"].toString(), QStringLiteral("One two"));
}

TEST_F(LessonContentCommandsTest, FailedSetLessonLeavesTheFileAlone)
{
    const QByteArray before = fileHash(m_file);
    const CliRun missing = run(at(QStringLiteral("set-lesson"), math, 1)
        << QStringLiteral("--rtf") << QStringLiteral("homework=") + path(QStringLiteral("none.rtf")));
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.errors.count(QLatin1Char('\n')), 1);
    EXPECT_EQ(run(at(QStringLiteral("set-lesson"), math, 1) << QStringLiteral("--rtf") << QStringLiteral("nofield=x"))
                  .exitCode,
        1);
    EXPECT_EQ(fileHash(m_file), before);
}

TEST_F(LessonContentCommandsTest, CopyLessonCarriesContentToAnotherCourse)
{
    runOk(at(QStringLiteral("set-lesson"), math, 2)
        << QStringLiteral("--title") << QStringLiteral("Shared") << QStringLiteral("--field")
        << QStringLiteral("lessonBody=Plan"));
    runOk(at(QStringLiteral("copy-lesson"), math, 2)
        << QStringLiteral("--to-course") << art << QStringLiteral("--to-date") << m_dates.at(7));
    const QJsonObject copied = lesson(art, 7);
    EXPECT_EQ(copied[u"title"].toString(), QStringLiteral("Shared"));
    EXPECT_EQ(copied[u"lessonBody"].toString(), QStringLiteral("Plan"));
    EXPECT_EQ(lesson(math, 2)[u"title"].toString(), QStringLiteral("Shared"));
}

TEST_F(LessonContentCommandsTest, TemplateOverwritesFromTheStartDayThroughTheEndDay)
{
    setTitle(math, 0, QStringLiteral("T"));
    setTitle(math, 5, QStringLiteral("Old"));
    runOk(at(QStringLiteral("template"), math, 0)
        << QStringLiteral("--from") << m_dates.at(3) << QStringLiteral("--to") << m_dates.at(5));
    QStringList titles;
    for (int slot = 0; slot < 7; ++slot)
        titles.append(lesson(math, slot)[u"title"].toString());
    EXPECT_EQ(titles, QStringList({ "T", "", "", "T", "T", "T", "" }));
    EXPECT_EQ(lesson(art, 4)[u"title"].toString(), QString());
}

TEST_F(LessonContentCommandsTest, UnitsAreAddedRenamedAndDeleted)
{
    const QString add = QStringLiteral("add");
    auto unit = [&](const QStringList& rest) {
        return run(QStringList { QStringLiteral("unit"), m_file, rest.first(), QStringLiteral("--course"), math }
            + rest.mid(1));
    };
    EXPECT_EQ(unit({ add }).out.trimmed(), QStringLiteral("New Unit"));
    EXPECT_EQ(unit({ add }).out.trimmed(), QStringLiteral("New Unit 1"));
    EXPECT_TRUE(unit({ add, QStringLiteral("--name"), QStringLiteral("Unit 10") }).succeeded());
    EXPECT_TRUE(unit({ add, QStringLiteral("--name"), QStringLiteral("Unit 2") }).succeeded());
    EXPECT_EQ(unitNames(math), QStringList({ "New Unit", "New Unit 1", "Unit 2", "Unit 10" }));

    const QByteArray before = fileHash(m_file);
    const CliRun taken = unit({ QStringLiteral("rename"), QStringLiteral("--unit"), QStringLiteral("New Unit"),
        QStringLiteral("--name"), QStringLiteral("unit 2") });
    EXPECT_EQ(taken.exitCode, 1);
    EXPECT_EQ(fileHash(m_file), before);
    EXPECT_TRUE(unit({ QStringLiteral("rename"), QStringLiteral("--unit"), QStringLiteral("new unit"),
                         QStringLiteral("--name"), QStringLiteral("Algebra") })
                    .succeeded());

    runOk(at(QStringLiteral("set-lesson"), math, 0) << QStringLiteral("--unit") << QStringLiteral("Algebra")
                                                     << QStringLiteral("--title") << QStringLiteral("Kept"));
    EXPECT_TRUE(
        unit({ QStringLiteral("delete"), QStringLiteral("--unit"), QStringLiteral("Algebra") }).succeeded());
    EXPECT_EQ(unitNames(math), QStringList({ "New Unit 1", "Unit 2", "Unit 10" }));
    EXPECT_TRUE(lesson(math, 0)[u"unit"].isNull());
    EXPECT_EQ(lesson(math, 0)[u"title"].toString(), QStringLiteral("Kept"));
    EXPECT_EQ(unit({ QStringLiteral("explode") }).exitCode, 1);
}

TEST_F(LessonContentCommandsTest, UnitCopyFillsTheFollowingLessonsOrRefuses)
{
    for (int slot : { 0, 1 })
        runOk(at(QStringLiteral("set-lesson"), math, slot)
            << QStringLiteral("--unit") << QStringLiteral("Fractions") << QStringLiteral("--title")
            << QStringLiteral("F%1").arg(slot));
    const QStringList copy { QStringLiteral("unit-copy"), m_file, QStringLiteral("--course"), math,
        QStringLiteral("--unit"), QStringLiteral("Fractions"), QStringLiteral("--onto-date") };
    const QByteArray before = fileHash(m_file);
    const CliRun refused = run(copy + QStringList { m_dates.last() });
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.errors.contains(QStringLiteral("Too Few Lessons")));
    EXPECT_EQ(fileHash(m_file), before);

    runOk(copy + QStringList { m_dates.at(13) });
    EXPECT_EQ(lesson(math, 13)[u"title"].toString(), QStringLiteral("F0"));
    EXPECT_EQ(lesson(math, 14)[u"title"].toString(), QStringLiteral("F1"));
    EXPECT_EQ(lesson(math, 14)[u"unit"].toString(), QStringLiteral("Fractions 1"));
}

TEST_F(LessonContentCommandsTest, UnitExportWritesAFileAndNeverReplacesOne)
{
    runOk(at(QStringLiteral("set-lesson"), math, 0) << QStringLiteral("--unit") << QStringLiteral("Export"));
    QDir().mkpath(path(QStringLiteral("out")));
    const QStringList exportUnit { QStringLiteral("unit-export"), m_file, QStringLiteral("--course"), math,
        QStringLiteral("--unit"), QStringLiteral("Export"), QStringLiteral("--folder"), path(QStringLiteral("out")) };
    const QString first = runOk(exportUnit).out.trimmed();
    const QString second = runOk(exportUnit).out.trimmed();
    EXPECT_NE(first, second);
    EXPECT_TRUE(QFile::exists(first));
    EXPECT_TRUE(QFile::exists(second));
    EXPECT_TRUE(first.endsWith(QStringLiteral(".plist")));
    const CliRun failed = run(QStringList(exportUnit.mid(0, 7)) << path(QStringLiteral("missing")));
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_TRUE(failed.errors.contains(QStringLiteral("could not be exported")));
}

TEST_F(LessonContentCommandsTest, ClearAndClearAll)
{
    setTitle(math, 0, QStringLiteral("A"));
    setTitle(art, 1, QStringLiteral("B"));
    runOk(at(QStringLiteral("clear"), math, 0));
    EXPECT_EQ(lesson(math, 0)[u"title"].toString(), QString());
    EXPECT_EQ(lesson(art, 1)[u"title"].toString(), QStringLiteral("B"));
    const QByteArray before = fileHash(m_file);
    EXPECT_EQ(run({ QStringLiteral("clear-all"), m_file }).exitCode, 1);
    EXPECT_EQ(fileHash(m_file), before);
    runOk({ QStringLiteral("clear-all"), m_file, QStringLiteral("--yes") });
    EXPECT_EQ(lesson(art, 1)[u"title"].toString(), QString());
}

TEST_F(LessonContentCommandsTest, EveryNewCommandHasHelp)
{
    const QString help = runOk({ QStringLiteral("--help") }).out;
    for (const char* command : { "lesson FILE", "copy-lesson FILE", "template FILE", "units FILE", "unit FILE",
             "unit-copy FILE", "unit-export FILE", "clear FILE", "clear-all FILE", "--rtf KEY=FILE" })
        EXPECT_TRUE(help.contains(QLatin1String(command))) << command;
}
