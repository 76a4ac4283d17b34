#include "planning/LessonWatch.h"

#include "PlanningFixture.h"
#include "planning/PlanningNotifications.h"

namespace {

class LessonWatchTest : public PlanningFixture {
protected:
    void post(const QString& name, NotificationSource* object = nullptr) const
    {
        NotificationCenter::defaultCenter().post(name, object);
    }

    Lesson* lesson = dayOn(2026, 10, 14)->lessonsInOrder().first();
    Lesson* other = dayOn(2026, 10, 15)->lessonsInOrder().first();
    LessonWatch watch;
    int changes = 0;
};

TEST_F(LessonWatchTest, ReportsChangesOfItsLessonAndOfTheWholeYearOnly)
{
    watch.watch(lesson, [this] { ++changes; });
    lesson->setValue(u"lessonTitle", QStringLiteral("Fractions"));
    EXPECT_EQ(changes, 1);
    other->setValue(u"lessonTitle", QStringLiteral("Decimals"));
    post(PlanningNotifications::lessonClicked, other);
    EXPECT_EQ(changes, 1) << "another lesson's changes";
    for (const QString& name : { ModelNotifications::lessonChanged, ModelNotifications::lessonShouldUpdateSelf,
             PlanningNotifications::lessonClicked })
        post(name, lesson);
    EXPECT_EQ(changes, 4);
    post(PlanningNotifications::planningModesNeedRefresh, dayOn(2026, 10, 15));
    post(ModelNotifications::refreshPlanningModes);
    EXPECT_EQ(changes, 6);
}

TEST_F(LessonWatchTest, ADeletedLessonOrNoLessonIsNotReported)
{
    watch.watch(lesson, [this] { ++changes; });
    lesson->dayTaught()->removeLesson(lesson);
    ASSERT_TRUE(lesson->isDeleted());
    post(PlanningNotifications::planningModesNeedRefresh);
    EXPECT_EQ(changes, 0);

    watch.watch(other, [this] { ++changes; });
    watch.watch(nullptr, [this] { ++changes; });
    other->setValue(u"lessonTitle", QStringLiteral("Decimals"));
    post(PlanningNotifications::planningModesNeedRefresh);
    EXPECT_EQ(changes, 0);
}

// Another document's year refreshing says nothing about this lesson.
TEST_F(LessonWatchTest, AnotherDocumentsNotificationsAreIgnored)
{
    std::unique_ptr<ObjectContext> otherContext = SemestraRecords::newContext();
    Year* otherYear = buildSchoolYear(*otherContext);
    watch.watch(lesson, [this] { ++changes; });
    post(PlanningNotifications::planningModesNeedRefresh, otherYear);
    EXPECT_EQ(changes, 0);
}

} // namespace
