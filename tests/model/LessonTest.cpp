#include "model/Lesson.h"

#include "ModelFixture.h"
#include "foundation/richtext/RichText.h"
#include "model/Assignment.h"

namespace {

class LessonTest : public ModelFixture {
protected:
    Lesson* lesson = insert<Lesson>("Lesson");
    const QByteArray boldHello = "{\\rtf1\\ansi{\\fonttbl\\f0 Helvetica;}\\f0 \\b Hello\\b0  class}";
};

} // namespace

TEST_F(LessonTest, RichFieldChangeUpdatesShadowTimeAndViews)
{
    lesson->setValue(u"homework", boldHello);
    EXPECT_EQ(lesson->value<QString>(u"homeworkString"), QStringLiteral("Hello class"));
    EXPECT_EQ(lesson->lastUpdated(), at(800000000));
    EXPECT_EQ(posted, QStringList { QStringLiteral("SemestraLessonDisplayTextChanged") });

    posted.clear();
    clock.set(at(800000100));
    lesson->setValue(u"lessonTitle", QStringLiteral("Fractions"));
    EXPECT_EQ(lesson->lastUpdated(), at(800000100));
    EXPECT_EQ(posted, QStringList { QStringLiteral("SemestraLessonDisplayTextChanged") });
}

TEST_F(LessonTest, OtherAttributesLeaveTheChangeTimeAlone)
{
    lesson->setValue(u"anchored", true);
    lesson->setValue(u"lessonPosition", 2);
    lesson->setValue(u"homeworkString", QStringLiteral("direct"));
    EXPECT_EQ(lesson->lastUpdated(), std::nullopt);
    EXPECT_TRUE(posted.isEmpty());
}

TEST_F(LessonTest, HasDataCountsPlainStringsAndAssignmentsOnly)
{
    lesson->setValue(u"anchored", true);
    lesson->setValue(u"syncID", QStringLiteral("42"));
    lesson->setValue(u"iCalUID", QStringLiteral("event-1"));
    lesson->setValue(u"lessonTitle", QStringLiteral(""));
    EXPECT_FALSE(lesson->hasData());

    lesson->setValue(u"homeworkString", QStringLiteral("p. 12"));
    EXPECT_TRUE(lesson->hasData());

    Lesson* other = insert<Lesson>("Lesson");
    auto* assignment = insert<Assignment>("Assignment");
    assignment->setObject(u"assignedLesson", other);
    EXPECT_TRUE(other->hasData());
}

TEST_F(LessonTest, MakeFieldsEqualLetsTheShadowWin)
{
    // Rich text that reads differently from a non-empty shadow becomes the shadow.
    lesson->setValue(u"lessonBody", boldHello);
    lesson->setValue(u"lessonBodyString", QStringLiteral("From Windows"));
    // A non-empty rich field with an empty shadow is emptied.
    lesson->setValue(u"homework", boldHello);
    lesson->setValue(u"homeworkString", QString());
    // Both empty: nothing happens; equal: nothing happens.
    lesson->setValue(u"custom1", boldHello);
    const QByteArray custom1Before = lesson->value<QByteArray>(u"custom1");

    lesson->makeFieldsEqual();
    EXPECT_EQ(RichText::plainText(lesson->value<QByteArray>(u"lessonBody")), QStringLiteral("From Windows"));
    EXPECT_TRUE(RichText::plainText(lesson->value<QByteArray>(u"homework")).isEmpty());
    EXPECT_TRUE(lesson->value<QByteArray>(u"homework").startsWith("{\\rtf"));
    EXPECT_FALSE(lesson->value(u"custom2").isValid());
    EXPECT_EQ(lesson->value<QByteArray>(u"custom1"), custom1Before);
}
