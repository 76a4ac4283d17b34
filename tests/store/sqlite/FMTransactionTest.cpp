#include "store/sqlite/FMTransaction.h"

#include "store/sqlite/FMDatabase.h"
#include "store/sqlite/FMResultSet.h"
#include "store/sqlite/FMStatement.h"

#include <gtest/gtest.h>

namespace {

class FMTransactionTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_db->open());
        ASSERT_TRUE(m_db->executeStatements("CREATE TABLE ZDAY (Z_PK INTEGER PRIMARY KEY, ZNOTE TEXT)"));
        m_db->setLogsErrors(false);
    }

    qint64 scalar(const QString& sql)
    {
        auto rows = m_db->executeQuery(sql);
        return rows && rows->next() ? rows->longLongIntForColumnIndex(0) : -1;
    }

    std::unique_ptr<FMDatabase> m_db = FMDatabase::databaseWithPath(QString());
};

} // namespace

TEST_F(FMTransactionTest, RollsBackAtTheEndOfTheScopeUnlessCommitted)
{
    {
        FMTransaction transaction(*m_db);
        ASSERT_TRUE(transaction.isActive());
        ASSERT_TRUE(m_db->executeUpdate("INSERT INTO ZDAY (ZNOTE) VALUES ('lost')"));
    }
    EXPECT_EQ(scalar("SELECT count(*) FROM ZDAY"), 0);
    {
        FMTransaction transaction(*m_db);
        ASSERT_TRUE(m_db->executeUpdate("INSERT INTO ZDAY (ZNOTE) VALUES ('kept')"));
        EXPECT_TRUE(transaction.commit());
        EXPECT_FALSE(transaction.isActive());
        EXPECT_FALSE(transaction.commit());
    }
    EXPECT_EQ(scalar("SELECT count(*) FROM ZDAY"), 1);
}

TEST_F(FMTransactionTest, InnerTransactionDoesNotBeginNorEndTheOuterOne)
{
    FMTransaction outer(*m_db);
    ASSERT_TRUE(m_db->executeUpdate("INSERT INTO ZDAY (ZNOTE) VALUES ('outer')"));
    {
        FMTransaction inner(*m_db);
        EXPECT_FALSE(inner.isActive());
        EXPECT_FALSE(inner.commit());
    }
    EXPECT_TRUE(outer.isActive());
    EXPECT_TRUE(outer.rollback());
    EXPECT_EQ(scalar("SELECT count(*) FROM ZDAY"), 0);

    m_db->close();
    FMTransaction closed(*m_db);
    EXPECT_FALSE(closed.isActive());
}

TEST_F(FMTransactionTest, PreparedStatementIsReusedForManyRowsAndSurvivesAFailure)
{
    auto insert = m_db->prepare("INSERT INTO ZDAY (Z_PK, ZNOTE) VALUES (?, ?)");
    ASSERT_NE(insert, nullptr);
    FMTransaction transaction(*m_db);
    for (int pk = 1; pk <= 500; ++pk) {
        ASSERT_TRUE(insert->bindAll({ pk, pk % 2 ? QVariant("odd") : QVariant() }));
        ASSERT_TRUE(insert->execute());
    }
    EXPECT_EQ(m_db->lastInsertRowId(), 500);

    // A duplicate key fails, and the statement is ready for the next row anyway.
    ASSERT_TRUE(insert->bindAll({ 1, "again" }));
    EXPECT_FALSE(insert->execute());
    // The bindings were cleared: only the key is bound now, the note stays NULL.
    ASSERT_TRUE(insert->bind(1, 501));
    EXPECT_TRUE(insert->execute());
    EXPECT_FALSE(insert->bind(3, 0));
    ASSERT_TRUE(transaction.commit());

    EXPECT_EQ(scalar("SELECT count(*) FROM ZDAY"), 501);
    EXPECT_EQ(scalar("SELECT count(ZNOTE) FROM ZDAY"), 250);
    EXPECT_EQ(scalar("SELECT sum(Z_PK) FROM ZDAY WHERE ZNOTE = 'odd'"), 250 * 250);
}
