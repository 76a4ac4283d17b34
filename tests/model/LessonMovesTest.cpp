#include "ModelFixture.h"
#include "ScheduleBuilder.h"
#include "foundation/notify/ObserverBag.h"
#include "foundation/random/RandomSource.h"
#include "foundation/richtext/RichText.h"
#include "model/AssignedFile.h"
#include "model/Assignment.h"
#include "model/AttachedFile.h"
#include "model/AttachedWebLink.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/ModelNotifications.h"
#include "model/Standard.h"
#include "model/StandardInLesson.h"
#include "model/Unit.h"
#include "model/Week.h"
#include "model/Year.h"

#include <QSet>

namespace {

// Math meets at 9:00 on every weekday of three weeks from Sunday 1 March
// 2026; New York clocks go forward on the 8th.
class LessonMovesTest : public ModelFixture {
protected:
    LessonMovesTest()
    {
        for (int week = 0; week < 3; ++week) {
            for (int weekday = 1; weekday <= 5; ++weekday)
                days.append(b.day(week * 7 + weekday));
        }
        math = b.course(QStringLiteral("Math"));
        lessons = b.lessonsOn(math, days, 9);
        for (int i = 0; i < lessons.size(); ++i) {
            lessons[i]->setValue(u"lessonTitle", QStringLiteral("Title %1").arg(i));
            lessons[i]->setValue(u"syncID", QStringLiteral("L%1").arg(i));
        }
        m_observer = NotificationCenter::defaultCenter().addScopedObserver(
            QString(), context.get(), [this](const Notification& n) {
                if (n.name == QStringLiteral("SemestraLessonClicked"))
                    clicked.append(n.object);
            });
    }
    ~LessonMovesTest() override { NotificationCenter::defaultCenter().removeObserver(m_observer); }

    Year* year() const { return b.year(); }
    QStringList titles(int from, int to) const
    {
        QStringList result;
        for (int i = from; i <= to; ++i)
            result.append(lessons[i]->lessonTitle());
        return result;
    }
    Assignment* assign(Lesson* given, Lesson* due, const QString& title)
    {
        auto* assignment = insert<Assignment>("Assignment");
        assignment->setValue(u"title", title);
        assignment->setObject(u"assignedLesson", given);
        assignment->setObject(u"dueLesson", due);
        return assignment;
    }

    ScheduleBuilder b { *context, 2026, 3, 1, 3 };
    QList<Day*> days;
    Course* math = nullptr;
    QList<Lesson*> lessons;
    QList<const NotificationSource*> clicked;

private:
    NotificationCenter::ObserverId m_observer;
};

} // namespace

TEST_F(LessonMovesTest, BumpStepsOverALockedSlot)
{
    lessons[11]->setValue(u"anchored", true);
    year()->bumpLesson(lessons[10]);
    EXPECT_EQ(titles(10, 14), (QStringList { QString(), "Title 11", "Title 10", "Title 12", "Title 13" }));
    EXPECT_TRUE(lessons[11]->isAnchored());
    EXPECT_FALSE(lessons[10]->hasData());
    EXPECT_EQ(clicked, QList<const NotificationSource*> { lessons[12] });
    EXPECT_TRUE(posted.contains(QStringLiteral("SemestraRefreshPlanningModes")));
}

TEST_F(LessonMovesTest, PullBackStepsOverALockedSlot)
{
    lessons[11]->setValue(u"anchored", true);
    year()->pullLessonsBack(lessons[10]);
    EXPECT_EQ(titles(10, 14), (QStringList { "Title 12", "Title 11", "Title 13", "Title 14", QString() }));
    EXPECT_TRUE(clicked.isEmpty());
}

TEST_F(LessonMovesTest, BumpKeepsSlotIdentityAndTimes)
{
    const std::optional<Date> start = lessons[3]->startTime();
    year()->bumpLesson(lessons[2]);
    EXPECT_EQ(lessons[3]->lessonTitle(), QStringLiteral("Title 2"));
    EXPECT_EQ(lessons[3]->syncID(), QStringLiteral("L3"));
    EXPECT_EQ(lessons[3]->startTime(), start);
    // The emptied slot takes its times from another Wednesday.
    EXPECT_EQ(lessons[2]->startTime(), ScheduleBuilder::localDate(2026, 3, 4, 9));
}

