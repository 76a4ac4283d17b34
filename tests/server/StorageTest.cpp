#include "server/Storage.h"

#include "server/Migrations.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <thread>

namespace {

class StorageTest : public testing::Test {
protected:
    DatabaseUrl url() const
    {
        return *DatabaseUrl::parse(QStringLiteral("sqlite://") + m_dir.filePath(QStringLiteral("connect.db")));
    }

    QTemporaryDir m_dir;
};

TEST_F(StorageTest, SchemaStepsRunOnceAndSurviveARestart)
{
    {
        Storage first(url());
        ASSERT_TRUE(first.open().ok());
        ASSERT_TRUE(first.run(QStringLiteral("INSERT INTO accounts (username, password_hash, created_at)"
                                             " VALUES ('anna', 'x', 0)")));
    }
    Storage again(url());
    ASSERT_TRUE(again.open().ok());
    EXPECT_EQ(
        again.scalar(QStringLiteral("SELECT COUNT(*) FROM schema_migrations"))->toInt(), Migrations::latestVersion());
    EXPECT_EQ(again.scalar(QStringLiteral("SELECT username FROM accounts"))->toString(), QStringLiteral("anna"));
}

TEST_F(StorageTest, RefusesADatabaseOfANewerServerAndLeavesItAlone)
{
    {
        Storage first(url());
        ASSERT_TRUE(first.open().ok());
        ASSERT_TRUE(first.run(
            QStringLiteral("INSERT INTO schema_migrations (version) VALUES (?)"), { Migrations::latestVersion() + 1 }));
    }
    Storage older(url());
    const Status opened = older.open();
    EXPECT_FALSE(opened.ok());
    EXPECT_TRUE(opened.error().contains(QStringLiteral("newer"))) << opened.error().toStdString();
    EXPECT_EQ(older.scalar(QStringLiteral("SELECT MAX(version) FROM schema_migrations"))->toInt(),
        Migrations::latestVersion() + 1);
}

TEST_F(StorageTest, ConnectionsArePerThread)
{
    Storage storage(url());
    ASSERT_TRUE(storage.open().ok());
    const QString mine = storage.connection().connectionName();
    QString theirs;
    std::thread worker([&] { theirs = storage.connection().connectionName(); });
    worker.join();
    EXPECT_NE(mine, theirs);
    // The worker's connection went with its thread.
    EXPECT_FALSE(QSqlDatabase::contains(theirs));
}

} // namespace
