#include "store/ObjectContext.h"

#include "store/SemestraEntityModel.h"

#include <QDateTime>
#include <QStringList>

#include <gtest/gtest.h>

namespace {

// Records that log the change hooks, to check both sides of a link are told.
class LoggingRecord : public ManagedObject {
public:
    LoggingRecord(const EntityDescription& entity, ObjectContext& context, QStringList& log)
        : ManagedObject(entity, context)
        , m_log(log)
    { }

protected:
    void willChangeValue(const QString& key) override { m_log << "will " + entity().name() + "." + key; }
    void didChangeValue(const QString& key) override { m_log << "did " + entity().name() + "." + key; }

private:
    QStringList& m_log;
};

class ObjectContextTest : public testing::Test {
protected:
    ObjectContext context { SemestraEntityModel::shared() };

    ManagedObject* day(double date)
    {
        ManagedObject* d = context.insertObject(QStringLiteral("Day"));
        d->setValue(u"actualDate", date);
        return d;
    }
    ManagedObject* lesson(const QString& title)
    {
        ManagedObject* l = context.insertObject(QStringLiteral("Lesson"));
        l->setValue(u"lessonTitle", title);
        return l;
    }
};

} // namespace

TEST_F(ObjectContextTest, SettingToOneUpdatesTheInverseSetAndMovesBetweenOwners)
{
    ManagedObject* monday = day(0);
    ManagedObject* tuesday = day(86400);
    ManagedObject* math = lesson(QStringLiteral("Math"));

    math->setObject(u"dayTaught", monday);
    EXPECT_EQ(monday->objects(u"lessons"), QList<ManagedObject*> { math });

    tuesday->addObject(u"lessons", math);
    EXPECT_EQ(math->object(u"dayTaught"), tuesday);
    EXPECT_TRUE(monday->objects(u"lessons").isEmpty());

    tuesday->removeObject(u"lessons", math);
    EXPECT_EQ(math->object(u"dayTaught"), nullptr);
    EXPECT_TRUE(tuesday->objects(u"lessons").isEmpty());
}

TEST_F(ObjectContextTest, OneToOneLinkDetachesThePreviousPartner)
{
    ManagedObject* year = context.insertObject(QStringLiteral("Year"));
    ManagedObject* first = context.insertObject(QStringLiteral("PublishInfo"));
    ManagedObject* second = context.insertObject(QStringLiteral("PublishInfo"));
    year->setObject(u"publish", first);
    EXPECT_EQ(first->object(u"year"), year);

    second->setObject(u"year", year);
    EXPECT_EQ(year->object(u"publish"), second);
    EXPECT_EQ(first->object(u"year"), nullptr);
}

TEST_F(ObjectContextTest, ManyToManyLinksBothSidesOnce)
{
    ManagedObject* math = lesson(QStringLiteral("Math"));
    ManagedObject* tag = context.insertObject(QStringLiteral("Tag"));
    math->addObject(u"tags", tag);
    math->addObject(u"tags", tag);
    EXPECT_EQ(tag->objects(u"lessons"), QList<ManagedObject*> { math });
    EXPECT_EQ(math->objects(u"tags").size(), 1);
    tag->removeObject(u"lessons", math);
    EXPECT_TRUE(math->objects(u"tags").isEmpty());
}

TEST_F(ObjectContextTest, AbstractDestinationPairsWithEachSubEntitysInverse)
{
    ManagedObject* math = lesson(QStringLiteral("Math"));
    ManagedObject* file = context.insertObject(QStringLiteral("AttachedFile"));
    ManagedObject* link = context.insertObject(QStringLiteral("AttachedWebLink"));
    math->addObject(u"attachments", file);
    link->setObject(u"lesson", math);
    EXPECT_EQ(file->object(u"lesson"), math);
    EXPECT_EQ(math->objects(u"attachments"), (QList<ManagedObject*> { file, link }));
}

TEST_F(ObjectContextTest, DeletingUnlinksEverywhereAndHidesFromFetches)
{
    ManagedObject* monday = day(0);
    ManagedObject* math = lesson(QStringLiteral("Math"));
    ManagedObject* tag = context.insertObject(QStringLiteral("Tag"));
    math->setObject(u"dayTaught", monday);
    math->addObject(u"tags", tag);

    context.deleteObject(math);
    EXPECT_TRUE(math->isDeleted());
    EXPECT_TRUE(monday->objects(u"lessons").isEmpty());
    EXPECT_TRUE(tag->objects(u"lessons").isEmpty());
    EXPECT_EQ(context.countOfEntity(QStringLiteral("Lesson")), 0);
    // A deleted record keeps its values for stale readers but takes no changes.
    math->setValue(u"lessonTitle", QStringLiteral("Other"));
    math->setObject(u"dayTaught", monday);
    EXPECT_EQ(math->value<QString>(u"lessonTitle"), QStringLiteral("Math"));
    EXPECT_TRUE(monday->objects(u"lessons").isEmpty());
    // Inserted and deleted before any save: nothing to write.
    EXPECT_TRUE(context.deletedObjects().isEmpty());
}

