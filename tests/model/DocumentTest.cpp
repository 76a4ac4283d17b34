#include "model/Document.h"

#include "ModelFixture.h"
#include "foundation/richtext/RichText.h"
#include "model/Day.h"
#include "model/DocumentLock.h"
#include "model/Lesson.h"
#include "model/Week.h"
#include "model/Year.h"
#include "store/SqliteStore.h"
#include "store/sqlite/FMDatabase.h"
#include "testlib/FileHash.h"
#include "testlib/LocalDate.h"
#include "testlib/OlderDocumentLayout.h"
#include "testlib/ScriptedAlertPresenter.h"
#include "testlib/ScriptedFileChooser.h"
#include "testlib/TemporaryPreferences.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>

namespace {

class DocumentTest : public testing::Test {
protected:
    QTemporaryDir folder;
    TemporaryPreferences preferences;
    ScriptedAlertPresenter alerts;
    ScriptedFileChooser files;

    QString path(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }

    // A year with one day and one lesson whose times sit on another date.
    static void buildYear(ObjectContext& context)
    {
        auto* year = context.insert<Year>(QStringLiteral("Year"));
        auto* week = context.insert<Week>(QStringLiteral("Week"));
        auto* day = context.insert<Day>(QStringLiteral("Day"));
        auto* lesson = context.insert<Lesson>(QStringLiteral("Lesson"));
        week->setObject(u"year", year);
        day->setObject(u"week", week);
        day->setDate(u"actualDate", local(2026, 9, 8));
        lesson->setObject(u"dayTaught", day);
        lesson->setDate(u"startTime", local(2026, 1, 1, 9, 45));
        lesson->setDate(u"endTime", local(2026, 1, 1, 10, 30));
    }

    // Writes a file as a version that did not yet keep lesson times on their days.
    QString savedWithoutSandboxMark(const char* name)
    {
        Document document(alerts, files);
        buildYear(document.context());
        EXPECT_TRUE(document.saveAs(path(name)).ok());
        auto db = FMDatabase::databaseWithPath(path(name));
        EXPECT_TRUE(db->open());
        EXPECT_TRUE(db->executeUpdate(QStringLiteral(
            "UPDATE Z_METADATA SET Z_PLIST = replace(Z_PLIST, '<key>updatedForSandbox</key>', '<key>other</key>')")));
        return path(name);
    }

    static Lesson* onlyLesson(Document& document)
    {
        return document.context().fetch<Lesson>({ QStringLiteral("Lesson"), {}, {} }).value(0);
    }
};

} // namespace

