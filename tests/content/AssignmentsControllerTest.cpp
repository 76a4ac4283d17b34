#include "ContentFixture.h"
#include "content/AssignmentsController.h"
#include "model/AssignedFile.h"
#include "model/AssignedWebLink.h"
#include "model/Assignment.h"
#include "testlib/ScriptedFileChooser.h"

#include <QDir>

namespace {

class AssignmentsControllerTest : public ContentFixture {
protected:
    AssignmentsControllerTest() { panel.setLesson(lessons[3]); }

    ScriptedFileChooser chooser;
    AssignmentsController panel { chooser };
};

TEST_F(AssignmentsControllerTest, AddedWorkIsSelectedAndShownOnBothLessons)
{
    posted.clear();
    Assignment* added = panel.addAssignment();
    EXPECT_EQ(panel.selected(), added);
    EXPECT_EQ(panel.assignments(), QList<Assignment*> { added });
    EXPECT_EQ(added->dueLesson(), lessons[4]);
    EXPECT_EQ(posted.count(QStringLiteral("SemestraLessonDisplayTextChanged")), 2);
    panel.setTitle(QStringLiteral("Worksheet"));
    EXPECT_TRUE(added->titleAndDate().endsWith(QStringLiteral(" - Worksheet")));
    EXPECT_TRUE(added->titleAndDate().startsWith(QStringLiteral("Due ")));
}

TEST_F(AssignmentsControllerTest, EachListedAssignmentIsSeenFromThePanelsLesson)
{
    Assignment* given = panel.addAssignment();
    panel.setLesson(lessons[4]);
    ASSERT_EQ(panel.assignments(), QList<Assignment*> { given });
    EXPECT_EQ(given->currentLesson(), lessons[4]);
    EXPECT_TRUE(given->dueToday());
    EXPECT_EQ(panel.selected(), nullptr);
}

TEST_F(AssignmentsControllerTest, RemovingDeletesTheSelectionAndRefreshesBothLessons)
{
    panel.addAssignment();
    posted.clear();
    panel.removeAssignment();
    EXPECT_TRUE(panel.assignments().isEmpty());
    EXPECT_EQ(panel.selected(), nullptr);
    EXPECT_TRUE(lessons[4]->homeworkDue().isEmpty());
    EXPECT_EQ(posted.count(QStringLiteral("SemestraLessonDisplayTextChanged")), 2);
    panel.removeAssignment(); // nothing selected: nothing happens
    EXPECT_EQ(context->countOfEntity(QStringLiteral("Assignment")), 0);
}

TEST_F(AssignmentsControllerTest, DueChoicesAlwaysIncludeTheCurrentDueLesson)
{
    Assignment* added = panel.addAssignment();
    EXPECT_EQ(panel.dueLessonChoices(), lessons.mid(3));
    // A due lesson before the assigned one (left by older data) stays choosable.
    added->setObject(u"dueLesson", lessons[1]);
    const QList<Lesson*> choices = panel.dueLessonChoices();
    EXPECT_EQ(choices.size(), 8);
    EXPECT_EQ(choices.last(), lessons[1]);
    panel.setDueLesson(lessons[8]);
    EXPECT_EQ(added->dueLesson(), lessons[8]);
    EXPECT_EQ(lessons[8]->assignmentsDueToday(), QList<Assignment*> { added });
}

TEST_F(AssignmentsControllerTest, FieldsOfTheSelectionAreWrittenThrough)
{
    Assignment* added = panel.addAssignment();
    panel.setPoints(25);
    panel.setDetails(RichText::fromPlainText(QStringLiteral("Line one\n\tindented")));
    EXPECT_EQ(added->points(), 25);
    EXPECT_EQ(added->detailsString(), QStringLiteral("Line one\n\tindented"));
}

TEST_F(AssignmentsControllerTest, AttachmentsNeedASelectedAssignment)
{
    EXPECT_FALSE(panel.canAddAttachment());
    chooser.answerNext(QStringLiteral("/tmp/never.pdf"));
    EXPECT_EQ(panel.addFileToAssignment(), nullptr);
    EXPECT_EQ(panel.addLinkToAssignment(QStringLiteral("example.org")), nullptr);
    EXPECT_TRUE(chooser.openPanels().isEmpty());
    EXPECT_EQ(context->countOfEntity(QStringLiteral("AssignedFile")), 0);
    EXPECT_EQ(context->countOfEntity(QStringLiteral("AssignedWebLink")), 0);
}

TEST_F(AssignmentsControllerTest, FilesComeFromTheHomeFolderAndLinksGetASchemeOrAreRefused)
{
    Assignment* added = panel.addAssignment();
    EXPECT_TRUE(panel.canAddAttachment());
    chooser.answerNext(QStringLiteral("/tmp/rubric.pdf"));
    AssignedFile* file = panel.addFileToAssignment();
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(chooser.openPanels().first().directory, QDir::homePath());
    EXPECT_EQ(file->name(), QStringLiteral("rubric"));
    chooser.answerNext(std::nullopt);
    EXPECT_EQ(panel.addFileToAssignment(), nullptr);
    AssignedWebLink* link = panel.addLinkToAssignment(QStringLiteral("example.org/guide"));
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->url(), QStringLiteral("http://example.org/guide"));
    EXPECT_EQ(panel.addLinkToAssignment(QString()), nullptr);
    EXPECT_EQ(panel.attachments(), (QList<Attachment*> { file, link }));
    panel.removeAttachment(file);
    EXPECT_EQ(added->attachments(), QList<Attachment*> { link });
}

TEST_F(AssignmentsControllerTest, DroppedFilesAndLinksGoToTheSelectedAssignmentOnly)
{
    const QStringList dropped { QStringLiteral("file:///tmp/Lab%20sheet.pdf"), QStringLiteral("https://example.org/lab"),
        QStringLiteral("mailto:a@example.org") };
    EXPECT_TRUE(panel.attachDropped(dropped).isEmpty());
    Assignment* added = panel.addAssignment();
    const QList<Attachment*> attached = panel.attachDropped(dropped);
    ASSERT_EQ(attached.size(), 2);
    EXPECT_EQ(added->files().first()->filePath(), QStringLiteral("/tmp/Lab sheet.pdf"));
    EXPECT_EQ(added->webLinks().first()->url(), QStringLiteral("https://example.org/lab"));
    EXPECT_TRUE(lessons[3]->attachments().isEmpty());
}

} // namespace