// A lesson whose content a bump replaces tells the views once, with the new
// content complete, rather than once for every field that changed.
TEST_F(LessonMovesTest, EachReplacedLessonTellsOfItsNewTextOnce)
{
    lessons[13]->setValue(u"homework", RichText::fromPlainText(QStringLiteral("Read")));
    lessons[13]->setValue(u"lessonBody", RichText::fromPlainText(QStringLiteral("Plan")));
    QList<NotificationSource*> told;
    QString homeworkWhenTold;
    ObserverBag observers;
    observers.observe(ModelNotifications::lessonDisplayTextChanged, context.get(), [&](const Notification& n) {
        told.append(n.object);
        if (n.object == lessons[14])
            homeworkWhenTold = lessons[14]->value<QString>(u"homeworkString");
    });
    year()->bumpLesson(lessons[13]);
    EXPECT_EQ(told.count(lessons[14]), 2) << "wiped, then filled";
    EXPECT_EQ(homeworkWhenTold, QStringLiteral("Read"));
    EXPECT_EQ(told.count(lessons[13]), 1) << "emptied";
}

TEST_F(LessonMovesTest, BumpWithOnlyLockedSlotsAfterItChangesNothing)
{
    lessons[13]->setValue(u"anchored", true);
    lessons[14]->setValue(u"anchored", true);
    year()->bumpLesson(lessons[12]);
    EXPECT_EQ(titles(12, 14), (QStringList { "Title 12", "Title 13", "Title 14" }));
    year()->bumpLesson(lessons[14]);
    EXPECT_EQ(lessons[14]->lessonTitle(), QStringLiteral("Title 14"));
    EXPECT_TRUE(clicked.isEmpty());
}

TEST_F(LessonMovesTest, BumpingALockedFirstSlotMovesOnlyWhatFollowsIt)
{
    lessons[0]->setValue(u"anchored", true);
    year()->bumpLesson(lessons[0]);
    EXPECT_EQ(titles(0, 3), (QStringList { "Title 0", QString(), "Title 1", "Title 2" }));
    EXPECT_EQ(lessons[14]->lessonTitle(), QStringLiteral("Title 13"));
}

TEST_F(LessonMovesTest, PullBackOfTheLastMovableSlotEmptiesIt)
{
    lessons[14]->setValue(u"anchored", true);
    year()->pullLessonsBack(lessons[13]);
    EXPECT_EQ(titles(13, 14), (QStringList { QString(), "Title 14" }));
}

TEST_F(LessonMovesTest, BumpedAssignmentKeepsItsDistanceToTheDueLesson)
{
    assign(lessons[4], lessons[6], QStringLiteral("Essay"));
    year()->bumpLesson(lessons[4]);
    ASSERT_EQ(lessons[5]->assignments().size(), 1);
    Assignment* moved = lessons[5]->assignments().first();
    EXPECT_EQ(moved->title(), QStringLiteral("Essay"));
    EXPECT_EQ(moved->dueLesson(), lessons[7]);
    EXPECT_TRUE(lessons[4]->assignments().isEmpty());
    EXPECT_EQ(context->countOfEntity(QStringLiteral("Assignment")), 1);
}

TEST_F(LessonMovesTest, WorkDueInABumpedLessonBecomesDueInTheNextSlot)
{
    Assignment* reading = assign(lessons[1], lessons[4], QStringLiteral("Reading"));
    year()->bumpLesson(lessons[4]);
    EXPECT_FALSE(reading->isDeleted());
    EXPECT_EQ(reading->dueLesson(), lessons[5]);
    EXPECT_EQ(reading->assignedLesson(), lessons[1]);
}

TEST_F(LessonMovesTest, WorkDueInTheLastSlotStaysThereWhenItsAssignmentsAreCleared)
{
    Assignment* project = assign(lessons[2], lessons[14], QStringLiteral("Project"));
    Assignment* quiz = assign(lessons[14], lessons[14], QStringLiteral("Quiz"));
    quiz->setValue(u"syncID", QStringLiteral("Q1"));
    lessons[14]->clearAssignments();
    EXPECT_EQ(project->dueLesson(), lessons[14]);
    EXPECT_TRUE(quiz->isDeleted());
    EXPECT_EQ(year()->deleteStack(), QStringLiteral("Q1:assignment,"));
}

