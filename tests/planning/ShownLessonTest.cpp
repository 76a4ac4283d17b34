#include "planning/ShownLesson.h"

#include "PlanningFixture.h"

namespace {

class ShownLessonTest : public PlanningFixture {
protected:
    Lesson* mathOn(int y, int m, int d) const { return dayOn(y, m, d)->lessonsInOrder().first(); }
};

TEST_F(ShownLessonTest, ALiveLessonStaysShown)
{
    ShownLesson shown;
    shown.set(mathOn(2026, 10, 14));
    EXPECT_FALSE(shown.replaceIfDeleted());
    EXPECT_EQ(shown.lesson(), mathOn(2026, 10, 14));
    ShownLesson empty;
    EXPECT_FALSE(empty.replaceIfDeleted());
    EXPECT_EQ(empty.lesson(), nullptr);
}

TEST_F(ShownLessonTest, ADeletedLessonGivesWayToTheNearestOfItsCourseByDate)
{
    ShownLesson shown;
    // Friday 16 October: the weekend makes Thursday nearer than Monday.
    shown.set(mathOn(2026, 10, 16));
    Lesson* thursday = mathOn(2026, 10, 15);
    dayOn(2026, 10, 16)->removeLesson(shown.lesson());
    EXPECT_TRUE(shown.replaceIfDeleted());
    EXPECT_EQ(shown.lesson(), thursday);

    // Equally near on both sides: the later lesson.
    Lesson* friday = mathOn(2026, 10, 9);
    dayOn(2026, 10, 6)->removeLesson(mathOn(2026, 10, 6));
    dayOn(2026, 10, 8)->removeLesson(mathOn(2026, 10, 8));
    shown.set(mathOn(2026, 10, 7));
    dayOn(2026, 10, 7)->removeLesson(shown.lesson());
    EXPECT_TRUE(shown.replaceIfDeleted());
    EXPECT_EQ(shown.lesson(), friday);

    // The last lesson of the course gives way to the one before it.
    Course* math = friday->course();
    Lesson* last = math->allLessonsInOrder().last();
    Lesson* beforeLast = math->allLessonsInOrder().at(math->allLessonsInOrder().size() - 2);
    shown.set(last);
    last->dayTaught()->removeLesson(last);
    EXPECT_TRUE(shown.replaceIfDeleted());
    EXPECT_EQ(shown.lesson(), beforeLast);
}

TEST_F(ShownLessonTest, ALessonWhoseCourseIsGoneHasNoReplacement)
{
    ShownLesson shown;
    Lesson* lesson = mathOn(2026, 10, 14);
    Course* math = lesson->course();
    shown.set(lesson);
    for (Lesson* each : math->allLessonsInOrder())
        each->dayTaught()->removeLesson(each);
    EXPECT_TRUE(shown.replaceIfDeleted());
    EXPECT_EQ(shown.lesson(), nullptr);

    // A deleted course, even one still holding lessons, offers none.
    ShownLesson art;
    Lesson* artLesson = dayOn(2026, 10, 14)->lessonsInOrder().first();
    art.set(artLesson);
    Course* artCourse = artLesson->course();
    artLesson->dayTaught()->removeLesson(artLesson);
    context->deleteObject(artCourse);
    EXPECT_TRUE(art.replaceIfDeleted());
    EXPECT_EQ(art.lesson(), nullptr);
}

} // namespace
