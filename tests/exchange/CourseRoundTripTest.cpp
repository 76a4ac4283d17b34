#include "cli/DemoYearFiller.h"
#include "exchange/ExportCourseController.h"
#include "exchange/ImportCourseController.h"
#include "model/AssignedFile.h"
#include "model/AssignedWebLink.h"
#include "model/Assignment.h"
#include "model/AttachedFile.h"
#include "model/Course.h"
#include "model/Lesson.h"
#include "model/SemestraRecords.h"
#include "model/Standard.h"
#include "model/StandardInLesson.h"
#include "model/Unit.h"
#include "model/Year.h"
#include "store/ObjectContext.h"
#include "testlib/ScriptedAlertPresenter.h"
#include "testlib/ScriptedFileChooser.h"
#include "testlib/TemporaryPreferences.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString attachmentSummary(const Attachment& attachment)
{
    const bool isFile = dynamic_cast<const AttachedFile*>(&attachment) != nullptr;
    return QStringList { isFile ? QStringLiteral("file") : QStringLiteral("link"), attachment.name(),
        attachment.notes(), attachment.value<QString>(isFile ? u"filePath" : u"URL"),
        attachment.isPublished() ? QStringLiteral("published") : QString() }
        .join(u'|');
}

template <typename List> QStringList sortedSummaries(const List& attachments)
{
    QStringList result;
    for (const Attachment* attachment : attachments)
        result.append(attachmentSummary(*attachment));
    result.sort();
    return result;
}

// Everything of a lesson that travels in a course file, in a form that
// compares across documents.
QStringList contentOf(const Lesson& lesson)
{
    QStringList content { lesson.lessonTitle(), lesson.isAnchored() ? QStringLiteral("anchored") : QString(),
        lesson.unit() ? lesson.unit()->unitName() : QStringLiteral("(no unit)") };
    for (const QString& key : Lesson::richFieldKeys())
        content << QString::fromLatin1(lesson.value<QByteArray>(key).toBase64())
                << lesson.value<QString>(Lesson::shadowKey(key));
    QStringList standards;
    for (const StandardInLesson* link : lesson.objects<StandardInLesson>(u"standards"))
        standards << link->standard()->shortName() + u'|' + link->standard()->text();
    standards.sort();
    content << standards << sortedSummaries(lesson.objects<Attachment>(u"attachments"));
    QStringList assignments;
    for (const Assignment* assignment : lesson.assignments()) {
        QList<const Attachment*> attached;
        for (const AssignedFile* file : assignment->files())
            attached.append(file);
        for (const AssignedWebLink* link : assignment->webLinks())
            attached.append(link);
        assignments << QStringList { assignment->title(),
            QString::fromLatin1(assignment->value<QByteArray>(u"details").toBase64()),
            assignment->value<QString>(u"detailsString"),
            QString::number(assignment->lessonsBetweenAssignedAndDue().value_or(-1)),
            sortedSummaries(attached).join(u';') }
                           .join(u'#');
    }
    assignments.sort();
    return content << assignments;
}

// Varies what the demo leaves uniform, so that each flag is seen both ways.
void varyFlags(Course& course)
{
    int count = 0;
    for (Lesson* lesson : course.allLessonsInOrder()) {
        for (Attachment* attachment : lesson->objects<Attachment>(u"attachments"))
            attachment->setValue(u"publish", ++count % 3 == 0);
        for (Assignment* assignment : lesson->assignments()) {
            for (AssignedWebLink* link : assignment->webLinks())
                link->setValue(u"publish", ++count % 2 == 0);
        }
        if (count % 5 == 0)
            lesson->setValue(u"anchored", true);
    }
}

} // namespace

TEST(CourseRoundTripTest, ADemoCourseComesBackWhole)
{
    TemporaryPreferences preferences;
    ScriptedAlertPresenter alerts;
    QTemporaryDir folder;
    auto source = SemestraRecords::newContext();
    Year* from = DemoYearFiller::buildYear(*source, alerts, 1);
    ASSERT_NE(from, nullptr);
    Course* course = from->courses().first();
    varyFlags(*course);

    ScriptedFileChooser files;
    ExportCourseController exporter(*from, alerts, files);
    exporter.windowDidLoad();
    exporter.setSelectedCourseName(course->courseName());
    alerts.answerNext(AlertDefaultReturn);
    const QString path = exporter.exportToFolder(folder.path());
    ASSERT_FALSE(path.isEmpty());

    // The other document has the same standards, as next year's would.
    auto target = SemestraRecords::newContext();
    Year* to = DemoYearFiller::buildYear(*target, alerts, 1);
    ASSERT_NE(to, nullptr);
    ImportCourseController importer(*to, alerts);
    importer.setFilePath(path);
    alerts.answerNext(AlertDefaultReturn); // the name is taken
    Course* imported = importer.importNewPressed();
    ASSERT_NE(imported, nullptr);
    EXPECT_NE(imported->courseName(), course->courseName());
    EXPECT_TRUE(imported->courseName().startsWith(course->courseName()));
    EXPECT_EQ(imported->color().rgb(), course->color().rgb());

    const QList<Lesson*> before = course->allLessonsInOrder();
    const QList<Lesson*> after = imported->allLessonsInOrder();
    ASSERT_EQ(after.size(), before.size());
    int withAssignments = 0;
    for (qsizetype i = 0; i < before.size(); ++i) {
        EXPECT_EQ(contentOf(*after[i]), contentOf(*before[i])) << "lesson " << i;
        withAssignments += before[i]->assignments().isEmpty() ? 0 : 1;
    }
    EXPECT_GT(withAssignments, 0);
}
