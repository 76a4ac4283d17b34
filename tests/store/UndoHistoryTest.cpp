#include "store/SemestraEntityModel.h"
#include "store/SqliteStore.h"
#include "store/UndoGroup.h"
#include "testlib/RecordSnapshot.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A record with a rule of the kind record classes have: changing the title
// also writes the plain-text shadow. Its changes and restores are logged.
class RuledLesson : public ManagedObject {
public:
    RuledLesson(const EntityDescription& entity, ObjectContext& context, QStringList& log)
        : ManagedObject(entity, context)
        , m_log(log)
    { }

protected:
    void didChangeValue(const QString& key) override
    {
        m_log << key;
        if (key == u"lessonTitle")
            setValue(u"lessonBodyString", value<QString>(u"lessonTitle").toUpper());
    }
    void valuesRestored() override { m_log << QStringLiteral("restored ") + value<QString>(u"lessonTitle"); }

private:
    QStringList& m_log;
};

class UndoHistoryTest : public testing::Test {
protected:
    UndoHistoryTest() { history().setEnabled(true); }

    std::unique_ptr<ObjectContext> newContext()
    {
        return std::make_unique<ObjectContext>(
            SemestraEntityModel::shared(), [this](const EntityDescription& entity, ObjectContext& owner) {
                if (entity.name() == u"Lesson")
                    return std::unique_ptr<ManagedObject>(std::make_unique<RuledLesson>(entity, owner, log));
                return std::make_unique<ManagedObject>(entity, owner);
            });
    }

    UndoHistory& history() { return context->undoHistory(); }
    QStringList snapshot() const { return RecordSnapshot::take(*context); }

    ManagedObject* insert(const QString& entity, const QString& name = {})
    {
        ManagedObject* record = context->insertObject(entity);
        if (!name.isEmpty())
            record->setValue(entity == u"Lesson" ? u"lessonTitle" : u"holidayName", name);
        return record;
    }

    // A day holding three lessons, the middle one tagged, outside the history.
    void buildDay()
    {
        history().setEnabled(false);
        day = insert(QStringLiteral("Day"), QStringLiteral("Monday"));
        tag = insert(QStringLiteral("Tag"));
        for (const char* title : { "first", "middle", "last" }) {
            ManagedObject* lesson = insert(QStringLiteral("Lesson"), QString::fromLatin1(title));
            day->addObject(u"lessons", lesson);
            lessons << lesson;
        }
        lessons[1]->addObject(u"tags", tag);
        history().setEnabled(true);
    }

    ::testing::AssertionResult matches(const QStringList& expected) const
    {
        const QString differences = RecordSnapshot::differences(expected, snapshot());
        if (differences.isEmpty())
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << qPrintable(differences);
    }

    QStringList log;
    std::unique_ptr<ObjectContext> context = newContext();
    ManagedObject* day = nullptr;
    ManagedObject* tag = nullptr;
    QList<ManagedObject*> lessons;
};

} // namespace

TEST_F(UndoHistoryTest, AGroupIsOneStepNamedByItsOutermostGroup)
{
    buildDay();
    const QStringList before = snapshot();
    {
        UndoGroup bump(*context, QStringLiteral("Bump"));
        lessons[0]->setValue(u"lessonTitle", QStringLiteral("one"));
        UndoGroup inner(*context, QStringLiteral("Paste Lesson"));
        lessons[0]->setValue(u"lessonTitle", QStringLiteral("two"));
        lessons[2]->setObject(u"dayTaught", nullptr);
    }
    const QStringList after = snapshot();
    EXPECT_EQ(history().undoCount(), 1u);
    EXPECT_EQ(history().undoName(), QStringLiteral("Bump"));

    ASSERT_TRUE(history().undo());
    EXPECT_TRUE(matches(before));
    EXPECT_EQ(history().redoName(), QStringLiteral("Bump"));
    EXPECT_FALSE(history().canUndo());

    ASSERT_TRUE(history().redo());
    EXPECT_TRUE(matches(after));
    EXPECT_FALSE(history().canRedo());
}