TEST_F(DocumentTest, NewDocumentHasNoYearAndNeverAutosaves)
{
    Document document(alerts, files);
    EXPECT_EQ(document.getCurrentYear(), nullptr);
    EXPECT_FALSE(document.autosave());
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

TEST_F(DocumentTest, SaveMarksTheFileAndRemembersItForStartUp)
{
    Document document(alerts, files);
    buildYear(document.context());
    ASSERT_TRUE(document.saveAs(path("Biology.semestra")).ok());
    EXPECT_EQ(document.filePath(), path("Biology.semestra"));
    EXPECT_EQ(preferences.preferences().stringValue(QStringLiteral("lastFileURLLeopard")), path("Biology.semestra"));

    const auto metadata = SqliteStore::readMetadata(path("Biology.semestra"));
    ASSERT_TRUE(metadata.ok());
    EXPECT_EQ(metadata->value(QStringLiteral("ManagedObjectModelVersion")).toInt(), 21);
    EXPECT_TRUE(metadata->value(QStringLiteral("updatedForSandbox")).toBool());
    EXPECT_TRUE(metadata->value(QStringLiteral("updatedForWindows")).toBool());

    onlyLesson(document)->setValue(u"lessonTitle", QStringLiteral("Cells"));
    EXPECT_TRUE(document.autosave());
    Document reopened(alerts, files);
    ASSERT_TRUE(reopened.open(path("Biology.semestra")).ok());
    EXPECT_EQ(onlyLesson(reopened)->lessonTitle(), QStringLiteral("Cells"));
}

TEST_F(DocumentTest, OpeningAnUnmarkedFileMovesLessonTimesOntoTheirDays)
{
    const QString file = savedWithoutSandboxMark("old-times.semestra");
    Document document(alerts, files);
    ASSERT_TRUE(document.open(file).ok());
    EXPECT_EQ(onlyLesson(document)->startTime(), local(2026, 9, 8, 9, 45));
    EXPECT_EQ(onlyLesson(document)->endTime(), local(2026, 9, 8, 10, 30));

    // A marked file is trusted as it is.
    Document marked(alerts, files);
    buildYear(marked.context());
    ASSERT_TRUE(marked.saveAs(path("marked.semestra")).ok());
    Document again(alerts, files);
    ASSERT_TRUE(again.open(path("marked.semestra")).ok());
    EXPECT_EQ(onlyLesson(again)->startTime(), local(2026, 1, 1, 9, 45));
}

TEST_F(DocumentTest, WindowSetUpRepairsFieldsAndTimes)
{
    Document document(alerts, files);
    buildYear(document.context());
    Lesson* lesson = onlyLesson(document);
    lesson->setValue(u"homework", RichText::fromPlainText(QStringLiteral("old text")));
    lesson->setValue(u"homeworkString", QStringLiteral("text from the service"));
    document.setUpForWindow();
    EXPECT_EQ(RichText::plainText(lesson->value<QByteArray>(u"homework")), QStringLiteral("text from the service"));
    EXPECT_EQ(lesson->startTime(), local(2026, 9, 8, 9, 45));
}

TEST_F(DocumentTest, HistoryStartsAfterTheWindowsRepairsLastsThroughSavesAndEndsWithTheOldYear)
{
    Document document(alerts, files);
    buildYear(document.context());
    UndoHistory& history = document.context().undoHistory();
    EXPECT_FALSE(history.isEnabled()) << "building a year keeps no history";
    onlyLesson(document)->setValue(u"homework", RichText::fromPlainText(QStringLiteral("old text")));
    onlyLesson(document)->setValue(u"homeworkString", QStringLiteral("repaired"));

    document.setUpForWindow();
    EXPECT_FALSE(history.canUndo()) << "the repairs are no step of the teacher's";
    onlyLesson(document)->setValue(u"lessonTitle", QStringLiteral("Fractions"));
    ASSERT_TRUE(document.saveAs(path("kept.semestra")).ok());
    EXPECT_TRUE(history.canUndo());

    document.detachFromFile();
    EXPECT_FALSE(history.canUndo());
}

class DocumentUpgradeTest : public DocumentTest {
protected:
    // A version-20 file: no tags, no holiday type.
    QString version20File()
    {
        const QString file = savedWithoutSandboxMark("Old Year.semestra");
        rewriteAsVersion20(file);
        return file;
    }
};

TEST_F(DocumentUpgradeTest, OlderFileIsConvertedIntoTheChosenFileAndOpened)
{
    const QString old = version20File();
    const QByteArray before = fileHash(old);
    alerts.answerNext(AlertDefaultReturn); // Upgrade
    alerts.answerNext(AlertDefaultReturn); // Ok
    files.answerNext(path("Upgraded.semestra"));

    Document document(alerts, files);
    ASSERT_TRUE(document.open(old).ok());
    ASSERT_EQ(alerts.shown().size(), 2);
    EXPECT_EQ(alerts.shown()[0].title, QStringLiteral("Semestra File Must Be Upgraded"));
    EXPECT_EQ(alerts.shown()[1].title, QStringLiteral("Upgrade Successful"));
    ASSERT_EQ(files.savePanels().size(), 1);
    EXPECT_EQ(files.savePanels()[0].title, QStringLiteral("Document Migration"));
    EXPECT_EQ(files.savePanels()[0].proposedName, QStringLiteral("Old Year.semestra"));
    EXPECT_EQ(files.savePanels()[0].directory, folder.path());

    EXPECT_EQ(document.filePath(), path("Upgraded.semestra"));
    EXPECT_NE(document.getCurrentYear(), nullptr);
    EXPECT_EQ(fileHash(old), before);
    // Nothing of the work is left behind, only the open document's lock.
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
        QStringList({ QFileInfo(DocumentLock::lockFilePath(path("Upgraded.semestra"))).fileName(), "Old Year.semestra",
            "Upgraded.semestra" }));
}

TEST_F(DocumentUpgradeTest, DecliningOrCancellingOpensNothing)
{
    const QString old = version20File();
    alerts.answerNext(AlertAlternateReturn); // Cancel
    Document declined(alerts, files);
    EXPECT_TRUE(declined.open(old).ok());
    EXPECT_TRUE(declined.filePath().isEmpty());
    EXPECT_TRUE(files.savePanels().isEmpty());

    alerts.answerNext(AlertDefaultReturn);
    files.answerNext(std::nullopt);
    Document cancelled(alerts, files);
    EXPECT_TRUE(cancelled.open(old).ok());
    EXPECT_TRUE(cancelled.filePath().isEmpty());
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList { "Old Year.semestra" });
}

TEST_F(DocumentUpgradeTest, FileWithNoKnownConversionFailsAndStaysUntouched)
{
    const QString old = version20File();
    auto db = FMDatabase::databaseWithPath(old);
    ASSERT_TRUE(db->open());
    ASSERT_TRUE(db->executeUpdate(QStringLiteral(
        "UPDATE Z_METADATA SET Z_PLIST = replace(Z_PLIST, '<integer>20</integer>', '<integer>19</integer>')")));
    db->close();
    const QByteArray before = fileHash(old);
    alerts.answerNext(AlertDefaultReturn);
    files.answerNext(path("Upgraded.semestra"));

    Document document(alerts, files);
    EXPECT_FALSE(document.open(old).ok());
    EXPECT_EQ(alerts.shown().size(), 1);
    EXPECT_EQ(fileHash(old), before);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
        QStringList { "Old Year.semestra" });
}

