#include "ModelFixture.h"
#include "ScheduleBuilder.h"
#include "foundation/richtext/RichText.h"
#include "model/AssignedFile.h"
#include "model/AssignedWebLink.h"
#include "model/Assignment.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/Year.h"

namespace {

// Math meets at 9:00 on every weekday of ten weeks from Sunday 1 March 2026:
// fifty lessons, more than the due-lesson choices may list.
class AssignmentTest : public ModelFixture {
protected:
    AssignmentTest()
    {
        QList<Day*> days;
        for (int week = 0; week < 10; ++week) {
            for (int weekday = 1; weekday <= 5; ++weekday)
                days.append(b.day(week * 7 + weekday));
        }
        math = b.course(QStringLiteral("Math"));
        lessons = b.lessonsOn(math, days, 9);
    }

    Year* year() const { return b.year(); }
    Assignment* assign(Lesson* given, Lesson* due, const QString& title, const QString& syncID = {})
    {
        auto* assignment = insert<Assignment>("Assignment");
        assignment->setValue(u"title", title);
        assignment->setValue(u"syncID", syncID);
        assignment->setObject(u"assignedLesson", given);
        assignment->setObject(u"dueLesson", due);
        return assignment;
    }
    static QString shortDate(const Lesson* lesson) { return lesson->dayTaught()->shortDateString(); }
    static QString mediumDate(const Lesson* lesson) { return lesson->dayTaught()->mediumDateString(); }