TEST_F(LessonMovesTest, AssignmentAttachmentsAreCopiedWithoutTheirServiceIdentity)
{
    Assignment* essay = assign(lessons[0], lessons[1], QStringLiteral("Essay"));
    auto* file = insert<AssignedFile>("AssignedFile");
    file->setValue(u"filePath", QStringLiteral("/home/t/rubric.pdf"));
    file->setValue(u"syncID", QStringLiteral("AF1"));
    file->setObject(u"assignment", essay);
    year()->bumpLesson(lessons[0]);
    const Assignment* moved = lessons[1]->assignments().first();
    ASSERT_EQ(moved->files().size(), 1);
    EXPECT_EQ(moved->files().first()->filePath(), QStringLiteral("/home/t/rubric.pdf"));
    EXPECT_TRUE(moved->files().first()->syncID().isEmpty());
    EXPECT_TRUE(year()->deleteStack().contains(QStringLiteral("AF1:assignment_attachfile,")));
}

TEST_F(LessonMovesTest, WipeEmptiesContentAndRecordsWhatTheServiceKnows)
{
    Lesson* lesson = lessons[3];
    auto* standard = insert<Standard>("Standard");
    auto* link = insert<StandardInLesson>("StandardInLesson");
    link->setValue(u"syncID", QStringLiteral("S1"));
    link->setObject(u"standard", standard);
    link->setObject(u"lesson", lesson);
    auto* file = insert<AttachedFile>("AttachedFile");
    file->setValue(u"syncID", QStringLiteral("F1"));
    file->setObject(u"lesson", lesson);
    auto* web = insert<AttachedWebLink>("AttachedWebLink");
    web->setValue(u"syncID", QStringLiteral("W1"));
    web->setObject(u"lesson", lesson);
    Assignment* here = assign(lesson, lesson, QStringLiteral("In class"));
    here->setValue(u"syncID", QStringLiteral("A1"));
    Assignment* later = assign(lesson, lessons[5], QStringLiteral("Homework"));
    later->setValue(u"syncID", QStringLiteral("A2"));
    Assignment* earlier = assign(lessons[0], lesson, QStringLiteral("Reading"));
    lesson->setValue(u"anchored", true);
    lesson->setObject(u"unit", math->addUnitWithName(QStringLiteral("Fractions")));
    const std::optional<Date> start = lesson->startTime();
    const Date beforeWipe = Date::now();

    lesson->wipe();
    const QString stack = year()->deleteStack();
    EXPECT_TRUE(stack.startsWith(QStringLiteral("S1:lesson_standard,F1:attachfile,W1:attachlink,")))
        << qPrintable(stack);
    EXPECT_TRUE(stack.contains(QStringLiteral("A1:assignment,")));
    // Work given in an emptied lesson goes with it, wherever it was due;
    // work given elsewhere and due here is the other lesson's content.
    EXPECT_TRUE(stack.contains(QStringLiteral("A2:assignment,")));
    EXPECT_TRUE(standard->objects(u"standardInLesson").isEmpty());
    EXPECT_TRUE(lesson->lessonTitle().isEmpty());
    EXPECT_FALSE(lesson->isAnchored());
    EXPECT_EQ(lesson->unit(), nullptr);
    // Marked as changed, so that the next sync of changes empties the online copy.
    ASSERT_TRUE(lesson->lastUpdated().has_value());
    EXPECT_GE(lesson->lastUpdated()->secondsSinceReferenceDate(), beforeWipe.secondsSinceReferenceDate());
    EXPECT_EQ(lesson->syncID(), QStringLiteral("L3"));
    EXPECT_EQ(lesson->startTime(), start);
    EXPECT_TRUE(lesson->assignments().isEmpty());
    EXPECT_TRUE(later->isDeleted());
    EXPECT_TRUE(lessons[5]->homeworkDue().isEmpty());
    EXPECT_FALSE(earlier->isDeleted());
    EXPECT_EQ(lesson->homeworkDue(), QList<Assignment*> { earlier });
}

