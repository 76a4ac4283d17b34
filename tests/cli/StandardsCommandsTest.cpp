#include "cli/CliFixture.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonDocument>

namespace {

const QString math = QStringLiteral("Math");
const QString art = QStringLiteral("Art");

// A three-week Monday-to-Friday year of Math and Art from 2025-09-08.
class StandardsCommandsTest : public CliFixture {
protected:
    void SetUp() override
    {
        m_file = newTraditionalYear({ math, art });
        for (const QJsonValue& day : schoolDays(m_file))
            m_dates.append(day[u"date"].toString());
    }

    QString writeFile(const QString& name, const QByteArray& contents) const
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
        return file.fileName();
    }
    QJsonObject tree() const
    {
        return QJsonDocument::fromJson(runOk({ "standards", m_file, "--json" }).out.toUtf8()).object();
    }
    static QJsonObject child(const QJsonObject& standard, const QString& shortName)
    {
        for (const QJsonValue& value : standard[u"children"].toArray()) {
            if (value[u"shortName"].toString() == shortName)
                return value.toObject();
        }
        return {};
    }
    QStringList lessonAt(const QString& command, const QString& course, int slot) const
    {
        return { command, m_file, "--course", course, "--date", m_dates.at(slot) };
    }
    QJsonArray search(const QString& term) const
    {
        return QJsonDocument::fromJson(runOk({ "search", m_file, term, "--json" }).out.toUtf8()).array();
    }
    QStringList library(const QStringList& arguments) const
    {
        return QStringList { "library" } + arguments + QStringList { "--library", path("lib/library.plist") };
    }
    QJsonArray libraryList() const
    {
        return QJsonDocument::fromJson(runOk(library({ "list", "--json" })).out.toUtf8()).array();
    }

    QString m_file;
    QStringList m_dates;
};

TEST_F(StandardsCommandsTest, AddedStandardsFormATreeThatListsItsLinkedLessons)
{
    runOk({ "standard-add", m_file, "--text", "Number sense", "--short", "N" });
    runOk({ "standard-add", m_file, "--text", "Count to 100", "--short", "N.1", "--parent", "N" });
    runOk(lessonAt("link-standard", math, 0) << "--standard"
                                             << "N.1");
    runOk(lessonAt("link-standard", art, 2) << "--standard"
                                            << "N.1");
    runOk(lessonAt("link-standard", art, 2) << "--standard"
                                            << "N.1");
    const QJsonObject root = tree();
    EXPECT_EQ(root[u"shortName"].toString(), QStringLiteral("All Standards"));
    const QJsonObject leaf = child(child(root, "N"), "N.1");
    EXPECT_EQ(leaf[u"text"].toString(), QStringLiteral("Count to 100"));
    EXPECT_EQ(leaf[u"lessons"].toInt(), 2) << "linking twice keeps one link";
    runOk(lessonAt("link-standard", art, 2) << "--standard"
                                            << "N.1"
                                            << "--off");
    EXPECT_EQ(child(child(tree(), "N"), "N.1")[u"lessons"].toInt(), 1);
}

TEST_F(StandardsCommandsTest, FailuresLeaveTheFileAsItWas)
{
    runOk({ "standard-add", m_file, "--text", "Group", "--short", "G" });
    const QByteArray before = fileHash(m_file);
    const QList<QStringList> failing {
        { "standard-add", m_file, "--text", "X", "--parent", "nope" },
        { "standard-remove", m_file, "--short", "G" },
        { "standard-remove", m_file, "--short", "nope", "--yes" },
        lessonAt("link-standard", math, 0) << "--standard"
                                           << "nope",
        { "standards-import", m_file, writeFile("binary.csv", QByteArray("PK\x03\x04\x00\x01", 6)) },
        { "standards-export", m_file, "--folder", path("missing") },
    };
    for (const QStringList& arguments : failing) {
        const CliRun result = run(arguments);
        EXPECT_NE(result.exitCode, 0) << arguments.join(' ').toStdString();
        EXPECT_FALSE(result.errors.isEmpty());
        EXPECT_EQ(fileHash(m_file), before) << arguments.join(' ').toStdString();
    }
    EXPECT_TRUE(run(failing.at(4)).errors.contains(QStringLiteral("Wrong Text Encoding")));
    EXPECT_EQ(run({ "standards", m_file, "extra" }).exitCode, 2);
}