TEST_F(UndoHistoryTest, PlaybackSkipsTheRulesAndTellsEachRecordOnceAtTheEnd)
{
    buildDay();
    lessons[0]->setValue(u"lessonBodyString", QStringLiteral("kept apart"));
    history().closeOpenStep();
    {
        UndoGroup group(*context, QStringLiteral("Rename"));
        lessons[0]->setValue(u"lessonTitle", QStringLiteral("renamed"));
    }
    EXPECT_EQ(lessons[0]->value<QString>(u"lessonBodyString"), QStringLiteral("RENAMED"));
    log.clear();

    history().undo();

    // The shadow had a value of its own, which the rule would not give back.
    EXPECT_EQ(lessons[0]->value<QString>(u"lessonBodyString"), QStringLiteral("kept apart"));
    EXPECT_EQ(lessons[0]->value<QString>(u"lessonTitle"), QStringLiteral("first"));
    EXPECT_EQ(log, QStringList { QStringLiteral("restored first") });
    EXPECT_EQ(history().undoName(), QStringLiteral("Change"));
}

TEST_F(UndoHistoryTest, UndoingADeleteBringsTheRecordBackWithItsKeyLinksAndPlace)
{
    buildDay();
    const QStringList before = snapshot();
    const QString uri = lessons[1]->objectURI();
    {
        UndoGroup group(*context, QStringLiteral("Clear Lesson"));
        context->deleteObject(lessons[1]);
    }
    EXPECT_EQ(day->objects(u"lessons").size(), 2);
    EXPECT_TRUE(tag->objects(u"lessons").isEmpty());

    history().undo();

    EXPECT_TRUE(matches(before));
    EXPECT_EQ(context->objectWithURI(uri), lessons[1]);
    EXPECT_FALSE(lessons[1]->isDeleted());
    EXPECT_EQ(day->objects(u"lessons"), lessons);
    EXPECT_EQ(tag->objects(u"lessons"), QList<ManagedObject*> { lessons[1] });
}

TEST_F(UndoHistoryTest, InsertAndDeleteInOneStepUndoAndRedoToTheSameRecords)
{
    buildDay();
    const QStringList before = snapshot();
    {
        UndoGroup group(*context, QStringLiteral("Add Course"));
        ManagedObject* added = insert(QStringLiteral("Lesson"), QStringLiteral("added"));
        day->addObject(u"lessons", added);
        added->addObject(u"tags", tag);
        context->deleteObject(lessons[0]);
        context->deleteObject(added);
        insert(QStringLiteral("Lesson"), QStringLiteral("stays"))->setObject(u"dayTaught", day);
    }
    const QStringList after = snapshot();

    history().undo();
    EXPECT_TRUE(matches(before));
    history().redo();
    EXPECT_TRUE(matches(after));
    history().undo();
    EXPECT_TRUE(matches(before));
}

TEST_F(UndoHistoryTest, ANewChangeClearsTheRedoStack)
{
    buildDay();
    for (const char* title : { "a", "b" }) {
        UndoGroup group(*context, QString::fromLatin1(title));
        lessons[0]->setValue(u"lessonTitle", QString::fromLatin1(title));
    }
    history().undo();
    ASSERT_TRUE(history().canRedo());

    lessons[2]->setValue(u"lessonTitle", QStringLiteral("typed"));

    EXPECT_FALSE(history().canRedo());
    EXPECT_FALSE(history().redo());
    EXPECT_EQ(history().undoCount(), 2u);
}

