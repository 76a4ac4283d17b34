#include "store/SqliteStore.h"

#include "StoreGraphFiller.h"
#include "store/SemestraEntityModel.h"
#include "store/sqlite/FMDatabase.h"
#include "store/sqlite/FMResultSet.h"
#include "testlib/FileHash.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const EntityModel& model()
{
    return SemestraEntityModel::shared();
}

class SqliteStoreTest : public testing::Test {
protected:
    QTemporaryDir folder;
    QString path(const QString& name) const { return folder.filePath(name); }

    std::unique_ptr<ObjectContext> reopen(const QString& file)
    {
        auto opened = SqliteStore::open(file, model());
        EXPECT_TRUE(opened.ok()) << opened.error().toStdString();
        return opened.ok() ? std::move(opened).value() : nullptr;
    }

    // The value of one column of one row, read straight from the file.
    QVariant cell(const QString& file, const QString& sql)
    {
        auto db = FMDatabase::databaseWithPath(file);
        EXPECT_TRUE(db->openReadOnly());
        auto rows = db->executeQuery(sql);
        return rows && rows->next() ? rows->objectForColumnIndex(0) : QVariant();
    }

    void writeFile(const QString& file, const QByteArray& bytes)
    {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }

    // Opening `file` fails with a message containing `expected` and leaves it as it was.
    void expectRefused(const QString& file, const QString& expected)
    {
        const QByteArray before = fileHash(file);
        const QStringList filesBefore = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden);
        auto opened = SqliteStore::open(file, model());
        ASSERT_FALSE(opened.ok());
        EXPECT_TRUE(opened.error().contains(expected)) << opened.error().toStdString();
        EXPECT_EQ(fileHash(file), before);
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), filesBefore);
    }
};

} // namespace

TEST_F(SqliteStoreTest, EveryAttributeAndRelationshipSurvivesSaveAndReopen)
{
    ObjectContext context(model());
    StoreGraphFiller::fill(context);
    ASSERT_TRUE(SqliteStore::save(context, path("year.semestra")).ok());
    EXPECT_FALSE(context.hasChanges());

    const auto reopened = reopen(path("year.semestra"));
    ASSERT_TRUE(reopened);
    EXPECT_EQ(StoreGraphFiller::differences(context, *reopened), QString());
    EXPECT_EQ(SqliteStore::modelVersion(reopened->metadata()), 21);
}