TEST_F(LessonMovesTest, CopyReplacesStandardLinksKeepingTheirIdentifiers)
{
    auto* standard = insert<Standard>("Standard");
    auto* sourceLink = insert<StandardInLesson>("StandardInLesson");
    sourceLink->setValue(u"syncID", QStringLiteral("S1"));
    sourceLink->setValue(u"implementationNotes", QStringLiteral("group work"));
    sourceLink->setObject(u"standard", standard);
    sourceLink->setObject(u"lesson", lessons[0]);
    auto* oldLink = insert<StandardInLesson>("StandardInLesson");
    oldLink->setValue(u"syncID", QStringLiteral("S2"));
    oldLink->setObject(u"standard", standard);
    oldLink->setObject(u"lesson", lessons[1]);

    lessons[1]->replaceAllDataWithLesson(lessons[0]);
    const QList<StandardInLesson*> links = lessons[1]->objects<StandardInLesson>(u"standards");
    ASSERT_EQ(links.size(), 1);
    EXPECT_NE(links.first(), sourceLink);
    EXPECT_EQ(links.first()->syncID(), QStringLiteral("S1"));
    EXPECT_EQ(links.first()->implementationNotes(), QStringLiteral("group work"));
    EXPECT_EQ(links.first()->standard(), standard);
    EXPECT_TRUE(oldLink->isDeleted());
    EXPECT_EQ(year()->deleteStack(), QStringLiteral("S2:lesson_standard,"));
    EXPECT_EQ(standard->objects(u"standardInLesson").size(), 2);
}

TEST_F(LessonMovesTest, CopyTakesTheSourceTagsAndWipeDropsThem)
{
    ManagedObject* lab = insert<ManagedObject>("Tag");
    ManagedObject* review = insert<ManagedObject>("Tag");
    ManagedObject* quiz = insert<ManagedObject>("Tag");
    lessons[0]->addObject(u"tags", lab);
    lessons[0]->addObject(u"tags", review);
    lessons[1]->addObject(u"tags", quiz);
    lessons[1]->addObject(u"tags", review);

    lessons[1]->replaceAllDataWithLesson(lessons[0]);
    EXPECT_EQ(QSet<ManagedObject*>(lessons[1]->objects(u"tags").begin(), lessons[1]->objects(u"tags").end()),
        (QSet<ManagedObject*> { lab, review }));
    lessons[1]->wipe();
    EXPECT_TRUE(lessons[1]->objects(u"tags").isEmpty());
    EXPECT_EQ(review->objects(u"lessons"), QList<ManagedObject*> { lessons[0] });
}

TEST_F(LessonMovesTest, CopyFromALessonWithoutUnitKeepsTheOwnUnit)
{
    Unit* own = math->addUnitWithName(QStringLiteral("Fractions"));
    lessons[1]->setObject(u"unit", own);
    lessons[1]->replaceAllDataWithLesson(lessons[0]);
    EXPECT_EQ(lessons[1]->unit(), own);
    EXPECT_EQ(lessons[1]->lessonTitle(), QStringLiteral("Title 0"));
}

TEST_F(LessonMovesTest, CopyFromAnotherCourseFindsOrMakesAUnitNamedForThisCourse)
{
    Course* art = b.course(QStringLiteral("Art"));
    Lesson* source = b.lesson(art, days[0], 11);
    source->setObject(u"unit", art->addUnitWithName(QStringLiteral("Colour")));
    source->setValue(u"iCalUID", QStringLiteral("art-event"));
    lessons[2]->setValue(u"iCalUID", QStringLiteral("math-event"));

    lessons[2]->copyUserInformationFrom(source);
    ASSERT_NE(lessons[2]->unit(), nullptr);
    EXPECT_EQ(lessons[2]->unit()->unitName(), QStringLiteral("Colour - Math"));
    EXPECT_EQ(lessons[2]->unit()->course(), math);
    EXPECT_EQ(lessons[2]->value<QString>(u"iCalUID"), QStringLiteral("math-event"));
    EXPECT_EQ(lessons[2]->syncID(), QStringLiteral("L2"));
    EXPECT_TRUE(posted.contains(QStringLiteral("SMLessonChangedNotification")));

    lessons[3]->copyUserInformationFrom(source);
    EXPECT_EQ(lessons[3]->unit(), lessons[2]->unit());
    EXPECT_EQ(math->units().size(), 1);
}

TEST_F(LessonMovesTest, RemovingALessonRecordsItAndMovesWorkDueInIt)
{
    Assignment* reading = assign(lessons[0], lessons[2], QStringLiteral("Reading"));
    Lesson* removed = lessons[2];
    days[2]->removeLesson(removed);
    EXPECT_TRUE(removed->isDeleted());
    EXPECT_EQ(reading->dueLesson(), lessons[3]);
    EXPECT_EQ(math->lessons().size(), 14);
    EXPECT_EQ(year()->deleteStack(), QStringLiteral("L2:lesson,"));
}