TEST_F(ObjectContextTest, FetchFindsSubEntitiesFiltersAndSortsByKeyPath)
{
    ObjectContext& c = context;
    ManagedObject* later = day(200);
    ManagedObject* earlier = day(100);
    const QList<ManagedObject*> lessons { lesson("b"), lesson("a"), lesson("c"), lesson("a2") };
    lessons[0]->setObject(u"dayTaught", later);
    lessons[1]->setObject(u"dayTaught", earlier);
    lessons[2]->setObject(u"dayTaught", later);
    // lessons[3] has no day: absent values sort first.

    const QList<ManagedObject*> sorted
        = c.fetch({ QStringLiteral("Lesson"), {}, { { QStringLiteral("dayTaught.actualDate"), true } } });
    EXPECT_EQ(sorted, (QList<ManagedObject*> { lessons[3], lessons[1], lessons[0], lessons[2] }));

    const auto titled = [](const ManagedObject& l) { return l.value<QString>(u"lessonTitle").startsWith('a'); };
    const QList<ManagedObject*> descending
        = c.fetch({ QStringLiteral("Lesson"), titled, { { QStringLiteral("lessonTitle"), false } } });
    EXPECT_EQ(descending, (QList<ManagedObject*> { lessons[3], lessons[1] }));

    c.insertObject(QStringLiteral("MyCourse"));
    EXPECT_EQ(c.countOfEntity(QStringLiteral("Course")), 1);
    EXPECT_EQ(c.countOfEntity(QStringLiteral("MyCourse")), 1);
}

TEST_F(ObjectContextTest, ObjectUriFindsTheRecordAndRejectsForeignOnes)
{
    ManagedObject* course = context.insertObject(QStringLiteral("MyCourse"));
    ManagedObject* other = context.insertObject(QStringLiteral("MyCourse"));
    EXPECT_NE(course->objectURI(), other->objectURI());
    EXPECT_EQ(context.objectWithURI(course->objectURI()), course);

    ObjectContext otherDocument { SemestraEntityModel::shared() };
    EXPECT_EQ(otherDocument.objectWithURI(course->objectURI()), nullptr);
    QString wrongEntity = course->objectURI();
    wrongEntity.replace(QStringLiteral("/MyCourse/"), QStringLiteral("/Lesson/"));
    EXPECT_EQ(context.objectWithURI(wrongEntity), nullptr);
    EXPECT_EQ(context.objectWithURI(QStringLiteral("x-coredata://nonsense")), nullptr);
}

TEST_F(ObjectContextTest, ValuesAreStoredInTheirAttributeType)
{
    ManagedObject* l = lesson(QStringLiteral("x"));
    l->setValue(u"lessonPosition", 3.0);
    l->setValue(u"anchored", 1);
    l->setValue(u"startTime", QDateTime(QDate(2001, 1, 2), QTime(0, 0), Qt::UTC));
    EXPECT_EQ(l->value(u"lessonPosition").typeId(), QMetaType::LongLong);
    EXPECT_EQ(l->value(u"anchored"), QVariant(true));
    EXPECT_DOUBLE_EQ(l->value<double>(u"startTime"), 86400.0);
    l->setValue(u"lessonTitle", QString());
    EXPECT_FALSE(l->value(u"lessonTitle").isValid());
    l->setValue(u"lessonTitle", QStringLiteral(""));
    EXPECT_TRUE(l->value(u"lessonTitle").isValid());
}

TEST(ObjectContextHooksTest, BothSidesOfALinkHearWillAndDidChange)
{
    QStringList log;
    ObjectContext context(SemestraEntityModel::shared(),
        [&](const EntityDescription& e, ObjectContext& c) { return std::make_unique<LoggingRecord>(e, c, log); });
    ManagedObject* day = context.insertObject(QStringLiteral("Day"));
    ManagedObject* lesson = context.insertObject(QStringLiteral("Lesson"));
    log.clear();
    lesson->setObject(u"dayTaught", day);
    EXPECT_EQ(
        log, QStringList({ "will Lesson.dayTaught", "will Day.lessons", "did Day.lessons", "did Lesson.dayTaught" }));
    log.clear();
    lesson->setValue(u"lessonTitle", QStringLiteral("Fractions"));
    lesson->setValue(u"lessonTitle", QStringLiteral("Fractions"));
    EXPECT_EQ(log, QStringList({ "will Lesson.lessonTitle", "did Lesson.lessonTitle" }));
}