namespace {

// Two documents on one file stand for two processes: a file claimed by one
// document is claimed for anyone else too, in this process or another.
class DocumentLockTest : public DocumentTest {
protected:
    void SetUp() override
    {
        Document writer(alerts, files);
        buildYear(writer.context());
        ASSERT_TRUE(writer.saveAs(file).ok());
    }

    void retitle(Document& document, const QString& title) { onlyLesson(document)->setValue(u"lessonTitle", title); }

    QString titleIn(const QString& path)
    {
        Document reader(alerts, files);
        EXPECT_TRUE(reader.open(path).ok());
        return onlyLesson(reader)->lessonTitle();
    }

    const QString file = path("Shared.semestra");
};

} // namespace

TEST_F(DocumentLockTest, SecondOpeningIsReadOnlyAndNeverWritesTheFile)
{
    Document first(alerts, files);
    ASSERT_TRUE(first.open(file).ok());
    EXPECT_FALSE(first.isReadOnly());

    Document second(alerts, files);
    ASSERT_TRUE(second.open(file).ok());
    EXPECT_TRUE(second.isReadOnly());
    retitle(second, QStringLiteral("Overwritten"));
    const QByteArray before = fileHash(file);
    EXPECT_FALSE(second.autosave());
    const Status saved = second.save();
    EXPECT_FALSE(saved.ok());
    EXPECT_TRUE(saved.error().contains(QStringLiteral("Shared.semestra"))) << saved.error().toStdString();
    EXPECT_FALSE(second.saveAs(file).ok());
    EXPECT_EQ(fileHash(file), before);

    // The first document still saves in place.
    retitle(first, QStringLiteral("Kept"));
    EXPECT_TRUE(first.save().ok());
    EXPECT_EQ(titleIn(file), QStringLiteral("Kept"));
}

TEST_F(DocumentLockTest, ReadOnlyDocumentSavesAsAnotherFileAndBecomesWritable)
{
    Document first(alerts, files);
    ASSERT_TRUE(first.open(file).ok());
    Document second(alerts, files);
    ASSERT_TRUE(second.open(file).ok());
    retitle(second, QStringLiteral("Mine"));

    ASSERT_TRUE(second.saveAs(path("Mine.semestra")).ok());
    EXPECT_FALSE(second.isReadOnly());
    retitle(second, QStringLiteral("Mine, later"));
    EXPECT_TRUE(second.autosave());
    EXPECT_EQ(titleIn(path("Mine.semestra")), QStringLiteral("Mine, later"));

    Document third(alerts, files);
    ASSERT_TRUE(third.open(file).ok());
    EXPECT_TRUE(third.isReadOnly()) << "the first document still holds the file";
}

TEST_F(DocumentLockTest, ClosingOrSavingElsewhereLetsTheFileGo)
{
    {
        Document first(alerts, files);
        ASSERT_TRUE(first.open(file).ok());
    }
    Document reopened(alerts, files);
    ASSERT_TRUE(reopened.open(file).ok());
    EXPECT_FALSE(reopened.isReadOnly());

    ASSERT_TRUE(reopened.saveAs(path("Moved.semestra")).ok());
    Document old(alerts, files);
    ASSERT_TRUE(old.open(file).ok());
    EXPECT_FALSE(old.isReadOnly()) << "Save As moves the claim to the new file";
    Document moved(alerts, files);
    ASSERT_TRUE(moved.open(path("Moved.semestra")).ok());
    EXPECT_TRUE(moved.isReadOnly());

    // Save As onto a file another document holds is refused.
    const QByteArray before = fileHash(path("Moved.semestra"));
    EXPECT_FALSE(old.saveAs(path("Moved.semestra")).ok());
    EXPECT_EQ(fileHash(path("Moved.semestra")), before);
    EXPECT_EQ(old.filePath(), file);
}

TEST_F(DocumentLockTest, LockOfAProcessThatEndedIsTakenOver)
{
    QProcess ended;
    ended.start(QStringLiteral("true"));
    ASSERT_TRUE(ended.waitForStarted());
    const qint64 pid = ended.processId();
    ASSERT_TRUE(ended.waitForFinished());
    QFile lock(DocumentLock::lockFilePath(file));
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write(QByteArray::number(pid) + "\nsemestra\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    lock.close();
    EXPECT_TRUE(QFileInfo(lock.fileName()).isHidden());

    Document document(alerts, files);
    ASSERT_TRUE(document.open(file).ok());
    EXPECT_FALSE(document.isReadOnly());
}

TEST_F(DocumentLockTest, DetachedDocumentLetsItsOldFileGo)
{
    Document migrated(alerts, files);
    ASSERT_TRUE(migrated.open(file).ok());
    migrated.detachFromFile();
    Document other(alerts, files);
    ASSERT_TRUE(other.open(file).ok());
    EXPECT_FALSE(other.isReadOnly());
}