TEST_F(LessonMovesTest, WholeDayShiftSlidesTheRotationAndDropsTheLastDaysLessons)
{
    year()->setValue(u"typeOfSchedule", Year::Rotating);
    year()->setValue(u"repeatInterval", 2);
    for (int i = 0; i < days.size(); ++i)
        days[i]->setValue(u"typeOfDay", i % 2);
    days[11]->setValue(u"isCustom", true);
    days[11]->setValue(u"holidayName", QStringLiteral("Assembly"));
    days[11]->setValue(u"notes", QStringLiteral("Gym"));
    days[13]->setValue(u"isHoliday", true);
    Lesson* last = lessons[14];

    EXPECT_EQ(days[10]->shiftLessonsBeforeCreatingHoliday(), days[11]);
    EXPECT_TRUE(days[10]->lessons().isEmpty());
    EXPECT_EQ(days[11]->lessons(), QList<Lesson*> { lessons[10] });
    EXPECT_EQ(days[11]->typeOfDay(), 0);
    EXPECT_FALSE(days[11]->isCustom());
    EXPECT_EQ(days[12]->typeOfDay(), 1);
    EXPECT_TRUE(days[12]->isCustom());
    EXPECT_EQ(days[12]->holidayName(), QStringLiteral("Assembly"));
    EXPECT_EQ(days[12]->notes(), QStringLiteral("Gym"));
    // The holiday is stepped over: the last school day takes the lessons of the one before it.
    EXPECT_EQ(days[14]->lessons(), QList<Lesson*> { lessons[12] });
    EXPECT_TRUE(days[13]->lessons().contains(lessons[13]));
    EXPECT_TRUE(last->isDeleted());
    EXPECT_EQ(year()->deleteStack(), QStringLiteral("L14:lesson,"));
    EXPECT_EQ(lessons[12]->startTime(), ScheduleBuilder::localDate(2026, 3, 20, 9));
}

TEST_F(LessonMovesTest, WholeDayShiftKeepsTheTimeOfDayAcrossAClockChange)
{
    // Friday 6 March's lesson moves to Monday 9 March, after clocks went forward.
    year()->shiftLessonsBeforeCreatingHoliday(days[4]);
    EXPECT_EQ(lessons[4]->dayTaught(), days[5]);
    EXPECT_EQ(lessons[4]->startTime(), ScheduleBuilder::localDate(2026, 3, 9, 9));
    EXPECT_EQ(lessons[4]->endTime(), ScheduleBuilder::localDate(2026, 3, 9, 9, 50));
}

TEST_F(LessonMovesTest, WholeDayShiftOnTheLastSchoolDayOnlyRemovesItsLessons)
{
    EXPECT_EQ(days.last()->shiftLessonsBeforeCreatingHoliday(), nullptr);
    EXPECT_TRUE(days.last()->lessons().isEmpty());
    EXPECT_EQ(days[13]->lessons(), QList<Lesson*> { lessons[13] });
}

TEST_F(LessonMovesTest, WholeDayShiftFromANonSchoolDayChangesNothing)
{
    days[3]->setValue(u"isHoliday", true);
    EXPECT_EQ(days[3]->shiftLessonsBeforeCreatingHoliday(), nullptr);
    EXPECT_EQ(days[4]->lessons(), QList<Lesson*> { lessons[4] });
    EXPECT_FALSE(lessons[14]->isDeleted());
}

TEST_F(LessonMovesTest, BumpingAWholeDayPushesEveryMeetingOfIt)
{
    Course* art = b.course(QStringLiteral("Art"));
    Lesson* artMonday = b.lesson(art, days[0], 8);
    Lesson* artTuesday = b.lesson(art, days[1], 8);
    artMonday->setValue(u"lessonTitle", QStringLiteral("Sketching"));
    year()->bumpAllLessonsOnDay(days[0]);
    EXPECT_FALSE(days[0]->containsLessonWithData());
    EXPECT_EQ(artTuesday->lessonTitle(), QStringLiteral("Sketching"));
    EXPECT_EQ(lessons[1]->lessonTitle(), QStringLiteral("Title 0"));
    // The views are told once for the whole day, not once per course.
    EXPECT_EQ(clicked.size(), 1);
}

