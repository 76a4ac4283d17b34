#include "store/StoreMigration.h"

#include "StoreGraphFiller.h"
#include "store/SemestraEntityModel.h"
#include "store/SqliteStore.h"
#include "testlib/FileHash.h"
#include "testlib/OlderDocumentLayout.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class StoreMigrationTest : public testing::Test {
protected:
    QTemporaryDir folder;
    QString path(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }
};

} // namespace

TEST_F(StoreMigrationTest, KnowsWhichVersionsItCanConvert)
{
    EXPECT_TRUE(StoreMigration::canMigrate(20, 21));
    EXPECT_TRUE(StoreMigration::canMigrate(21, 21));
    EXPECT_FALSE(StoreMigration::canMigrate(19, 21));
    EXPECT_FALSE(StoreMigration::canMigrate(22, 21));
}

TEST_F(StoreMigrationTest, Version20FileConvertsIntoACopyThatOpensWithItsRecords)
{
    ObjectContext original(SemestraEntityModel::shared());
    StoreGraphFiller::fill(original, 3);
    ASSERT_TRUE(SqliteStore::save(original, path("old.semestra")).ok());
    rewriteAsVersion20(path("old.semestra"));
    EXPECT_FALSE(SqliteStore::open(path("old.semestra"), SemestraEntityModel::shared()).ok());
    const QByteArray before = fileHash(path("old.semestra"));

    const Result<int> converted = StoreMigration::migrateStep(path("old.semestra"), path("migration-1"));
    ASSERT_TRUE(converted.ok()) << converted.error().toStdString();
    EXPECT_EQ(*converted, 21);
    EXPECT_EQ(fileHash(path("old.semestra")), before);

    auto opened = SqliteStore::open(path("migration-1"), SemestraEntityModel::shared());
    ASSERT_TRUE(opened.ok()) << opened.error().toStdString();
    ObjectContext& context = *opened.value();
    EXPECT_EQ(context.countOfEntity(QStringLiteral("Lesson")), original.countOfEntity(QStringLiteral("Lesson")));
    EXPECT_EQ(context.countOfEntity(QStringLiteral("Tag")), 0);
    // The converted file takes new records of the added kinds.
    context.insertObject(QStringLiteral("Tag"))->setValue(u"name", QStringLiteral("lab"));
    EXPECT_TRUE(SqliteStore::save(context, path("migration-1")).ok());
}

TEST_F(StoreMigrationTest, FileWithoutAKnownStepIsRefusedAndLeftAlone)
{
    ObjectContext original(SemestraEntityModel::shared());
    ASSERT_TRUE(SqliteStore::save(original, path("current.semestra")).ok());
    const QByteArray before = fileHash(path("current.semestra"));
    EXPECT_FALSE(StoreMigration::migrateStep(path("current.semestra"), path("migration-1")).ok());
    EXPECT_FALSE(QFile::exists(path("migration-1")));
    EXPECT_EQ(fileHash(path("current.semestra")), before);

    QFile text(path("notes.txt"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a document");
    text.close();
    EXPECT_FALSE(StoreMigration::migrateStep(path("notes.txt"), path("migration-1")).ok());
}
