#include "ContentFixture.h"
#include "content/LessonContentController.h"
#include "model/Assignment.h"
#include "model/AttachedWebLink.h"

namespace {

class UnitCopyTest : public ContentFixture {
protected:
    LessonContentController controller { alerts };
};

} // namespace

TEST_F(UnitCopyTest, UnitThatFitsExactlyIsCopiedIntoANewUnit)
{
    const Unit* unit = unitOf({ 0, 1, 2 }, QStringLiteral("Fractions"));
    alerts.answerNext(AlertDefaultReturn);
    ASSERT_TRUE(controller.dropUnit(lessons[7], unit));
    EXPECT_EQ(alerts.last().title, QStringLiteral("Create a new copy of this unit?"));
    EXPECT_TRUE(alerts.last().message.contains(QStringLiteral("along with the next 2 lessons")));
    EXPECT_EQ(titles(lessons.mid(7)), QStringList({ "U0", "U1", "U2" }));
    const Unit* copy = math->unitWithName(QStringLiteral("Fractions 1"));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->allLessonsInOrder(), lessons.mid(7));
    EXPECT_EQ(unit->allLessonsInOrder(), lessons.mid(0, 3));
    EXPECT_TRUE(postedWithoutObject.contains(QStringLiteral("SemestraCourseAdded")));
}

TEST_F(UnitCopyTest, UnitThatDoesNotFitIsRefusedWithBothPanels)
{
    const Unit* unit = unitOf({ 0, 1, 2 }, QStringLiteral("Fractions"));
    alerts.answerNext(AlertDefaultReturn);
    alerts.answerNext(AlertDefaultReturn);
    EXPECT_FALSE(controller.dropUnit(lessons[8], unit));
    ASSERT_EQ(alerts.shown().size(), 2);
    EXPECT_EQ(alerts.shown()[0].title, QStringLiteral("Too Few Lessons"));
    EXPECT_EQ(alerts.shown()[0].message,
        QStringLiteral("There aren't enough lessons left in Math to store the 3 lessons being copied"));
    EXPECT_EQ(alerts.shown()[1].title, QStringLiteral("Too Few Lessons Left in Course"));
    EXPECT_EQ(lessons[8]->lessonTitle(), QString());
    EXPECT_EQ(math->units().size(), 1);
}

TEST_F(UnitCopyTest, EmptyUnitAndCancelledCopyChangeNothing)
{
    const Unit* empty = math->addUnitWithName(QStringLiteral("Empty"));
    alerts.answerNext(AlertDefaultReturn);
    EXPECT_FALSE(controller.dropUnit(lessons[0], empty));
    EXPECT_EQ(alerts.last().title, QStringLiteral("No Lessons Found"));
    const Unit* unit = unitOf({ 0 }, QStringLiteral("One"));
    alerts.answerNext(AlertAlternateReturn);
    EXPECT_FALSE(controller.dropUnit(lessons[5], unit));
    EXPECT_TRUE(alerts.last().message.startsWith(QStringLiteral("Copying this unit will replace this lesson with")));
    EXPECT_EQ(lessons[5]->lessonTitle(), QString());
    EXPECT_EQ(math->units().size(), 2);
}

// Dropped one lesson before its own start, the unit's lessons are both
// sources and targets: every target must receive its source's original
// content, with its assignments and attachments.
TEST_F(UnitCopyTest, UnitDroppedJustBeforeItselfCopiesOriginalContent)
{
    const Unit* unit = unitOf({ 2, 3, 4 }, QStringLiteral("Shift"));
    auto* link = insert<AttachedWebLink>("AttachedWebLink");
    link->setValue(u"URL", QStringLiteral("https://example.org/2"));
    link->setObject(u"lesson", lessons[2]);
    auto* work = insert<Assignment>("Assignment");
    work->setValue(u"title", QStringLiteral("Work 3"));
    work->setObject(u"assignedLesson", lessons[3]);
    work->setObject(u"dueLesson", lessons[4]);
    alerts.answerNext(AlertDefaultReturn);
    ASSERT_TRUE(controller.dropUnit(lessons[1], unit));
    EXPECT_EQ(titles(lessons.mid(1, 4)), QStringList({ "U2", "U3", "U4", "U4" }));
    EXPECT_EQ(lessons[1]->objects<AttachedWebLink>(u"attachments").size(), 1);
    ASSERT_EQ(lessons[2]->assignments().size(), 1);
    EXPECT_EQ(lessons[2]->assignments()[0]->title(), QStringLiteral("Work 3"));
    EXPECT_EQ(lessons[2]->assignments()[0]->dueLesson(), lessons[3]);
    EXPECT_EQ(lessons[2]->value<QString>(u"homeworkString"), QStringLiteral("U3 homework"));
}

TEST_F(UnitCopyTest, UnitDroppedOnItsOwnFirstLessonKeepsItsContent)
{
    const Unit* unit = unitOf({ 3, 4 }, QStringLiteral("Same"));
    auto* link = insert<AttachedWebLink>("AttachedWebLink");
    link->setObject(u"lesson", lessons[3]);
    alerts.answerNext(AlertDefaultReturn);
    ASSERT_TRUE(controller.dropUnit(lessons[3], unit));
    EXPECT_EQ(titles(lessons.mid(3, 2)), QStringList({ "U3", "U4" }));
    EXPECT_EQ(lessons[3]->objects(u"attachments").size(), 1);
    // The lessons join the new unit; the old one is left without lessons.
    EXPECT_EQ(lessons[3]->unit()->unitName(), QStringLiteral("Same 1"));
    EXPECT_TRUE(unit->lessons().isEmpty());
}

TEST_F(UnitCopyTest, UnitOfAnotherCourseIsCopiedByPosition)
{
    Unit* artUnit = art->addUnitWithName(QStringLiteral("Colour"));
    for (int place : { 1, 6 }) {
        fill(artLessons[place], QStringLiteral("A%1").arg(place));
        artLessons[place]->setObject(u"unit", artUnit);
    }
    alerts.answerNext(AlertDefaultReturn);
    ASSERT_TRUE(controller.dropUnit(lessons[0], artUnit));
    EXPECT_EQ(titles(lessons.mid(0, 3)), QStringList({ "A1", "A6", "" }));
    EXPECT_EQ(lessons[0]->unit(), math->unitWithName(QStringLiteral("Colour")));
    EXPECT_TRUE(alerts.last().message.contains(QStringLiteral("along with the next lesson,")));
}
