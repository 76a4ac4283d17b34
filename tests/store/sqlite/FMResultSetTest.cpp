#include "store/sqlite/FMResultSet.h"

#include "store/sqlite/FMDatabase.h"
#include "store/sqlite/LogCapture.h"

#include <QDate>

#include <gtest/gtest.h>

#include <limits>

namespace {

class FMResultSetTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_db->open() && m_db->executeStatements("CREATE TABLE v (k PRIMARY KEY, x)")); }

    // The first row of `sql`, positioned for reading.
    std::unique_ptr<FMResultSet> row(const QString& sql, const QVariantList& arguments = {})
    {
        auto rows = m_db->executeQuery(sql, arguments);
        EXPECT_TRUE(rows && rows->next()) << qPrintable(sql);
        return rows;
    }

    std::unique_ptr<FMDatabase> m_db = FMDatabase::databaseWithPath(QString());
};

} // namespace

TEST_F(FMResultSetTest, StoresEveryTypeAndReadsItBackTyped)
{
    const qint64 smallest = std::numeric_limits<qint64>::min();
    const QByteArray bytes("\x00\xff\x00z", 4);
    // Bound value → the stored value as read back; empty text and data are not NULL.
    const QList<std::pair<QVariant, QVariant>> cases = { { smallest, smallest }, { 4000000000u, 4000000000LL },
        { true, 1LL }, { 2.5f, 2.5 }, { QStringLiteral("Brüche ½ 🍎"), QStringLiteral("Brüche ½ 🍎") }, { bytes, bytes },
        { QStringLiteral(""), QStringLiteral("") }, { QByteArray(""), QByteArray("") }, { QVariant(), QVariant() },
        { QString(), QVariant() }, { QByteArray(), QVariant() } };
    for (int k = 0; k < cases.size(); ++k)
        ASSERT_TRUE(m_db->executeUpdate("INSERT INTO v VALUES (?, ?)", { k, cases[k].first }));

    auto rows = m_db->executeQuery("SELECT x AS ZVALUE FROM v ORDER BY k");
    for (const auto& [bound, expected] : cases) {
        ASSERT_TRUE(rows->next());
        const QVariant read = rows->objectForColumnIndex(0);
        EXPECT_EQ(read.typeId(), expected.typeId()) << qPrintable(bound.toString());
        EXPECT_EQ(read, expected);
        EXPECT_EQ(rows->columnIsNull("zvalue"), !expected.isValid());
        EXPECT_EQ(rows->stringForColumn("ZValue").isNull(), !expected.isValid());
        EXPECT_EQ(rows->dataForColumn("ZVALUE").isNull(), !expected.isValid());
    }
    rows = row("SELECT x FROM v WHERE k = 2");
    EXPECT_TRUE(rows->boolForColumn("x"));
    EXPECT_EQ(row("SELECT x FROM v WHERE k = 3")->intForColumn("x"), 2);
}

TEST_F(FMResultSetTest, NullAndMissingColumnsReadAsZeroAndNothing)
{
    auto rows = row("SELECT NULL AS ZURL, 5 AS ZCOLOR");
    LogCapture log;
    for (const char* name : { "ZURL", "ZLASTICALSYNC" }) {
        EXPECT_EQ(rows->intForColumn(name), 0);
        EXPECT_EQ(rows->longLongIntForColumn(name), 0);
        EXPECT_EQ(rows->doubleForColumn(name), 0.0);
        EXPECT_FALSE(rows->boolForColumn(name));
        EXPECT_TRUE(rows->stringForColumn(name).isNull());
        EXPECT_TRUE(rows->dataForColumn(name).isNull());
        EXPECT_TRUE(rows->columnIsNull(name));
    }
    EXPECT_EQ(log.messages().size(), 7);
    EXPECT_EQ(log.messages().value(0), QStringLiteral("Warning: I could not find the column named 'ZLASTICALSYNC'."));

    // Indexes out of range, and reads before the first row, never reach SQLite.
    EXPECT_TRUE(rows->columnIsNullForColumnIndex(2));
    EXPECT_EQ(rows->intForColumnIndex(-1), 0);
    EXPECT_EQ(m_db->executeQuery("SELECT 5")->intForColumnIndex(0), 0);
}

TEST_F(FMResultSetTest, ColumnNamesIgnoreCaseAndTheFirstOfTwinsWins)
{
    auto rows = row("SELECT 1 AS ZTitle, 2 AS zred, 3 AS ZRED");
    EXPECT_EQ(rows->columnCount(), 3);
    EXPECT_EQ(rows->columnNameForIndex(0), QStringLiteral("ZTitle"));
    EXPECT_EQ(rows->columnIndexForName("ztitle"), 0);
    EXPECT_EQ(rows->intForColumn("ZRed"), 2);
}

TEST_F(FMResultSetTest, ExtraArgumentsAreIgnoredMissingOnesAreNullUnknownTypesRefused)
{
    auto rows = row("SELECT ? + ?, ?", { 1, 2 });
    EXPECT_EQ(rows->intForColumnIndex(0), 3);
    EXPECT_TRUE(rows->columnIsNullForColumnIndex(1));
    EXPECT_EQ(row("SELECT ?", { 7, 8, "nine" })->intForColumnIndex(0), 7);

    m_db->setLogsErrors(false);
    EXPECT_EQ(m_db->executeQuery("SELECT ?", { QDate(2001, 1, 1) }), nullptr);
    EXPECT_FALSE(m_db->executeUpdate("INSERT INTO v VALUES (1, ?)", { QDate(2001, 1, 1) }));
    EXPECT_FALSE(row("SELECT count(*) FROM v")->boolForColumnIndex(0));
}

TEST_F(FMResultSetTest, StepErrorsEndTheRowsAndAreLogged)
{
    m_db->setLogsErrors(false);
    LogCapture log;
    auto rows = m_db->executeQuery("SELECT abs(-9223372036854775807 - 1)");
    EXPECT_FALSE(rows->next());
    EXPECT_FALSE(rows->next());
    ASSERT_TRUE(m_db->executeUpdate("INSERT INTO v VALUES ('a', 1)"));
    EXPECT_FALSE(m_db->executeQuery("INSERT INTO v VALUES ('a', 2)")->next());
    EXPECT_EQ(log.messages(),
        QStringList({ "Error calling sqlite3_step (1: integer overflow) rs",
            "Unknown error calling sqlite3_step (19: UNIQUE constraint failed: v.k) rs" }));
}

TEST_F(FMResultSetTest, FinishedResultSetDoesNotRunAgain)
{
    auto rows = m_db->executeQuery("INSERT INTO v VALUES ('once', 1) RETURNING k");
    ASSERT_TRUE(rows->next());
    EXPECT_EQ(rows->stringForColumn("k"), QStringLiteral("once"));
    EXPECT_FALSE(rows->next());
    EXPECT_FALSE(rows->next());
    EXPECT_EQ(row("SELECT count(*) FROM v")->intForColumnIndex(0), 1);
}