// A locked lesson hands the emptying to the course's next free slot, on
// another weekday: that slot takes its times from days like its own, not
// from days like the day that was bumped.
TEST_F(LessonMovesTest, ABumpTimesTheEmptiedSlotFromDaysLikeItsOwn)
{
    Course* art = b.course(QStringLiteral("Art"));
    QList<Lesson*> artLessons;
    for (int i = 0; i < days.size(); ++i) {
        if (i % 5 < 2) // Mondays at 8, Tuesdays at 10
            artLessons.append(b.lesson(art, days[i], i % 5 == 0 ? 8 : 10));
    }
    artLessons[0]->setValue(u"anchored", true);
    Lesson* emptied = artLessons[1];
    emptied->setDate(u"startTime", ScheduleBuilder::localDate(2026, 3, 3, 14));
    year()->bumpLesson(artLessons[0]);
    EXPECT_EQ(emptied->startTime(), ScheduleBuilder::localDate(2026, 3, 3, 10));
    EXPECT_EQ(lessons[0]->startTime(), ScheduleBuilder::localDate(2026, 3, 2, 9));
}

// The lock keeps content in place while others move; a day that goes away
// takes the place with it, so the locked content moves on, lock and all.
TEST_F(LessonMovesTest, ALockedLessonWhoseDayGoesAwayMovesOnWithTheBump)
{
    lessons[2]->setValue(u"anchored", true);
    lessons[4]->setValue(u"anchored", true);
    assign(lessons[2], lessons[3], QStringLiteral("Worksheet"));
    year()->bumpAllLessonsOnDay(days[2]);
    days[2]->turnIntoCancelledDay();

    EXPECT_EQ(titles(3, 6), (QStringList { "Title 2", "Title 4", "Title 3", "Title 5" }));
    EXPECT_TRUE(lessons[3]->isAnchored());
    EXPECT_TRUE(lessons[4]->isAnchored()) << "a lock further on still holds its own place";
    EXPECT_FALSE(lessons[5]->isAnchored());
    ASSERT_EQ(lessons[3]->assignments().size(), 1);
    EXPECT_EQ(lessons[3]->assignments().first()->dueLesson(), lessons[4]);
    EXPECT_EQ(lessons[14]->lessonTitle(), QStringLiteral("Title 13"));
}

// Locked slots at the end of the course: the last movable slot hands its
// content, assignments included, to the slot before it and keeps no copy.
TEST_F(LessonMovesTest, PullBackMovesAssignmentsWithTheirContentAndKeepsEachOnce)
{
    for (int i = 12; i <= 14; ++i)
        lessons[i]->setValue(u"anchored", true);
    assign(lessons[11], lessons[13], QStringLiteral("Lab report"));
    assign(lessons[9], lessons[11], QStringLiteral("Reading"));
    year()->pullLessonsBack(lessons[8]);

    EXPECT_EQ(context->countOfEntity(QStringLiteral("Assignment")), 2);
    EXPECT_TRUE(lessons[11]->assignments().isEmpty());
    ASSERT_EQ(lessons[10]->assignments().size(), 1);
    EXPECT_EQ(lessons[10]->assignments().first()->title(), QStringLiteral("Lab report"));
    EXPECT_EQ(lessons[10]->assignments().first()->dueLesson(), lessons[12]);
    ASSERT_EQ(lessons[8]->assignments().size(), 1);
    EXPECT_EQ(lessons[8]->assignments().first()->dueLesson(), lessons[10]);
}

TEST_F(LessonMovesTest, BumpThenPullBackLeavesEveryAssignmentOnceWhereItWas)
{
    assign(lessons[2], lessons[3], QStringLiteral("Essay"));
    assign(lessons[6], lessons[6], QStringLiteral("Quiz"));
    year()->bumpLesson(lessons[1]);
    year()->pullLessonsBack(lessons[1]);

    EXPECT_EQ(context->countOfEntity(QStringLiteral("Assignment")), 2);
    ASSERT_EQ(lessons[2]->assignments().size(), 1);
    EXPECT_EQ(lessons[2]->assignments().first()->dueLesson(), lessons[3]);
    ASSERT_EQ(lessons[6]->assignments().size(), 1);
    EXPECT_EQ(lessons[6]->assignments().first()->dueLesson(), lessons[6]);
}