    ScheduleBuilder b { *context, 2026, 3, 1, 10 };
    Course* math = nullptr;
    QList<Lesson*> lessons;
};

TEST_F(AssignmentTest, SeenFromEitherEndTheLineGivesTheOtherEndsDate)
{
    Assignment* essay = assign(lessons[2], lessons[5], QStringLiteral("Essay"));
    essay->setCurrentLesson(lessons[2]);
    EXPECT_EQ(essay->titleAndDate(), QStringLiteral("Due %1 - Essay").arg(shortDate(lessons[5])));
    EXPECT_FALSE(essay->dueToday());
    essay->setCurrentLesson(lessons[5]);
    EXPECT_EQ(essay->titleAndDate(), QStringLiteral("Assigned %1 - Essay").arg(shortDate(lessons[2])));
    EXPECT_TRUE(essay->dueToday());
    EXPECT_NE(shortDate(lessons[2]), shortDate(lessons[5]));
}

TEST_F(AssignmentTest, NewWorkOnTheLastLessonIsDueThereAndListedOnce)
{
    Lesson* last = lessons.last();
    Assignment* quiz = last->addAssignment();
    quiz->setValue(u"title", QStringLiteral("Quiz"));
    EXPECT_EQ(quiz->assignedLesson(), last);
    EXPECT_EQ(quiz->dueLesson(), last);
    EXPECT_EQ(quiz->currentLesson(), last);
    EXPECT_EQ(quiz->titleAndDate(), QStringLiteral("Assigned/Due on TODAY - Quiz"));
    EXPECT_FALSE(quiz->dueToday());
    EXPECT_EQ(last->todaysAssignments(), QList<Assignment*> { quiz });
    EXPECT_EQ(last->shortAssignmentsString(), QStringLiteral("A: 1 D: 1"));
    EXPECT_TRUE(posted.contains(QStringLiteral("SemestraLessonDisplayTextChanged")));
}

TEST_F(AssignmentTest, NewWorkIsDueInTheNextLesson)
{
    Assignment* added = lessons[7]->addAssignment();
    EXPECT_EQ(added->dueLesson(), lessons[8]);
    EXPECT_TRUE(added->lastUpdated().has_value());
    EXPECT_EQ(lessons[8]->assignmentsDueToday(), QList<Assignment*> { added });
}

TEST_F(AssignmentTest, TodaysAssignmentsListGivenWorkByDueDateThenWorkDueHere)
{
    Lesson* today = lessons[10];
    Assignment* later = assign(today, lessons[14], QStringLiteral("A later"));
    Assignment* soonB = assign(today, lessons[11], QStringLiteral("B soon"));
    Assignment* soonA = assign(today, lessons[11], QStringLiteral("A soon"));
    Assignment* dueOld = assign(lessons[3], today, QStringLiteral("Z old"));
    Assignment* dueNew = assign(lessons[8], today, QStringLiteral("A new"));
    EXPECT_EQ(today->assignmentsAssignedToday(), (QList<Assignment*> { soonA, soonB, later }));
    EXPECT_EQ(today->assignmentsDueToday(), (QList<Assignment*> { dueOld, dueNew }));
    EXPECT_EQ(today->todaysAssignments(), (QList<Assignment*> { soonA, soonB, later, dueOld, dueNew }));
    EXPECT_EQ(today->mediumAssignmentsString(), QStringLiteral("Assign: 3 Due: 2"));
    EXPECT_EQ(today->longAssignmentsString(), QStringLiteral("Assigned: 3 Due: 2"));
    EXPECT_TRUE(today->hasAssignments());
    EXPECT_FALSE(lessons[12]->hasAssignments());
}

TEST_F(AssignmentTest, DueLessonChoicesStartAtTheAssignedLessonAndStopAtForty)
{
    Assignment* early = assign(lessons[1], lessons[2], QStringLiteral("Early"));
    const QList<Lesson*> choices = early->lessonsAfterAssignedLesson();
    ASSERT_EQ(choices.size(), Assignment::lessonChoiceLimit);
    EXPECT_EQ(choices.first(), lessons[1]);
    EXPECT_EQ(choices.last(), lessons[40]);
    Assignment* late = assign(lessons[45], lessons[46], QStringLiteral("Late"));
    EXPECT_EQ(late->lessonsAfterAssignedLesson(), lessons.mid(45));
}

TEST_F(AssignmentTest, LessonsBeforeTheDueLessonRunLatestFirstAndStopAtForty)
{
    Assignment* project = assign(lessons[0], lessons[45], QStringLiteral("Project"));
    const QList<Lesson*> before = project->lessonsBeforeDueLesson();
    ASSERT_EQ(before.size(), Assignment::lessonChoiceLimit);
    EXPECT_EQ(before.first(), lessons[45]);
    EXPECT_EQ(before.last(), lessons[6]);
    Assignment* soon = assign(lessons[0], lessons[3], QStringLiteral("Soon"));
    EXPECT_EQ(soon->lessonsBeforeDueLesson().size(), 4);
}

TEST_F(AssignmentTest, LessonsBeforeTheDueLessonNeedOnlyADueLesson)
{
    Assignment* orphan = assign(nullptr, lessons[4], QStringLiteral("Orphan"));
    EXPECT_EQ(orphan->lessonsBeforeDueLesson().size(), 5);
    EXPECT_TRUE(orphan->lessonsAfterAssignedLesson().isEmpty());
    Assignment* undated = assign(lessons[4], nullptr, QStringLiteral("Undated"));
    EXPECT_TRUE(undated->lessonsBeforeDueLesson().isEmpty());
    EXPECT_FALSE(undated->lessonsAfterAssignedLesson().isEmpty());
}

TEST_F(AssignmentTest, ReportLinesNameTheOtherDateAndAddDetailsWhenThereAreAny)
{
    Assignment* essay = assign(lessons[2], lessons[5], QStringLiteral("Essay"));
    EXPECT_EQ(essay->stringForDailyReport(), QStringLiteral("Essay due on %1").arg(mediumDate(lessons[5])));
    EXPECT_EQ(essay->dueStringForDailyReport(), QStringLiteral("Essay assigned on %1").arg(mediumDate(lessons[2])));
    essay->setValue(u"details", RichText::fromPlainText(QStringLiteral("Two pages")));
    EXPECT_EQ(essay->detailsString(), QStringLiteral("Two pages"));
    EXPECT_EQ(essay->stringForDailyReport(),
        QStringLiteral("Essay due on %1: Two pages").arg(mediumDate(lessons[5])));
    EXPECT_EQ(essay->dueStringForDailyReport(),
        QStringLiteral("Essay assigned on %1: Two pages").arg(mediumDate(lessons[2])));
}

TEST_F(AssignmentTest, DeletingASlotDeletesWorkGivenThereAndMovesWorkDueThere)
{
    Assignment* given = assign(lessons[6], lessons[9], QStringLiteral("Given"), QStringLiteral("G1"));
    Assignment* due = assign(lessons[2], lessons[6], QStringLiteral("Due"));
    lessons[6]->dayTaught()->removeLesson(lessons[6]);
    EXPECT_TRUE(given->isDeleted());
    EXPECT_TRUE(year()->deleteStack().contains(QStringLiteral("G1:assignment,")));
    EXPECT_EQ(due->dueLesson(), lessons[7]);
    EXPECT_TRUE(lessons[9]->homeworkDue().isEmpty());
}

TEST_F(AssignmentTest, DeletingTheLastSlotMovesWorkDueThereToTheSlotBefore)
{
    Lesson* last = lessons.last();
    Lesson* before = lessons[lessons.size() - 2];
    Assignment* fromBefore = assign(before, last, QStringLiteral("From before"));
    Assignment* fromEarlier = assign(lessons[30], last, QStringLiteral("From earlier"));
    last->dayTaught()->removeLesson(last);
    EXPECT_EQ(fromBefore->dueLesson(), before);
    EXPECT_EQ(fromEarlier->dueLesson(), before);
    EXPECT_EQ(before->todaysAssignments().size(), 2);
}

TEST_F(AssignmentTest, WorkDueInADeletedLastSlotWithNoPlaceLeftIsDeletedAndRecorded)
{
    Lesson* last = lessons.last();
    Assignment* orphan = assign(nullptr, last, QStringLiteral("Orphan"), QStringLiteral("O1"));
    auto* file = orphan->addFileWithPath(QStringLiteral("/tmp/sheet.pdf"));
    file->setValue(u"syncID", QStringLiteral("F1"));
    last->dayTaught()->removeLesson(last);
    EXPECT_TRUE(orphan->isDeleted());
    EXPECT_TRUE(file->isDeleted());
    EXPECT_TRUE(year()->deleteStack().contains(QStringLiteral("O1:assignment,")));
    EXPECT_TRUE(year()->deleteStack().contains(QStringLiteral("F1:assignment_attachfile,")));
}

TEST_F(AssignmentTest, BumpingWorkDueOnTheLastSlotKeepsItThere)
{
    Assignment* exam = assign(lessons[47], lessons.last(), QStringLiteral("Final"));
    year()->bumpLesson(lessons[48]);
    EXPECT_EQ(exam->dueLesson(), lessons.last());
    EXPECT_EQ(exam->lessonsBetweenAssignedAndDue(), 2);
}

TEST_F(AssignmentTest, BumpingCarriesWorkWithItsDistanceAndItsAttachments)
{
    Assignment* essay = assign(lessons[4], lessons[7], QStringLiteral("Essay"));
    essay->setValue(u"details", RichText::fromPlainText(QStringLiteral("Two pages")));
    essay->addFileWithPath(QStringLiteral("/home/t/rubric.pdf"));
    essay->addWebLinkWithURL(QStringLiteral("https://example.org/"), QStringLiteral("Guide"));
    year()->bumpLesson(lessons[4]);
    ASSERT_EQ(lessons[5]->assignments().size(), 1);
    const Assignment* moved = lessons[5]->assignments().first();
    // The plain text of the details travels with them.
    EXPECT_EQ(moved->value<QByteArray>(u"details"), RichText::fromPlainText(QStringLiteral("Two pages")));
    EXPECT_EQ(moved->detailsString(), QStringLiteral("Two pages"));
    EXPECT_EQ(moved->dueLesson(), lessons[8]);
    EXPECT_EQ(moved->lessonsBetweenAssignedAndDue(), 3);
    ASSERT_EQ(moved->attachments().size(), 2);
    EXPECT_EQ(moved->files().first()->filePath(), QStringLiteral("/home/t/rubric.pdf"));
    EXPECT_EQ(moved->webLinks().first()->name(), QStringLiteral("Guide"));
}

TEST_F(AssignmentTest, CopiedAttachmentsAreNewRecordsWithoutServiceIdentity)
{
    Assignment* source = assign(lessons[1], lessons[2], QStringLiteral("Source"));
    AssignedFile* file = source->addFileWithPath(QStringLiteral("/home/t/a.pdf"));
    file->setValue(u"syncID", QStringLiteral("S1"));
    file->setValue(u"notes", QStringLiteral("print it"));
    AssignedWebLink* link = source->addWebLinkWithURL(QStringLiteral("https://example.org/"));
    link->setValue(u"publish", false);
    Assignment* copy = assign(lessons[3], lessons[4], QStringLiteral("Copy"));
    copy->copyAttachmentsFrom(source);
    ASSERT_EQ(copy->files().size(), 1);
    ASSERT_EQ(copy->webLinks().size(), 1);
    EXPECT_NE(copy->files().first(), file);
    EXPECT_EQ(copy->files().first()->notes(), QStringLiteral("print it"));
    EXPECT_TRUE(copy->files().first()->syncID().isEmpty());
    EXPECT_FALSE(copy->webLinks().first()->isPublished());
    EXPECT_EQ(copy->webLinks().first()->url(), QStringLiteral("https://example.org/"));
    EXPECT_EQ(source->attachments().size(), 2);
}

TEST_F(AssignmentTest, RemovingAttachmentsRecordsTheAssignmentTypeWords)
{
    Assignment* essay = assign(lessons[1], lessons[2], QStringLiteral("Essay"));
    AssignedFile* file = essay->addFileWithPath(QStringLiteral("/home/t/a.pdf"));
    file->setValue(u"syncID", QStringLiteral("F1"));
    AssignedWebLink* link = essay->addWebLinkWithURL(QStringLiteral("https://example.org/"));
    link->setValue(u"syncID", QStringLiteral("W1"));
    file->removeFromAssignment();
    EXPECT_EQ(year()->deleteStack(), QStringLiteral("F1:assignment_attachfile,"));
    essay->removeAllAttachments();
    EXPECT_EQ(year()->deleteStack(), QStringLiteral("F1:assignment_attachfile,W1:assignment_attachlink,"));
    EXPECT_TRUE(essay->attachments().isEmpty());
}

} // namespace
