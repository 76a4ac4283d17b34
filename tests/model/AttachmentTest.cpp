#include "ModelFixture.h"
#include "ScheduleBuilder.h"
#include "model/AssignedFile.h"
#include "model/AssignedWebLink.h"
#include "model/Assignment.h"
#include "model/AttachedFile.h"
#include "model/AttachedWebLink.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/Year.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

class AttachmentTest : public ModelFixture {
protected:
    AttachmentTest()
    {
        math = b.course(QStringLiteral("Math"));
        lessons = b.lessonsOn(math, { b.day(1), b.day(2), b.day(3) }, 9);
    }

    Year* year() const { return b.year(); }
    QString pathIn(const QString& name) const { return folder.filePath(name); }
    QString makeFile(const QString& name, qint64 size = 10) const
    {
        QFile file(pathIn(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        EXPECT_TRUE(file.resize(size));
        return file.fileName();
    }

    ScheduleBuilder b { *context, 2026, 3, 1, 1 };
    Course* math = nullptr;
    QList<Lesson*> lessons;
    QTemporaryDir folder;
};

TEST_F(AttachmentTest, FileURLIsStoredAsAPlainPathNamedWithoutExtensionAndEscapes)
{
    AttachedFile* file = lessons[0]->addFileWithPath(QStringLiteral("file:///home/t/My%20Notes.final.pdf"));
    EXPECT_EQ(file->filePath(), QStringLiteral("/home/t/My Notes.final.pdf"));
    EXPECT_EQ(file->name(), QStringLiteral("My Notes.final"));
    EXPECT_EQ(file->attachmentName(), QStringLiteral("(File) My Notes.final -- (pdf)"));
    EXPECT_EQ(file->shortFilePath(), QStringLiteral("My Notes.final.pdf"));
    EXPECT_TRUE(file->isPublished());
    EXPECT_TRUE(file->lastUpdated().has_value());
    EXPECT_TRUE(file->sandboxURL().isEmpty());
    EXPECT_EQ(lessons[0]->attachments(), QList<Attachment*> { file });
}

TEST_F(AttachmentTest, FileURLWithAHostNamesTheSamePath)
{
    EXPECT_EQ(AttachedFile::plainPath(QStringLiteral("file://localhost/srv/a%C3%A9.txt")), QStringLiteral("/srv/aé.txt"));
    EXPECT_EQ(AttachedFile::plainPath(QStringLiteral("/srv/a%20b.txt")), QStringLiteral("/srv/a%20b.txt"));
}

TEST_F(AttachmentTest, EscapesInAPlainPathAreDecodedOnlyInTheName)
{
    AttachedFile* file = lessons[0]->addFileWithPath(QStringLiteral("/tmp/Unit%201%20%C3%A9t%C3%A9.docx"));
    EXPECT_EQ(file->filePath(), QStringLiteral("/tmp/Unit%201%20%C3%A9t%C3%A9.docx"));
    EXPECT_EQ(file->name(), QStringLiteral("Unit 1 été"));
}

TEST_F(AttachmentTest, NamesThatWouldDecodeBadlyStayReadable)
{
    EXPECT_EQ(AttachedFile::nameForPath(QStringLiteral("/tmp/bad%FFname.txt")), QStringLiteral("bad%FFname"));
    EXPECT_EQ(AttachedFile::nameForPath(QStringLiteral("/tmp/half%C3.txt")), QStringLiteral("half%C3"));
    EXPECT_EQ(AttachedFile::nameForPath(QStringLiteral("/tmp/line%0Abreak.txt")), QStringLiteral("line%0Abreak"));
    EXPECT_EQ(AttachedFile::nameForPath(QStringLiteral("/tmp/tab\there.txt")), QStringLiteral("tab%09here"));
    EXPECT_EQ(AttachedFile::nameForPath(QStringLiteral("/tmp/100%.txt")), QStringLiteral("100%"));
    // A file URL whose escapes are not UTF-8 keeps them in its path.
    EXPECT_EQ(AttachedFile::plainPath(QStringLiteral("file:///tmp/x%FF.txt")), QStringLiteral("/tmp/x%FF.txt"));
}

TEST_F(AttachmentTest, NamesWithoutExtensionOrPath)
{
    AttachedFile* readme = lessons[0]->addFileWithPath(QStringLiteral("/tmp/README"));
    EXPECT_EQ(readme->attachmentName(), QStringLiteral("(File) README"));
    EXPECT_EQ(readme->displayFileName(), QStringLiteral("README"));
    readme->setValue(u"filePath", QString());
    EXPECT_EQ(readme->displayFileName(), QStringLiteral("Missing File Name"));
}

TEST_F(AttachmentTest, DailyReportLinesAddWhereTheyPointAndTheirNotes)
{
    AttachedFile* file = lessons[0]->addFileWithPath(QStringLiteral("/tmp/map.png"));
    EXPECT_EQ(file->stringForDailyReport(), QStringLiteral("\t(File) map -- (png) - map.png"));
    file->setValue(u"notes", QStringLiteral("colour copies"));
    EXPECT_EQ(file->stringForDailyReport(), QStringLiteral("\t(File) map -- (png) - map.png: colour copies"));
    AttachedWebLink* link = lessons[0]->addWebLinkWithURL(QStringLiteral("https://example.org/a"), QStringLiteral("Atlas"));
    EXPECT_EQ(link->stringForDailyReport(), QStringLiteral("\t(Web) Atlas - https://example.org/a"));
}

TEST_F(AttachmentTest, ALinkWithoutATitleIsNamedByItsAddress)
{
    AttachedWebLink* link = lessons[1]->addWebLinkWithURL(QStringLiteral("https://example.org/x"));
    EXPECT_EQ(link->name(), link->url());
    EXPECT_EQ(link->notes(), QString());
    EXPECT_TRUE(link->isPublished());
    EXPECT_EQ(link->lesson(), lessons[1]);
}

TEST_F(AttachmentTest, TypedAddressesGetASchemeAndEmptyOnesAreRefused)
{
    EXPECT_EQ(AttachedWebLink::addressFromTyped(QStringLiteral("example.com/a")), QStringLiteral("http://example.com/a"));
    EXPECT_EQ(AttachedWebLink::addressFromTyped(QStringLiteral(" https://x.org ")), QStringLiteral("https://x.org"));
    EXPECT_EQ(AttachedWebLink::addressFromTyped(QStringLiteral("ftp.example.com")),
        QStringLiteral("http://ftp.example.com"));
    EXPECT_FALSE(AttachedWebLink::addressFromTyped(QString()).has_value());
    EXPECT_FALSE(AttachedWebLink::addressFromTyped(QStringLiteral("   ")).has_value());
    EXPECT_FALSE(AttachedWebLink::addressFromTyped(QStringLiteral("http://")).has_value());
    EXPECT_FALSE(AttachedWebLink::addressFromTyped(QStringLiteral("https://")).has_value());
    // Schemes are typed in capitals too.
    EXPECT_EQ(AttachedWebLink::addressFromTyped(QStringLiteral("HTTPS://Example.org/A")),
        QStringLiteral("https://Example.org/A"));
    EXPECT_EQ(AttachedWebLink::addressFromTyped(QStringLiteral("Http://x.org")), QStringLiteral("http://x.org"));
}

TEST_F(AttachmentTest, SizeLimitAllowsExactlyTwentyMebibytes)
{
    AttachedFile* atLimit = lessons[0]->addFileWithPath(makeFile(QStringLiteral("limit.bin"), AttachedFile::sizeLimit));
    AttachedFile* over = lessons[0]->addFileWithPath(makeFile(QStringLiteral("over.bin"), AttachedFile::sizeLimit + 1));
    AttachedFile* gone = lessons[0]->addFileWithPath(pathIn(QStringLiteral("gone.bin")));
    EXPECT_EQ(AttachedFile::sizeLimit, 20971520);
    EXPECT_TRUE(atLimit->isUnder20Meg());
    EXPECT_FALSE(over->isUnder20Meg());
    EXPECT_FALSE(gone->isUnder20Meg());
    AttachedFile* byURL = lessons[0]->addFileWithPath(QStringLiteral("file://") + makeFile(QStringLiteral("u.bin")));
    EXPECT_TRUE(byURL->isUnder20Meg());
}

TEST_F(AttachmentTest, RemovingFromALessonRecordsTheLessonTypeWords)
{
    AttachedFile* file = lessons[0]->addFileWithPath(QStringLiteral("/tmp/a.pdf"));
    file->setValue(u"syncID", QStringLiteral("F1"));
    AttachedWebLink* link = lessons[0]->addWebLinkWithURL(QStringLiteral("https://example.org/"));
    link->setValue(u"syncID", QStringLiteral("W1"));
    link->removeFromLesson();
    file->removeFromLesson();
    EXPECT_EQ(year()->deleteStack(), QStringLiteral("W1:attachlink,F1:attachfile,"));
    EXPECT_TRUE(lessons[0]->attachments().isEmpty());
    EXPECT_TRUE(file->isDeleted());
}

TEST_F(AttachmentTest, MissingFilesAreListedLessonsFirstWithWhereTheyHang)
{
    const QString present = makeFile(QStringLiteral("here.pdf"));
    Assignment* essay = lessons[0]->addAssignment();
    AssignedFile* assigned = essay->addFileWithPath(pathIn(QStringLiteral("gone.pdf")));
    AttachedFile* missing = lessons[2]->addFileWithPath(pathIn(QStringLiteral("gone.pdf")));
    lessons[1]->addFileWithPath(present);
    EXPECT_EQ(year()->getAllMissingFiles(), (QList<AttachedFile*> { missing, assigned }));
    EXPECT_EQ(missing->detailForSSBWindow(),
        QStringLiteral("Attached to lesson in Math on %1").arg(lessons[2]->dayTaught()->mediumLongDateString()));
    EXPECT_EQ(assigned->detailForSSBWindow(),
        QStringLiteral("Attached to assignment assigned on %1").arg(lessons[0]->dayTaught()->mediumLongDateString()));
    auto* loose = insert<AttachedFile>("AttachedFile");
    EXPECT_EQ(loose->detailForSSBWindow(), QStringLiteral("Not Attached.  Please remove this file"));
}

TEST_F(AttachmentTest, RelinkingMovesEveryRecordOfTheOldPathOnly)
{
    const QString old = pathIn(QStringLiteral("old.pdf"));
    AttachedFile* one = lessons[0]->addFileWithPath(old);
    AttachedFile* asURL = lessons[1]->addFileWithPath(QStringLiteral("file://") + old);
    AssignedFile* assigned = lessons[2]->addAssignment()->addFileWithPath(old);
    AttachedFile* other = lessons[2]->addFileWithPath(pathIn(QStringLiteral("other.pdf")));
    const QString moved = makeFile(QStringLiteral("moved.pdf"));
    const QList<AttachedFile*> changed = year()->relinkFiles(old, moved);
    EXPECT_EQ(changed.size(), 3);
    for (const AttachedFile* file : { one, asURL, static_cast<AttachedFile*>(assigned) }) {
        EXPECT_EQ(file->filePath(), moved);
        EXPECT_TRUE(file->fileExists());
        EXPECT_TRUE(changed.contains(file));
    }
    EXPECT_EQ(one->name(), QStringLiteral("old"));
    EXPECT_EQ(year()->getAllMissingFiles(), QList<AttachedFile*> { other });
}

} // namespace