TEST_F(SqliteStoreTest, FileHasTheRelationalLayoutOtherProgramsRead)
{
    ObjectContext context(model());
    ASSERT_TRUE(SqliteStore::save(context, path("empty.semestra")).ok());
    auto db = FMDatabase::databaseWithPath(path("empty.semestra"));
    ASSERT_TRUE(db->openReadOnly());
    const QMap<QString, QStringList> expected {
        { "ZYEAR",
            { "ZSTARTDATE", "ZENDDATE", "ZTEACHERADDRESS", "ZLASTICALSYNC", "ZLESSONBODYTITLE", "ZCUSTOM3TITLE",
                "ZTEACHERSCHOOL", "ZTEACHERPHONE", "ZSHOWTEACHER", "ZSHOWPUBLIC", "ZTEACHERENLARGED",
                "ZCUSTOM3ENLARGED", "ZTYPEOFSCHEDULE", "ZREPEATINTERVAL" } },
        { "ZCOURSE", { "Z_PK", "Z_ENT", "Z_OPT", "ZCOURSENAME", "ZRED", "ZGREEN", "ZBLUE", "ZCOLORDATA", "ZYEAR" } },
        { "ZUNIT", { "Z_PK", "ZUNITNAME", "ZCOURSE" } },
        { "ZSTANDARD", { "Z_PK", "ZPARENT", "ZISROOTITEM", "ZSHORTNAME", "ZTEXT", "ZSYNCID", "ZLASTUPDATED" } },
        { "ZWEEK", { "Z_PK", "ZWEEKNUMBER" } },
        { "ZDAY",
            { "Z_PK", "ZWEEK", "ZACTUALDATE", "ZLASTUPDATED", "ZHOLIDAYNAME", "ZNOTES", "ZICALUIDNONSCHOOL",
                "ZICALUIDNOTES", "ZSYNCID", "ZISHOLIDAY", "ZISCANCELLED", "ZISCUSTOM", "ZTYPEOFDAY" } },
        { "ZLESSON",
            { "Z_PK", "ZDAYTAUGHT", "ZCOURSE", "ZUNIT", "ZSTARTTIME", "ZENDTIME", "ZLASTUPDATED", "ZLESSONTITLE",
                "ZSYNCID", "ZICALUID", "ZLESSONBODY", "ZCUSTOM3", "ZLESSONBODYSTRING", "ZCUSTOM3STRING",
                "ZANCHORED" } },
        { "ZATTACHMENT",
            { "Z_PK", "ZLESSON", "ZASSIGNMENT", "ZNAME", "ZSYNCID", "ZPUBLISH", "ZLASTUPDATED", "ZURL", "ZFILEPATH",
                "ZWINDOWSFILEPATH", "ZURL1", "ZFILEPATH1", "ZWINDOWSFILEPATH1", "ZSANDBOXURL" } },
        { "ZASSIGNMENT",
            { "Z_PK", "ZTITLE", "ZDETAILSSTRING", "ZSYNCID", "ZLASTUPDATED", "ZPOINTS", "ZASSIGNEDLESSON",
                "ZDUELESSON" } },
        { "ZSTANDARDINLESSON", { "ZLESSON", "ZSTANDARD", "ZSYNCID", "ZLASTUPDATED" } },
    };
    for (auto table = expected.begin(); table != expected.end(); ++table) {
        const QStringList columns = db->columnNames(table.key());
        for (const QString& column : table.value())
            EXPECT_TRUE(columns.contains(column)) << qPrintable(table.key() + "." + column);
    }
    // The metadata is a property list naming the model version.
    auto rows = db->executeQuery(QStringLiteral("SELECT Z_PLIST FROM Z_METADATA"));
    ASSERT_TRUE(rows && rows->next());
    EXPECT_TRUE(rows->dataForColumnIndex(0).contains("<key>ManagedObjectModelVersion</key>\n\t<integer>21</integer>"));
}

TEST_F(SqliteStoreTest, ChangesAreSavedInPlaceAndOnlyChangedRowsAreWritten)
{
    ObjectContext context(model());
    StoreGraphFiller::fill(context);
    ASSERT_TRUE(SqliteStore::save(context, path("year.semestra")).ok());
    auto reopened = reopen(path("year.semestra"));
    ASSERT_TRUE(reopened);

    const QList<ManagedObject*> lessons = reopened->objectsOfEntity(*model().entity(u"Lesson"));
    const QList<ManagedObject*> tags = reopened->objectsOfEntity(*model().entity(u"Tag"));
    lessons[0]->setValue(u"lessonTitle", QStringLiteral("Changed"));
    lessons[1]->addObject(u"tags", tags[1]);
    ManagedObject* added = reopened->insertObject(QStringLiteral("Lesson"));
    added->setObject(u"dayTaught", lessons[0]->object(u"dayTaught"));
    ManagedObject* doomed = reopened->objectsOfEntity(*model().entity(u"Unit"))[0];
    reopened->deleteObject(doomed);
    ASSERT_TRUE(SqliteStore::save(*reopened, path("year.semestra")).ok());

    const QString lessonOpt = QStringLiteral("SELECT Z_OPT FROM ZLESSON WHERE Z_PK = %1");
    EXPECT_EQ(cell(path("year.semestra"), lessonOpt.arg(lessons[0]->primaryKey())).toInt(), 2);
    EXPECT_EQ(cell(path("year.semestra"), lessonOpt.arg(added->primaryKey())).toInt(), 1);
    // A lesson that lost its unit to the deletion was rewritten; one that did not, was not.
    const QList<ManagedObject*> untouched = reopened->fetch({ QStringLiteral("Lesson"),
        [&](const ManagedObject& l) {
            return &l != lessons[0] && &l != lessons[1] && &l != added && l.object(u"unit") != nullptr;
        },
        {} });
    for (const ManagedObject* lesson : untouched)
        EXPECT_EQ(cell(path("year.semestra"), lessonOpt.arg(lesson->primaryKey())).toInt(), 1);
    EXPECT_FALSE(
        cell(path("year.semestra"), QStringLiteral("SELECT 1 FROM ZUNIT WHERE Z_PK = %1").arg(doomed->primaryKey()))
            .isValid());

    const auto again = reopen(path("year.semestra"));
    ASSERT_TRUE(again);
    EXPECT_EQ(StoreGraphFiller::differences(*reopened, *again), QString());
}

