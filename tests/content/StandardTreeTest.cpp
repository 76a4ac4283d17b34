#include "StandardsFixture.h"
#include "foundation/random/RandomSource.h"
#include "model/StandardSeeds.h"

#include <QSet>

namespace {

class StandardTreeTest : public StandardsFixture {
protected:
    // root → M (M.2, M.1 → M.1.a), E
    void SetUp() override
    {
        math = standard("M", "Mathematics", root);
        m2 = standard("M.2", "Fractions", math);
        m1 = standard("M.1", "Counting", math);
        m1a = standard("M.1.a", "Counting to ten", m1);
        english = standard("E", "English", root);
    }

    Standard* math = nullptr;
    Standard* m1 = nullptr;
    Standard* m2 = nullptr;
    Standard* m1a = nullptr;
    Standard* english = nullptr;
};

TEST_F(StandardTreeTest, ChildrenAreListedByShortNameWhateverTheOrderTheyWereMadeIn)
{
    EXPECT_EQ(math->numberOfChildren(), 2);
    EXPECT_EQ(math->childAtIndex(0), m1);
    EXPECT_EQ(math->childAtIndex(1), m2);
    EXPECT_EQ(math->childAtIndex(2), nullptr);
    EXPECT_EQ(root->selfAndChildren(), (QList<Standard*> { root, english, math, m1, m1a, m2 }));
}

TEST_F(StandardTreeTest, LessonsMatchingAGroupComeOncePerLinkBelowIt)
{
    lessons[0]->addStandard(m1a);
    lessons[0]->addStandard(m2);
    lessons[1]->addStandard(m1);
    artLessons[0]->addStandard(english);
    const QList<Lesson*> matching = math->getAllLessonsMatchingStandard();
    EXPECT_EQ(matching.size(), 3);
    EXPECT_EQ(matching.count(lessons[0]), 2);
    EXPECT_TRUE(matching.contains(lessons[1]));
    EXPECT_EQ(m2->getAllLessonsMatchingStandard(), QList<Lesson*> { lessons[0] });
}

TEST_F(StandardTreeTest, ALessonLinksAndUnlinksAStandardRecordingTheRemovedLink)
{
    EXPECT_FALSE(lessons[2]->hasStandard(m2));
    StandardInLesson* link = lessons[2]->addStandard(m2);
    link->setValue(u"syncID", QStringLiteral("L-7"));
    EXPECT_TRUE(lessons[2]->hasStandard(m2));
    EXPECT_EQ(lessons[2]->standardInLessonFromStandard(m2), link);
    EXPECT_EQ(m2->objects(u"standardInLesson").size(), 1);
    lessons[2]->removeStandard(lessons[2]->standardInLessonFromStandard(m2));
    EXPECT_FALSE(lessons[2]->hasStandard(m2));
    EXPECT_TRUE(m2->objects(u"standardInLesson").isEmpty());
    EXPECT_TRUE(link->isDeleted());
    EXPECT_TRUE(year()->deleteStack().contains(QStringLiteral("L-7:lesson_standard,")));
    lessons[2]->removeStandard(nullptr);
}

TEST_F(StandardTreeTest, DeletingAStandardTakesItsSubtreeAndEveryLinkOntoTheDeleteStack)
{
    m1->setValue(u"syncID", QStringLiteral("S-1"));
    m1a->setValue(u"syncID", QStringLiteral("S-1a"));
    lessons[0]->addStandard(m1a)->setValue(u"syncID", QStringLiteral("L-1"));
    lessons[1]->addStandard(m2);
    m1->deleteSelf();
    EXPECT_EQ(tree(), QStringLiteral("All Standards(E,M(M.2))"));
    EXPECT_FALSE(lessons[0]->hasStandard(m1a));
    EXPECT_TRUE(lessons[0]->objects(u"standards").isEmpty());
    EXPECT_TRUE(lessons[1]->hasStandard(m2));
    for (const char* entry : { "S-1:standard,", "S-1a:standard,", "L-1:lesson_standard," })
        EXPECT_TRUE(year()->deleteStack().contains(QString::fromLatin1(entry))) << entry;
    EXPECT_EQ(standardCount(), 4);
}

// A link to a standard that is gone would be saved and printed as an
// empty entry.
TEST_F(StandardTreeTest, ADeletedStandardIsNeverLinked)
{
    m2->deleteSelf();
    EXPECT_EQ(lessons[0]->addStandard(m2), nullptr);
    EXPECT_EQ(lessons[0]->addStandard(nullptr), nullptr);
    EXPECT_TRUE(lessons[0]->objects(u"standards").isEmpty());
    EXPECT_NE(lessons[0]->addStandard(m1), nullptr);
}

TEST_F(StandardTreeTest, AStandardMadeWithoutAYearFindsItThroughItsParents)
{
    Standard* orphan = standard("X", "No year", m1);
    orphan->setObject(u"year", nullptr);
    orphan->setValue(u"syncID", QStringLiteral("S-X"));
    EXPECT_EQ(orphan->owningYear(), year());
    orphan->deleteSelf();
    EXPECT_TRUE(year()->deleteStack().contains(QStringLiteral("S-X:standard,")));
}

TEST_F(StandardTreeTest, ExportEntriesComeParentFirstWithUniqueSeedsNamingTheirParents)
{
    QVariantList entries;
    StandardSeeds seeds;
    math->dictForExportWithParent(QStringLiteral("NONE"), entries, seeds);
    ASSERT_EQ(entries.size(), 4);
    QHash<QString, QString> shortNameBySeed;
    for (const QVariant& entry : entries) {
        const QVariantMap map = entry.toMap();
        const QString parent = map.value("parent").toString();
        EXPECT_TRUE(parent == u"NONE" || shortNameBySeed.contains(parent)) << "parent before child";
        EXPECT_FALSE(shortNameBySeed.contains(map.value("seed").toString()));
        shortNameBySeed.insert(map.value("seed").toString(), map.value("shortName").toString());
    }
    const QVariantMap last = entries.last().toMap();
    EXPECT_EQ(last.value("shortName"), "M.2");
    EXPECT_EQ(shortNameBySeed.value(last.value("parent").toString()), "M");
}

TEST(StandardSeedsTest, SeedsNeverRepeatEvenWhenTheRandomSourceDoes)
{
    StandardSeeds seeds;
    QSet<QString> seen;
    RandomSource::shared().seed(1);
    for (int i = 0; i < 3; ++i)
        seen.insert(seeds.next());
    // The same random numbers again must still give fresh seeds.
    RandomSource::shared().seed(1);
    for (int i = 0; i < 3; ++i) {
        const QString seed = seeds.next();
        bool isNumber = false;
        seed.toULongLong(&isNumber);
        EXPECT_TRUE(isNumber);
        EXPECT_FALSE(seen.contains(seed));
        seen.insert(seed);
    }
}

} // namespace
