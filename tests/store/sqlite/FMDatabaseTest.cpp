#include "store/sqlite/FMDatabase.h"

#include "store/sqlite/FMResultSet.h"
#include "store/sqlite/FMStatement.h"
#include "store/sqlite/LogCapture.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>
#include <thread>

namespace {

class FMDatabaseTest : public testing::Test {
protected:
    // A file holding table t(id, name) with one row.
    QString makeFile(const QString& name) const
    {
        auto db = FMDatabase::databaseWithPath(m_dir.filePath(name));
        EXPECT_TRUE(db->open());
        EXPECT_TRUE(
            db->executeStatements("CREATE TABLE t (id INTEGER PRIMARY KEY, name); INSERT INTO t VALUES (1, 'one')"));
        return db->databasePath();
    }

    QByteArray contents(const QString& path) const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir m_dir;
};

int countRows(FMDatabase& db)
{
    auto rows = db.executeQuery("SELECT count(*) FROM t");
    return rows && rows->next() ? rows->intForColumnIndex(0) : -1;
}

} // namespace

TEST_F(FMDatabaseTest, OpensClosesAndReopensAFile)
{
    auto db = FMDatabase::databaseWithPath(makeFile("a.sqlite"));
    EXPECT_EQ(db->executeQuery("SELECT 1"), nullptr);
    EXPECT_EQ(db->lastErrorMessage(), QStringLiteral("database is not open"));

    ASSERT_TRUE(db->open());
    EXPECT_TRUE(db->open());
    EXPECT_TRUE(db->executeUpdate("INSERT INTO t (name) VALUES (?)", { "two" }));
    EXPECT_EQ(db->lastInsertRowId(), 2);
    EXPECT_EQ(db->changes(), 1);
    db->close();
    EXPECT_EQ(db->sqliteHandle(), nullptr);
    EXPECT_FALSE(db->executeUpdate("DELETE FROM t"));
    ASSERT_TRUE(db->open());
    EXPECT_EQ(countRows(*db), 2);
}

TEST_F(FMDatabaseTest, ReadOnlyOpenNeitherCreatesNorChangesTheFile)
{
    LogCapture log;
    auto missing = FMDatabase::databaseWithPath(m_dir.filePath("missing.sqlite"));
    EXPECT_FALSE(missing->openReadOnly());
    EXPECT_FALSE(QFile::exists(missing->databasePath()));
    EXPECT_EQ(missing->lastErrorCode(), SQLITE_CANTOPEN);
    EXPECT_EQ(log.messages(), QStringList { "error opening!: 14" });

    const QString file = makeFile("b.sqlite");
    const QByteArray before = contents(file);
    auto db = FMDatabase::databaseWithPath(file);
    ASSERT_TRUE(db->openReadOnly());
    EXPECT_FALSE(db->executeUpdate("INSERT INTO t (name) VALUES ('x')"));
    EXPECT_EQ(db->lastErrorCode(), SQLITE_READONLY);
    EXPECT_FALSE(db->executeStatements("CREATE TABLE u (a)"));
    EXPECT_EQ(countRows(*db), 1);
    db->close();
    EXPECT_EQ(contents(file), before);

    // SQLite reads nothing at open: a file of another kind fails at the first statement.
    QFile text(m_dir.filePath("notes.smsqlite"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly) && text.write(QByteArray("Lesson notes. ").repeated(100)) > 0);
    text.close();
    db = FMDatabase::databaseWithPath(text.fileName());
    ASSERT_TRUE(db->openReadOnly());
    EXPECT_FALSE(db->tableExists("ZYEAR"));
    EXPECT_EQ(db->lastErrorCode(), SQLITE_NOTADB);
}

TEST_F(FMDatabaseTest, PreparationErrorAnswersNullAndKeepsTheReason)
{
    auto db = FMDatabase::databaseWithPath(QString());
    ASSERT_TRUE(db->open());
    LogCapture log;
    EXPECT_EQ(db->executeQuery("SELEC 1"), nullptr);
    EXPECT_EQ(db->lastErrorCode(), SQLITE_ERROR);
    EXPECT_EQ(db->lastErrorMessage(), QStringLiteral("near \"SELEC\": syntax error"));
    EXPECT_EQ(log.messages(), QStringList({ "DB Error: 1 \"near \"SELEC\": syntax error\"", "DB Query: SELEC 1" }));

    log.clear();
    db->setLogsErrors(false);
    EXPECT_EQ(db->prepare("SELECT * FROM nowhere"), nullptr);
    EXPECT_EQ(db->prepare("-- only a comment"), nullptr);
    EXPECT_TRUE(log.messages().isEmpty());
}