TEST_F(SqliteStoreTest, KeysOfDeletedRecordsAreNotReused)
{
    ObjectContext context(model());
    ManagedObject* first = context.insertObject(QStringLiteral("Tag"));
    ManagedObject* second = context.insertObject(QStringLiteral("Tag"));
    ASSERT_TRUE(SqliteStore::save(context, path("tags.semestra")).ok());
    const qint64 secondKey = second->primaryKey();
    context.deleteObject(second);
    ASSERT_TRUE(SqliteStore::save(context, path("tags.semestra")).ok());

    auto reopened = reopen(path("tags.semestra"));
    ASSERT_TRUE(reopened);
    EXPECT_GT(reopened->insertObject(QStringLiteral("Tag"))->primaryKey(), secondKey);
    EXPECT_NE(reopened->objectWithURI(first->objectURI()), nullptr);
}

TEST_F(SqliteStoreTest, SaveAsMovesTheDocumentWhileWriteCopyLeavesItWhereItIs)
{
    ObjectContext context(model());
    StoreGraphFiller::fill(context, 1);
    ASSERT_TRUE(SqliteStore::save(context, path("first.semestra")).ok());
    context.objectsOfEntity(*model().entity(u"Tag"))[0]->setValue(u"name", QStringLiteral("pending"));

    ASSERT_TRUE(SqliteStore::writeCopy(context, path("copy.smsqlite")).ok());
    EXPECT_TRUE(context.hasChanges());
    EXPECT_EQ(context.storePath(), path("first.semestra"));
    EXPECT_EQ(
        cell(path("copy.smsqlite"), QStringLiteral("SELECT ZNAME FROM ZTAG")).toString(), QStringLiteral("pending"));

    ASSERT_TRUE(SqliteStore::save(context, path("second.semestra")).ok());
    EXPECT_EQ(context.storePath(), path("second.semestra"));
    EXPECT_FALSE(context.hasChanges());
    EXPECT_NE(
        cell(path("first.semestra"), QStringLiteral("SELECT ZNAME FROM ZTAG")).toString(), QStringLiteral("pending"));
    // Only the documents themselves are left in the folder.
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
        QStringList({ "copy.smsqlite", "first.semestra", "second.semestra" }));
}

// What a killed whole-file save leaves behind goes with the next save
// there; look-alikes of other names and other documents' leftovers stay.
TEST_F(SqliteStoreTest, LeftoversOfAKilledSaveAreRemovedByTheNextSaveThere)
{
    const QStringList leftovers { ".year.semestra.a1B2c3", ".year.semestra.Zz9Yy8-journal" };
    const QStringList others { ".year.semestra.toolong7", ".year.semestra.abc", ".other.semestra.a1B2c3",
        "year.semestra.a1B2c3", ".year.semestra.a1B2c3.bak" };
    for (const QString& name : leftovers + others)
        writeFile(path(name), "partial");
    ObjectContext context(model());
    StoreGraphFiller::fill(context, 1);

    ASSERT_TRUE(SqliteStore::save(context, path("year.semestra")).ok());
    QStringList expected = others;
    expected << "year.semestra";
    expected.sort();
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name), expected);

    writeFile(path(leftovers[0]), "partial");
    context.objectsOfEntity(*model().entity(u"Tag"))[0]->setValue(u"name", QStringLiteral("changed"));
    ASSERT_TRUE(SqliteStore::save(context, path("year.semestra")).ok());
    EXPECT_FALSE(QFile::exists(path(leftovers[0])));
}

