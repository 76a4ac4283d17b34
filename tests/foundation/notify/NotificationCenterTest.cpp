#include "foundation/notify/NotificationCenter.h"

#include "foundation/notify/ObserverBag.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

// A record-like object that belongs to one document's scope.
struct ScopedObject : NotificationSource {
    explicit ScopedObject(const void* scope)
        : m_scope(scope)
    { }
    const void* notificationScope() const override { return m_scope; }
    const void* m_scope;
};

const QString lessonClicked = QStringLiteral("SemestraLessonClicked");
const QString courseAdded = QStringLiteral("SemestraCourseAdded");

} // namespace

TEST(NotificationCenterTest, DeliversByNameAndObject)
{
    NotificationCenter center;
    ScopedObject lesson(nullptr);
    ScopedObject otherLesson(nullptr);
    QStringList log;
    center.addObserver(lessonClicked, [&](const Notification& n) { log << "name:" + n.name; });
    center.addObserver(lessonClicked, &lesson, [&](const Notification&) { log << "object"; });
    center.addObserver(QString(), [&](const Notification& n) { log << "all:" + n.name; });

    center.post(lessonClicked, &otherLesson);
    center.post(courseAdded);
    center.post(lessonClicked, &lesson, { { QStringLiteral("key"), 1 } });

    EXPECT_EQ(log,
        QStringList({ "name:SemestraLessonClicked", "all:SemestraLessonClicked", "all:SemestraCourseAdded",
            "name:SemestraLessonClicked", "object", "all:SemestraLessonClicked" }));
}

// Observers of one name and of every name are kept apart for speed, yet
// hear a post in the order they were added, also after removals.
TEST(NotificationCenterTest, ObserversOfANameAndOfEveryNameHearInTheOrderAdded)
{
    NotificationCenter center;
    QStringList log;
    const auto first = center.addObserver(lessonClicked, [&](const Notification&) { log << "first"; });
    center.addObserver(QString(), [&](const Notification&) { log << "every"; });
    center.addObserver(courseAdded, [&](const Notification&) { log << "other"; });
    center.addObserver(lessonClicked, [&](const Notification&) { log << "last"; });
    center.post(lessonClicked);
    center.removeObserver(first);
    center.removeObserver(first);
    center.post(lessonClicked);
    EXPECT_EQ(log, QStringList({ "first", "every", "last", "every", "last" }));
    EXPECT_EQ(center.observerCount(), 3);
}

// Observers of one object are kept apart from those of any object, yet hear
// a post for their object in the order all were added; observers of another
// object hear nothing of it.
TEST(NotificationCenterTest, ObserversOfOneObjectHearInTheOrderAddedAmongTheOthers)
{
    NotificationCenter center;
    ScopedObject lesson(nullptr);
    ScopedObject otherLesson(nullptr);
    QStringList log;
    const auto first = center.addObserver(lessonClicked, &lesson, [&](const Notification&) { log << "lesson"; });
    center.addObserver(lessonClicked, [&](const Notification&) { log << "any"; });
    center.addObserver(QString(), &lesson, [&](const Notification&) { log << "lesson, every name"; });
    center.addObserver(QString(), [&](const Notification&) { log << "every"; });
    center.addObserver(lessonClicked, &otherLesson, [&](const Notification&) { log << "other"; });
    center.addObserver(lessonClicked, &lesson, [&](const Notification&) { log << "lesson again"; });

    center.post(lessonClicked, &lesson);
    EXPECT_EQ(log, QStringList({ "lesson", "any", "lesson, every name", "every", "lesson again" }));
    log.clear();
    center.post(lessonClicked, &otherLesson);
    EXPECT_EQ(log, QStringList({ "any", "every", "other" }));
    log.clear();
    center.removeObserver(first);
    center.post(courseAdded, &lesson);
    center.post(lessonClicked, &lesson);
    EXPECT_EQ(log, QStringList({ "lesson, every name", "every", "any", "lesson, every name", "every", "lesson again" }));
}

TEST(NotificationCenterTest, ScopedObserverIgnoresOtherDocuments)
{
    NotificationCenter center;
    int documentA = 0;
    int documentB = 0;
    ScopedObject inA(&documentA);
    ScopedObject inB(&documentB);
    ScopedObject applicationWide(nullptr);
    QList<const NotificationSource*> seenByA;
    center.addScopedObserver(lessonClicked, &documentA, [&](const Notification& n) { seenByA << n.object; });

    center.post(lessonClicked, &inB);
    center.post(lessonClicked, &inA);
    center.post(lessonClicked, &applicationWide);
    center.post(lessonClicked);

    EXPECT_EQ(seenByA, (QList<const NotificationSource*> { &inA, &applicationWide, nullptr }));
}

TEST(NotificationCenterTest, ObjectAsChecksTheType)
{
    struct Other : NotificationSource { };
    ScopedObject scoped(nullptr);
    const Notification n { lessonClicked, &scoped, {} };
    EXPECT_EQ(n.objectAs<ScopedObject>(), &scoped);
    EXPECT_EQ(n.objectAs<Other>(), nullptr);
}

TEST(NotificationCenterTest, ObserversMayRemoveThemselvesAndOthersWhileHandling)
{
    NotificationCenter center;
    int first = 0;
    int second = 0;
    NotificationCenter::ObserverId secondId = 0;
    NotificationCenter::ObserverId firstId = center.addObserver(lessonClicked, [&](const Notification&) {
        ++first;
        center.removeObserver(firstId);
        center.removeObserver(secondId);
    });
    secondId = center.addObserver(lessonClicked, [&](const Notification&) { ++second; });

    center.post(lessonClicked);
    center.post(lessonClicked);

    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 0);
    EXPECT_EQ(center.observerCount(), 0);
}

TEST(NotificationCenterTest, ObserverAddedWhileHandlingWaitsForTheNextPost)
{
    NotificationCenter center;
    int late = 0;
    center.addObserver(lessonClicked,
        [&](const Notification&) { center.addObserver(lessonClicked, [&](const Notification&) { ++late; }); });
    center.post(lessonClicked);
    EXPECT_EQ(late, 0);
    center.post(lessonClicked);
    EXPECT_EQ(late, 1);
}

TEST(NotificationCenterTest, ObserverBagRemovesItsObserversWhenDestroyed)
{
    NotificationCenter center;
    int calls = 0;
    {
        ObserverBag bag(center);
        bag.observe(lessonClicked, nullptr, [&](const Notification&) { ++calls; });
        bag.observe(courseAdded, nullptr, [&](const Notification&) { ++calls; });
        center.post(lessonClicked);
    }
    center.post(lessonClicked);
    center.post(courseAdded);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(center.observerCount(), 0);
}