TEST_F(StandardsCommandsTest, RemovingAGroupTakesItsStandardsAndTheirLinks)
{
    runOk({ "standard-add", m_file, "--text", "Group", "--short", "G" });
    runOk({ "standard-add", m_file, "--text", "Leaf", "--short", "G.1", "--parent", "G" });
    runOk(lessonAt("link-standard", math, 1) << "--standard"
                                             << "G.1");
    const CliRun removed = runOk({ "standard-remove", m_file, "--short", "G", "--yes" });
    EXPECT_TRUE(removed.errors.contains(QStringLiteral("1 lesson will lose its link")));
    EXPECT_TRUE(tree()[u"children"].toArray().isEmpty());
    const QJsonObject lesson
        = QJsonDocument::fromJson(runOk(lessonAt("lesson", math, 1) << "--json").out.toUtf8()).object();
    EXPECT_TRUE(lesson[u"standards"].toArray().isEmpty());
}

TEST_F(StandardsCommandsTest, ImportPrintsItsCountsAndExportImportsBackTheSameTree)
{
    const QString csv
        = writeFile("list.csv", "Reading,RD,\"Main idea, details\",RD.1\r\nReading,RD,Theme,RD.2\r\nx,y,z\r\n");
    const CliRun first = runOk({ "standards-import", m_file, csv });
    EXPECT_TRUE(first.out.contains(QStringLiteral("added 2, skipped 0, refused 1"))) << first.out.toStdString();
    const CliRun again = runOk({ "standards-import", m_file, csv });
    EXPECT_TRUE(again.out.contains(QStringLiteral("added 0, skipped 2, refused 1")));
    const QJsonObject imported = tree();

    QDir().mkpath(path("out"));
    const QString exported = runOk({ "standards-export", m_file, "--folder", path("out") }).out.trimmed();
    EXPECT_TRUE(QFile::exists(exported));
    runOk({ "standard-remove", m_file, "--short", "RD", "--yes" });
    ASSERT_TRUE(tree()[u"children"].toArray().isEmpty());
    runOk({ "standards-import", m_file, exported });
    EXPECT_EQ(tree(), imported);
}

TEST_F(StandardsCommandsTest, SearchListsMatchesInDateOrderIgnoringCase)
{
    runOk(lessonAt("set-lesson", art, 4) << "--title"
                                         << "Drawing Maps");
    runOk(lessonAt("set-lesson", math, 1) << "--field"
                                          << "homework=Read the map");
    runOk(lessonAt("set-lesson", math, 3) << "--title"
                                          << "Graphs");
    const QJsonArray found = search("MAP");
    ASSERT_EQ(found.size(), 2);
    EXPECT_EQ(found[0][u"date"].toString(), m_dates.at(1));
    EXPECT_EQ(found[0][u"course"].toString(), math);
    EXPECT_TRUE(found[0][u"title"].isNull());
    EXPECT_EQ(found[1][u"title"].toString(), QStringLiteral("Drawing Maps"));
    EXPECT_TRUE(search("volcano").isEmpty());
}

TEST_F(StandardsCommandsTest, TheLibraryAddsListsAndRemovesByTheListedIndex)
{
    runOk(lessonAt("set-lesson", math, 0) << "--title"
                                          << "Zebra");
    runOk(lessonAt("set-lesson", math, 1) << "--title"
                                          << "Apple");
    runOk(library(lessonAt("add", math, 0)));
    runOk(library(lessonAt("add", math, 1)));
    QJsonArray entries = libraryList();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0][u"title"].toString(), QStringLiteral("Apple"));
    runOk(library({ "remove", "0" }));
    entries = libraryList();
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0][u"title"].toString(), QStringLiteral("Zebra"));
    EXPECT_EQ(run(library({ "remove", "5" })).exitCode, 1);
    EXPECT_EQ(run(library({ "remove" })).exitCode, 1);
}

TEST_F(StandardsCommandsTest, ADamagedLibraryIsRefusedAndKept)
{
    QDir().mkpath(path("lib"));
    const QString file = writeFile("lib/library.plist", "<?xml version=\"1.0\"?><plist><dict><key>0");
    const QByteArray before = fileHash(file);
    const CliRun added = run(library(lessonAt("add", math, 0)));
    EXPECT_EQ(added.exitCode, 1);
    EXPECT_TRUE(added.errors.contains(QStringLiteral("Library Unreadable")));
    EXPECT_EQ(run(library({ "list" })).exitCode, 1);
    EXPECT_EQ(fileHash(file), before);
}

TEST_F(StandardsCommandsTest, WithoutAPathTheLibraryLivesInTheUsersDataFolder)
{
    runOk({ "library", "add", m_file, "--course", math, "--date", m_dates.at(0) });
    QStringList found;
    QDirIterator it(path({}), { "library.plist" }, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        found.append(it.next());
    ASSERT_EQ(found.size(), 1);
    EXPECT_TRUE(found.first().contains(QStringLiteral("/.local/share/"))) << found.first().toStdString();
    EXPECT_EQ(QJsonDocument::fromJson(runOk({ "library", "list", "--json" }).out.toUtf8()).array().size(), 1);
}

} // namespace