TEST_F(SqliteStoreTest, FilesThatAreNotDocumentsAreRefusedUntouched)
{
    writeFile(path("notes.semestra"), "These are my lesson notes, not a database.\n");
    expectRefused(path("notes.semestra"), QStringLiteral("is not a Semestra document"));

    {
        auto other = FMDatabase::databaseWithPath(path("other.sqlite"));
        ASSERT_TRUE(other->open());
        ASSERT_TRUE(other->executeStatements(
            QStringLiteral("CREATE TABLE songs (title TEXT); INSERT INTO songs VALUES ('x');")));
    }
    expectRefused(path("other.sqlite"), QStringLiteral("is not a Semestra document"));

    {
        auto wal = FMDatabase::databaseWithPath(path("wal.sqlite"));
        ASSERT_TRUE(wal->open());
        ASSERT_TRUE(wal->executeStatements(QStringLiteral("PRAGMA journal_mode = WAL; CREATE TABLE t (x);")));
    }
    expectRefused(path("wal.sqlite"), QStringLiteral("is not a Semestra document"));
    expectRefused(path("missing.semestra"), QStringLiteral("could not be found"));
}

TEST_F(SqliteStoreTest, DamagedAndNewerDocumentsAreRefusedUntouched)
{
    ObjectContext context(model());
    StoreGraphFiller::fill(context, 20);
    ASSERT_TRUE(SqliteStore::save(context, path("year.semestra")).ok());
    QFile::copy(path("year.semestra"), path("truncated.semestra"));
    QFile truncated(path("truncated.semestra"));
    ASSERT_TRUE(truncated.resize(truncated.size() / 2));
    expectRefused(path("truncated.semestra"), QStringLiteral("is damaged"));

    {
        auto db = FMDatabase::databaseWithPath(path("year.semestra"));
        ASSERT_TRUE(db->open());
        auto rows = db->executeQuery(QStringLiteral("SELECT Z_PLIST FROM Z_METADATA"));
        ASSERT_TRUE(rows && rows->next());
        QByteArray plist = rows->dataForColumnIndex(0);
        rows.reset();
        plist.replace("<integer>21</integer>", "<integer>22</integer>");
        ASSERT_TRUE(db->executeUpdate(QStringLiteral("UPDATE Z_METADATA SET Z_PLIST = ?"), { plist }));
    }
    expectRefused(path("year.semestra"), QStringLiteral("newer version"));
}

// A copied file (or Save As, or a migrated year) keeps the store identifier,
// so a record's URI names a record of the copy too; a session reference
// names only the record of the open document it came from.
TEST_F(SqliteStoreTest, SessionReferencesResolveOnlyInTheContextThatMadeThem)
{
    ObjectContext context(model());
    ManagedObject* tag = context.insertObject(QStringLiteral("Tag"));
    ASSERT_TRUE(SqliteStore::save(context, path("original.semestra")).ok());
    ASSERT_TRUE(QFile::copy(path("original.semestra"), path("copy.semestra")));
    const auto original = reopen(path("original.semestra"));
    const auto copy = reopen(path("copy.semestra"));
    ASSERT_TRUE(original && copy);
    ManagedObject* tagInOriginal = original->objectWithURI(tag->objectURI());
    ASSERT_NE(tagInOriginal, nullptr);
    EXPECT_NE(copy->objectWithURI(tag->objectURI()), nullptr) << "the URI alone does not tell the copies apart";

    const QString reference = tagInOriginal->sessionReference();
    EXPECT_EQ(original->objectWithSessionReference(reference), tagInOriginal);
    EXPECT_EQ(copy->objectWithSessionReference(reference), nullptr);
    EXPECT_EQ(context.objectWithSessionReference(reference), nullptr);
    EXPECT_EQ(original->objectWithSessionReference(tag->objectURI()), nullptr);
    EXPECT_EQ(context.objectWithSessionReference(tag->sessionReference()), tag);
}
