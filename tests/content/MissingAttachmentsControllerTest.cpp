#include "ContentFixture.h"
#include "content/MissingAttachmentsController.h"
#include "model/AssignedFile.h"
#include "model/Assignment.h"
#include "model/AttachedFile.h"
#include "model/ModelNotifications.h"
#include "testlib/ScriptedFileChooser.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

class MissingAttachmentsControllerTest : public ContentFixture {
protected:
    MissingAttachmentsControllerTest()
    {
        m_observer = NotificationCenter::defaultCenter().addScopedObserver(
            ModelNotifications::lessonClicked, context.get(), [this](const Notification& n) { clicked << n.object; });
    }
    ~MissingAttachmentsControllerTest() override { NotificationCenter::defaultCenter().removeObserver(m_observer); }

    QString pathIn(const QString& name) const { return folder.filePath(name); }
    QString makeFile(const QString& name) const
    {
        QFile file(pathIn(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return file.fileName();
    }

    QTemporaryDir folder;
    ScriptedFileChooser chooser;
    MissingAttachmentsController sheet { alerts, chooser };
    QList<const NotificationSource*> clicked;

private:
    NotificationCenter::ObserverId m_observer;
};

TEST_F(MissingAttachmentsControllerTest, NothingMissingSaysSoAndShowsNoSheet)
{
    lessons[0]->addFileWithPath(makeFile(QStringLiteral("here.pdf")));
    alerts.answerNext(AlertDefaultReturn);
    EXPECT_FALSE(sheet.checkAttachments(year()));
    ASSERT_EQ(alerts.shown().size(), 1);
    EXPECT_EQ(alerts.last().title, QStringLiteral("All Attachments Ok"));
    EXPECT_EQ(alerts.last().defaultButton, QStringLiteral("Ok"));
    EXPECT_TRUE(sheet.isFinished());
}

TEST_F(MissingAttachmentsControllerTest, LocatingOneFileRepairsEveryRecordOfItsPath)
{
    const QString old = pathIn(QStringLiteral("old/sheet.pdf"));
    AttachedFile* first = lessons[0]->addFileWithPath(old);
    AttachedFile* second = lessons[5]->addFileWithPath(old);
    AssignedFile* assigned = lessons[2]->addAssignment()->addFileWithPath(old);
    AttachedFile* other = artLessons[1]->addFileWithPath(pathIn(QStringLiteral("other.pdf")));
    ASSERT_TRUE(sheet.checkAttachments(year()));
    EXPECT_EQ(sheet.files(), (QList<AttachedFile*> { first, second, other, assigned }));

    const QString found = makeFile(QStringLiteral("sheet.pdf"));
    chooser.answerNext(found);
    EXPECT_TRUE(sheet.locate(second));
    EXPECT_EQ(chooser.openPanels().first().directory, pathIn(QStringLiteral("old")));
    EXPECT_EQ(sheet.files(), QList<AttachedFile*> { other });
    for (const AttachedFile* file : { first, second, static_cast<AttachedFile*>(assigned) })
        EXPECT_EQ(file->filePath(), found);
    EXPECT_FALSE(sheet.isFinished());
    EXPECT_TRUE(alerts.shown().isEmpty());
}

TEST_F(MissingAttachmentsControllerTest, CancellingTheFilePanelChangesNothing)
{
    AttachedFile* file = lessons[0]->addFileWithPath(pathIn(QStringLiteral("gone.pdf")));
    ASSERT_TRUE(sheet.checkAttachments(year()));
    chooser.answerNext(std::nullopt);
    EXPECT_FALSE(sheet.locate(file));
    EXPECT_EQ(file->filePath(), pathIn(QStringLiteral("gone.pdf")));
    EXPECT_EQ(sheet.files().size(), 1);
}

TEST_F(MissingAttachmentsControllerTest, LocatingTheLastFileAnnouncesItAndFinishes)
{
    AttachedFile* file = lessons[0]->addFileWithPath(pathIn(QStringLiteral("gone.pdf")));
    ASSERT_TRUE(sheet.checkAttachments(year()));
    chooser.answerNext(makeFile(QStringLiteral("back.pdf")));
    alerts.answerNext(AlertDefaultReturn);
    EXPECT_TRUE(sheet.locate(file));
    EXPECT_TRUE(sheet.isFinished());
    ASSERT_EQ(alerts.shown().size(), 1);
    EXPECT_EQ(alerts.last().title, QStringLiteral("All Attachments Found"));
}

TEST_F(MissingAttachmentsControllerTest, RemovingTheLastOneClosesWithoutAnnouncing)
{
    Assignment* work = lessons[1]->addAssignment();
    AssignedFile* file = work->addFileWithPath(pathIn(QStringLiteral("gone.pdf")));
    file->setValue(u"syncID", QStringLiteral("F9"));
    ASSERT_TRUE(sheet.checkAttachments(year()));
    sheet.remove(file);
    EXPECT_TRUE(work->attachments().isEmpty());
    EXPECT_TRUE(sheet.isFinished());
    EXPECT_TRUE(alerts.shown().isEmpty());
    EXPECT_EQ(clicked, (QList<const NotificationSource*> { lessons[1], lessons[2] }));
    EXPECT_EQ(year()->deleteStack(), QStringLiteral("F9:assignment_attachfile,"));
}

TEST_F(MissingAttachmentsControllerTest, RemoveAllMissingSparesFilesThatCameBack)
{
    AttachedFile* gone = lessons[0]->addFileWithPath(pathIn(QStringLiteral("gone.pdf")));
    AttachedFile* back = lessons[1]->addFileWithPath(pathIn(QStringLiteral("back.pdf")));
    ASSERT_TRUE(sheet.checkAttachments(year()));
    makeFile(QStringLiteral("back.pdf"));
    sheet.removeAllMissing();
    EXPECT_TRUE(lessons[0]->attachments().isEmpty());
    EXPECT_EQ(lessons[1]->attachments(), QList<Attachment*> { back });
    EXPECT_EQ(sheet.files(), QList<AttachedFile*> { back });
    EXPECT_FALSE(sheet.isFinished());
    EXPECT_EQ(clicked, QList<const NotificationSource*> { lessons[0] });
    EXPECT_TRUE(gone->isDeleted());
}

} // namespace
