#include "ContentFixture.h"
#include "content/LessonContentController.h"
#include "foundation/pasteboard/Pasteboard.h"

namespace {

class LessonContentControllerTest : public ContentFixture {
protected:
    LessonContentControllerTest() { Pasteboard::named(LessonContentController::pasteboardName).clearContents(); }

    LessonContentController controller { alerts };
};

} // namespace

TEST_F(LessonContentControllerTest, CopyAndPasteCarryContentAcrossCourses)
{
    fill(lessons[2], QStringLiteral("Copied"));
    lessons[2]->setValue(u"anchored", true);
    controller.copyLesson(lessons[2]);
    ASSERT_TRUE(controller.canPasteLesson());
    ASSERT_TRUE(controller.pasteLesson(artLessons[5]));
    EXPECT_EQ(artLessons[5]->lessonTitle(), QStringLiteral("Copied"));
    EXPECT_EQ(artLessons[5]->value<QString>(u"homeworkString"), QStringLiteral("Copied homework"));
    EXPECT_TRUE(artLessons[5]->isAnchored());
    // The meeting keeps its own slot.
    EXPECT_EQ(artLessons[5]->course(), art);
    EXPECT_EQ(artLessons[5]->dayTaught(), days[5]);
}

TEST_F(LessonContentControllerTest, CopyAndPasteCarryContentIntoAnotherDocument)
{
    fill(lessons[0], QStringLiteral("Travels"));
    controller.copyLesson(lessons[0]);
    std::unique_ptr<ObjectContext> other = SemestraRecords::newContext();
    ScheduleBuilder elsewhere(*other, 2027, 2, 28, 1);
    Lesson* target = elsewhere.lesson(elsewhere.course(QStringLiteral("Science")), elsewhere.day(2), 8);
    ASSERT_TRUE(controller.pasteLesson(target));
    EXPECT_EQ(target->lessonTitle(), QStringLiteral("Travels"));
}

TEST_F(LessonContentControllerTest, CopyWithoutALessonKeepsTheEarlierCopy)
{
    fill(lessons[0], QStringLiteral("First"));
    controller.copyLesson(lessons[0]);
    const int changes = Pasteboard::named(LessonContentController::pasteboardName).changeCount();
    controller.copyLesson(nullptr);
    EXPECT_EQ(Pasteboard::named(LessonContentController::pasteboardName).changeCount(), changes);
    ASSERT_TRUE(controller.pasteLesson(lessons[1]));
    EXPECT_EQ(lessons[1]->lessonTitle(), QStringLiteral("First"));
}

TEST_F(LessonContentControllerTest, PastingTextThatIsNoLessonChangesNothing)
{
    fill(lessons[1], QStringLiteral("Stays"));
    Pasteboard::named(LessonContentController::pasteboardName).setString(QStringLiteral("just some words ("));
    EXPECT_FALSE(controller.pasteLesson(lessons[1]));
    EXPECT_FALSE(controller.pasteLesson(nullptr));
    EXPECT_EQ(lessons[1]->lessonTitle(), QStringLiteral("Stays"));
}

TEST_F(LessonContentControllerTest, DroppingALessonCopiesItButNotOntoItself)
{
    fill(lessons[0], QStringLiteral("Dropped"));
    EXPECT_FALSE(controller.dropLesson(lessons[0], lessons[0]));
    EXPECT_TRUE(controller.dropLesson(lessons[3], lessons[0]));
    EXPECT_EQ(lessons[3]->lessonTitle(), QStringLiteral("Dropped"));
    EXPECT_EQ(lessons[0]->lessonTitle(), QStringLiteral("Dropped"));
}

TEST_F(LessonContentControllerTest, DroppedTextHoldingALessonDictionaryIsImported)
{
    EXPECT_TRUE(controller.dropText(lessons[4], QStringLiteral("{ lessonTitle = \"From text\"; syncID = X; }")));
    EXPECT_EQ(lessons[4]->lessonTitle(), QStringLiteral("From text"));
    EXPECT_NE(lessons[4]->value<QString>(u"syncID"), QStringLiteral("X"));
    EXPECT_FALSE(controller.dropText(lessons[4], QStringLiteral("plain words")));
}

TEST_F(LessonContentControllerTest, ClearingALessonKeepsTheSlot)
{
    fill(lessons[2], QStringLiteral("Busy"));
    Unit* unit = math->addUnitWithName(QStringLiteral("U"));
    lessons[2]->setObject(u"unit", unit);
    controller.clearLesson(lessons[2]);
    EXPECT_FALSE(lessons[2]->hasData());
    EXPECT_EQ(lessons[2]->unit(), nullptr);
    EXPECT_EQ(lessons[2]->dayTaught(), days[2]);
    EXPECT_TRUE(lessons[2]->hasTimes());
}

TEST_F(LessonContentControllerTest, ClearAllAsksAndCancelChangesNothing)
{
    fill(lessons[0], QStringLiteral("A"));
    fill(artLessons[9], QStringLiteral("B"));
    alerts.answerNext(AlertOtherReturn);
    EXPECT_FALSE(controller.clearAllLessons(*year()));
    EXPECT_EQ(alerts.last().title, QStringLiteral("Clear All Lesson Information?"));
    EXPECT_EQ(alerts.last().otherButton, QStringLiteral("Cancel"));
    EXPECT_TRUE(lessons[0]->hasData());
    alerts.answerNext(AlertDefaultReturn);
    EXPECT_TRUE(controller.clearAllLessons(*year()));
    EXPECT_FALSE(lessons[0]->hasData());
    EXPECT_FALSE(artLessons[9]->hasData());
    EXPECT_EQ(math->lessons().size(), 10);
}

TEST_F(LessonContentControllerTest, LockAndRemoveFromUnit)
{
    controller.toggleLock(lessons[0]);
    EXPECT_TRUE(lessons[0]->isAnchored());
    controller.toggleLock(lessons[0]);
    EXPECT_FALSE(lessons[0]->isAnchored());
    Unit* unit = math->addUnitWithName(QStringLiteral("U"));
    lessons[0]->setObject(u"unit", unit);
    controller.removeFromUnit(lessons[0]);
    EXPECT_EQ(lessons[0]->unit(), nullptr);
    EXPECT_EQ(math->units().size(), 1);
}