TEST_F(FMDatabaseTest, SchemaHelpersFindTablesAndColumnsIgnoringCaseInPrivateMemoryDatabases)
{
    auto db = FMDatabase::databaseWithPath(QString());
    auto other = FMDatabase::databaseWithPath(QString());
    ASSERT_TRUE(db->open() && other->open());
    ASSERT_TRUE(db->executeStatements("CREATE TABLE ZLESSON (Z_PK INTEGER PRIMARY KEY, ZTITLE TEXT);"
                                      "CREATE TABLE \"odd 'name\" (ZRED REAL);"));
    EXPECT_TRUE(db->tableExists("zlesson"));
    EXPECT_FALSE(db->tableExists("ZLESS"));
    EXPECT_EQ(db->columnNames("ZLesson"), QStringList({ "Z_PK", "ZTITLE" }));
    EXPECT_EQ(db->columnNames("odd 'name"), QStringList { "ZRED" });
    EXPECT_TRUE(db->columnNames("ZYEAR").isEmpty());
    EXPECT_FALSE(other->tableExists("ZLESSON"));
}

TEST_F(FMDatabaseTest, ClosingFinalisesStatementsThatAreStillAlive)
{
    auto db = FMDatabase::databaseWithPath(makeFile("c.sqlite"));
    ASSERT_TRUE(db->open());
    auto rows = db->executeQuery("SELECT name FROM t");
    auto insert = db->prepare("INSERT INTO t (name) VALUES (?)");
    ASSERT_TRUE(rows && insert && rows->next());

    db->close();
    EXPECT_FALSE(rows->next());
    EXPECT_TRUE(rows->stringForColumnIndex(0).isNull());
    EXPECT_FALSE(insert->bindAll({ "late" }));
    EXPECT_FALSE(insert->execute());
    db.reset();
    EXPECT_FALSE(rows->next());
}

TEST_F(FMDatabaseTest, GivesUpOnABusyDatabaseAfterTheRetryLimit)
{
    const QString file = makeFile("busy.sqlite");
    auto reader = FMDatabase::databaseWithPath(file);
    auto writer = FMDatabase::databaseWithPath(file);
    ASSERT_TRUE(reader->open() && writer->open());
    reader->setBusyRetryTimeout(5);
    auto rows = reader->executeQuery("SELECT name FROM t");
    ASSERT_TRUE(rows && writer->executeUpdate("BEGIN EXCLUSIVE"));

    LogCapture log;
    EXPECT_FALSE(rows->next());
    EXPECT_EQ(log.messages(), QStringList { "Database busy" });

    // A connection that has not read the schema yet meets the lock while preparing.
    auto fresh = FMDatabase::databaseWithPath(file);
    ASSERT_TRUE(fresh->open());
    fresh->setBusyRetryTimeout(2);
    fresh->setLogsErrors(false);
    EXPECT_EQ(fresh->executeQuery("SELECT name FROM t"), nullptr);
    EXPECT_EQ(log.messages(), QStringList({ "Database busy", "Database busy" }));

    ASSERT_TRUE(writer->executeUpdate("COMMIT"));
    EXPECT_EQ(countRows(*reader), 1);
}

TEST_F(FMDatabaseTest, RetriesWithoutLimitUntilTheLockIsReleased)
{
    const QString file = makeFile("wait.sqlite");
    auto reader = FMDatabase::databaseWithPath(file);
    auto writer = FMDatabase::databaseWithPath(file);
    ASSERT_TRUE(reader->open() && writer->open());
    auto rows = reader->executeQuery("SELECT name FROM t");
    ASSERT_TRUE(rows && writer->executeUpdate("BEGIN EXCLUSIVE"));
    ASSERT_TRUE(writer->executeUpdate("UPDATE t SET name = 'uno'"));

    std::thread releaser([&writer] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        writer->executeUpdate("COMMIT");
    });
    const bool gotRow = rows->next();
    releaser.join();
    ASSERT_TRUE(gotRow);
    EXPECT_EQ(rows->stringForColumnIndex(0), QStringLiteral("uno"));
}
