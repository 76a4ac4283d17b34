#include "ContentFixture.h"
#include "content/AttachmentOpener.h"
#include "content/LessonAttachmentsController.h"
#include "content/Workspace.h"
#include "model/AttachedFile.h"
#include "model/AttachedWebLink.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

// Records what it was asked to open; knows programs only for the types it
// was told of.
class RecordingWorkspace : public Workspace {
public:
    bool hasApplicationFor(const QString& path) const override { return knownTypes.contains(QFileInfo(path).suffix()); }
    bool open(const QUrl& url) override
    {
        opened << url;
        return true;
    }

    QStringList knownTypes;
    QList<QUrl> opened;
};

class LessonAttachmentsControllerTest : public ContentFixture {
protected:
    QString makeFile(const QString& name) const
    {
        QDir().mkpath(QFileInfo(folder.filePath(name)).absolutePath());
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return file.fileName();
    }

    QTemporaryDir folder;
    LessonAttachmentsController controller;
    RecordingWorkspace workspace;
    AttachmentOpener opener { alerts, workspace };
};

TEST_F(LessonAttachmentsControllerTest, SeveralFilesAreAttachedAndTheLastFolderRemembered)
{
    EXPECT_EQ(LessonAttachmentsController::startDirectory(), QDir::homePath());
    const QString first = makeFile(QStringLiteral("a/one.pdf"));
    const QString last = makeFile(QStringLiteral("b/three.txt"));
    const QList<AttachedFile*> attached
        = controller.attachFiles(lessons[0], { first, makeFile(QStringLiteral("a/two.doc")), last });
    ASSERT_EQ(attached.size(), 3);
    EXPECT_EQ(lessons[0]->attachments().size(), 3);
    EXPECT_EQ(preferences.preferences().stringValue(QStringLiteral("lastUsedSemestraDirectory")),
        folder.filePath(QStringLiteral("b")));
    EXPECT_EQ(LessonAttachmentsController::startDirectory(), folder.filePath(QStringLiteral("b")));
}

TEST_F(LessonAttachmentsControllerTest, DropsAttachFilesAndWebLinksAndIgnoreTheRest)
{
    const QStringList dropped { QStringLiteral("file://") + makeFile(QStringLiteral("Map%20A.png")),
        QStringLiteral("https://example.org/atlas"), QStringLiteral("mailto:someone@example.org"),
        QStringLiteral("just words") };
    EXPECT_TRUE(LessonAttachmentsController::acceptsDropped(dropped));
    EXPECT_FALSE(LessonAttachmentsController::acceptsDropped({ QStringLiteral("ftp://example.org/x") }));
    EXPECT_EQ(controller.attachDropped(lessons[2], dropped), 2);
    QStringList names;
    for (const Attachment* attachment : lessons[2]->attachments())
        names << attachment->attachmentName();
    names.sort();
    EXPECT_EQ(names, (QStringList { QStringLiteral("(File) Map A -- (png)"),
                         QStringLiteral("(Web) https://example.org/atlas") }));
}

TEST_F(LessonAttachmentsControllerTest, TypedLinksNeedAnAddress)
{
    EXPECT_EQ(controller.attachLink(lessons[0], QStringLiteral("   ")), nullptr);
    AttachedWebLink* link = controller.attachLink(lessons[0], QStringLiteral("example.org"));
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->url(), QStringLiteral("http://example.org"));
    EXPECT_EQ(lessons[0]->attachments().size(), 1);
}

TEST_F(LessonAttachmentsControllerTest, OpeningHandsLinksAndFilesToTheDesktop)
{
    workspace.knownTypes << QStringLiteral("pdf");
    AttachedFile* file = lessons[0]->addFileWithPath(makeFile(QStringLiteral("notes.pdf")));
    AttachedWebLink* link = lessons[0]->addWebLinkWithURL(QStringLiteral("https://example.org/a"));
    EXPECT_TRUE(opener.open(*file));
    EXPECT_TRUE(opener.open(*link));
    EXPECT_EQ(workspace.opened,
        (QList<QUrl> { QUrl::fromLocalFile(file->filePath()), QUrl(QStringLiteral("https://example.org/a")) }));
    EXPECT_TRUE(alerts.shown().isEmpty());
}

TEST_F(LessonAttachmentsControllerTest, FilesWithoutAProgramOrThatAreGoneAreReported)
{
    AttachedFile* odd = lessons[0]->addFileWithPath(makeFile(QStringLiteral("data.xyz")));
    alerts.answerNext(AlertDefaultReturn);
    EXPECT_FALSE(opener.open(*odd));
    EXPECT_EQ(alerts.last().title, QStringLiteral("No Suitable Program Found For File"));
    EXPECT_EQ(alerts.last().message,
        QStringLiteral("Semestra could not determine which program to use to open data.xyz.  Please ensure the file "
                       "has a valid extension and reattach"));
    EXPECT_EQ(alerts.last().defaultButton, QStringLiteral("OK"));

    AttachedFile* gone = lessons[0]->addFileWithPath(folder.filePath(QStringLiteral("gone.pdf")));
    workspace.knownTypes << QStringLiteral("pdf");
    alerts.answerNext(AlertDefaultReturn);
    EXPECT_FALSE(opener.open(*gone));
    EXPECT_EQ(alerts.last().title, QStringLiteral("Could not locate file"));
    EXPECT_EQ(alerts.last().message, QStringLiteral("Semestra could not locate the file referenced by this attachment."));
    EXPECT_TRUE(workspace.opened.isEmpty());
}

} // namespace