TEST_F(UndoHistoryTest, LooseChangesMakeOneStepUntilClosedUnderTheGivenName)
{
    buildDay();
    lessons[0]->setValue(u"lessonTitle", QStringLiteral("x"));
    lessons[1]->setValue(u"lessonTitle", QStringLiteral("y"));
    EXPECT_TRUE(history().hasOpenLooseStep());
    history().closeOpenStep(QStringLiteral("Lock"));
    lessons[2]->setValue(u"lessonTitle", QStringLiteral("z"));
    {
        // A group ends the loose step before it, which keeps its default name.
        UndoGroup group(*context, QStringLiteral("Bump"));
    }
    EXPECT_EQ(history().undoCount(), 2u);
    history().undo();
    EXPECT_EQ(history().undoName(), QStringLiteral("Lock"));
    EXPECT_EQ(lessons[1]->value<QString>(u"lessonTitle"), QStringLiteral("y"));
    history().undo();
    EXPECT_EQ(lessons[1]->value<QString>(u"lessonTitle"), QStringLiteral("middle"));
    EXPECT_FALSE(history().canUndo());
}

TEST_F(UndoHistoryTest, ClearingInsideAGroupDropsTheRestOfThatGroup)
{
    buildDay();
    {
        UndoGroup group(*context, QStringLiteral("Migrate Year"));
        lessons[0]->setValue(u"lessonTitle", QStringLiteral("moved"));
        history().clear();
        lessons[1]->setValue(u"lessonTitle", QStringLiteral("moved too"));
    }
    EXPECT_FALSE(history().canUndo());
    lessons[2]->setValue(u"lessonTitle", QStringLiteral("later"));
    EXPECT_TRUE(history().canUndo());
}

TEST_F(UndoHistoryTest, NothingIsRecordedWhileDisabledAndUndoWaitsForTheGroupToEnd)
{
    history().setEnabled(false);
    insert(QStringLiteral("Lesson"), QStringLiteral("unrecorded"));
    EXPECT_FALSE(history().canUndo());

    history().setEnabled(true);
    UndoGroup group(*context, QStringLiteral("Bump"));
    insert(QStringLiteral("Lesson"), QStringLiteral("recorded"));
    EXPECT_FALSE(history().undo());
    EXPECT_EQ(context->countOfEntity(QStringLiteral("Lesson")), 2);
}

namespace {

class UndoAndSaveTest : public UndoHistoryTest {
protected:
    QString path() const { return folder.filePath(QStringLiteral("year.semestra")); }

    void save() { ASSERT_TRUE(SqliteStore::save(*context, path()).ok()); }

    ::testing::AssertionResult fileMatches(const QStringList& expected) const
    {
        const auto reopened = SqliteStore::open(path(), SemestraEntityModel::shared());
        if (!reopened)
            return ::testing::AssertionFailure() << qPrintable(reopened.error());
        const QString differences = RecordSnapshot::differences(expected, RecordSnapshot::take(**reopened));
        if (differences.isEmpty())
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << qPrintable(differences);
    }

    QTemporaryDir folder;
};

} // namespace

TEST_F(UndoAndSaveTest, ASaveKeepsTheHistoryAndTheNextSaveWritesWhatUndoRestored)
{
    buildDay();
    save();
    const QStringList saved = snapshot();
    {
        UndoGroup group(*context, QStringLiteral("Remove Course"));
        lessons[0]->setValue(u"lessonTitle", QStringLiteral("renamed"));
        context->deleteObject(lessons[1]);
        insert(QStringLiteral("Lesson"), QStringLiteral("new"))->setObject(u"dayTaught", day);
    }
    const QStringList changed = snapshot();
    save();
    EXPECT_TRUE(history().canUndo());

    history().undo();
    save();
    EXPECT_TRUE(fileMatches(saved));

    history().redo();
    save();
    EXPECT_TRUE(fileMatches(changed));
}

TEST_F(UndoAndSaveTest, UndoBeforeAnySaveOfTheChangeLeavesTheFileAsItWas)
{
    buildDay();
    save();
    const QStringList saved = snapshot();
    {
        UndoGroup group(*context, QStringLiteral("Clear All"));
        for (ManagedObject* lesson : std::as_const(lessons))
            context->deleteObject(lesson);
        insert(QStringLiteral("Lesson"), QStringLiteral("never saved"));
    }
    history().undo();
    save();
    EXPECT_TRUE(fileMatches(saved));
    // Undone again after redo, across a save in between.
    history().redo();
    save();
    history().undo();
    save();
    EXPECT_TRUE(fileMatches(saved));
}

namespace {

// Record classes move content along runs of records; the test does as they do.
class RunOfRecords : public ManagedObject {
public:
    using ManagedObject::setUnwatchedValues;
    using ManagedObject::shiftRelatedAlong;
};

} // namespace

// A bump re-links the standards of a whole run of lessons at once: each
// lesson takes the links of the one before, in their order, the links point
// back at their new lesson, undo and redo play it as one change, and a save
// writes every moved link's new lesson.
TEST_F(UndoAndSaveTest, RelatedRecordsShiftAlongARunAndBackAsOneStepAndAreSavedWhereTheyWent)
{
    buildDay();
    history().setEnabled(false);
    QList<ManagedObject*> links;
    for (ManagedObject* lesson : { lessons[0], lessons[0], lessons[1] }) {
        links << insert(QStringLiteral("StandardInLesson"));
        links.last()->setObject(u"lesson", lesson);
    }
    history().setEnabled(true);
    save();
    const QStringList before = snapshot();
    {
        UndoGroup group(*context, QStringLiteral("Bump"));
        RunOfRecords::shiftRelatedAlong(lessons, u"standards");
    }
    const QStringList after = snapshot();
    EXPECT_TRUE(lessons[0]->objects(u"standards").isEmpty());
    EXPECT_EQ(lessons[1]->objects(u"standards"), (QList<ManagedObject*> { links[0], links[1] }));
    EXPECT_EQ(lessons[2]->objects(u"standards"), QList<ManagedObject*> { links[2] });
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(links[i]->object(u"lesson"), lessons[i < 2 ? 1 : 2]);
    EXPECT_TRUE(links[0]->isUpdated());
    save();
    EXPECT_TRUE(fileMatches(after));

    ASSERT_TRUE(history().undo());
    EXPECT_TRUE(matches(before));
    EXPECT_EQ(links[2]->object(u"lesson"), lessons[1]);
    save();
    EXPECT_TRUE(fileMatches(before));

    ASSERT_TRUE(history().redo());
    EXPECT_TRUE(matches(after));
}

// A bump stamps thousands of moved records of several kinds with one value:
// records already holding it are left unchanged, and a value written after
// the stamp never joins one written before it, so redo ends on the last.
TEST_F(UndoAndSaveTest, OneValueSetOnRecordsOfSeveralKindsUndoesAndRedoesAsOneChange)
{
    buildDay();
    history().setEnabled(false);
    ManagedObject* link = insert(QStringLiteral("StandardInLesson"));
    lessons[2]->setValue(u"lastUpdated", 7.0);
    history().setEnabled(true);
    save();
    const QStringList before = snapshot();
    {
        UndoGroup group(*context, QStringLiteral("Bump"));
        lessons[0]->setValue(u"lastUpdated", 5.0);
        static const PropertyKey lastUpdated(u"lastUpdated");
        RunOfRecords::setUnwatchedValues({ lessons[0], link, lessons[2] }, lastUpdated, 7.0);
        lessons[0]->setValue(u"lastUpdated", 9.0);
    }
    EXPECT_EQ(link->value(u"lastUpdated"), QVariant(7.0));
    EXPECT_TRUE(link->isUpdated());
    EXPECT_FALSE(lessons[2]->isUpdated());
    const QStringList after = snapshot();

    ASSERT_TRUE(history().undo());
    EXPECT_TRUE(matches(before));
    ASSERT_TRUE(history().redo());
    EXPECT_TRUE(matches(after));
    EXPECT_EQ(lessons[0]->value(u"lastUpdated"), QVariant(9.0));
    save();
    EXPECT_TRUE(fileMatches(after));
}
