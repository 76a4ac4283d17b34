#include "exchange/ExchangeFileBuilder.h"
#include "exchange/windows/WindowsFileImporter.h"
#include "model/SemestraRecords.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Files that are no exchange file are refused before anything is built.
class WindowsFileCheckTest : public ::testing::Test {
protected:
    QString filePath() const { return m_folder.filePath(QStringLiteral("plan.smsqlite")); }

    // The refusal; fails the test when the file is imported.
    QString refusal()
    {
        const Result<WindowsImportSummary> imported = WindowsFileImporter::importFile(filePath(), *m_context);
        EXPECT_FALSE(imported.ok());
        EXPECT_EQ(m_context->countOfEntity(QStringLiteral("Year")), 0) << "a refused file builds nothing";
        EXPECT_FALSE(m_context->hasChanges());
        return imported.error();
    }

    QTemporaryDir m_folder;
    std::unique_ptr<ObjectContext> m_context = SemestraRecords::newContext();
};

TEST_F(WindowsFileCheckTest, AFileThatIsNoDatabaseIsRefusedAndLeftAsItWas)
{
    const QByteArray text = "Course,Day\nMath,Monday\n";
    QFile file(filePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();

    EXPECT_EQ(refusal(), u"“plan.smsqlite” is not a Semestra for Windows file: it is not an SQLite database.");
    QFile after(filePath());
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), text);
}

TEST_F(WindowsFileCheckTest, AMissingFileIsRefused)
{
    EXPECT_TRUE(refusal().contains(QStringLiteral("does not exist")));
    EXPECT_FALSE(QFile::exists(filePath())) << "reading must not create the file";
}

TEST_F(WindowsFileCheckTest, ADatabaseWithoutAYearIsRefused)
{
    {
        ExchangeFileBuilder builder(filePath());
        builder.sql(QStringLiteral("CREATE TABLE notes (text VARCHAR)"));
    }
    EXPECT_TRUE(refusal().endsWith(QStringLiteral("it holds no school year.")));

    {
        ExchangeFileBuilder builder(filePath());
        builder.sql(QStringLiteral("DROP TABLE notes")).createTables();
    }
    EXPECT_TRUE(refusal().endsWith(QStringLiteral("it holds no school year."))) << "a year table without a row";
}

TEST_F(WindowsFileCheckTest, EachTableThePlanIsMadeOfMustBeThere)
{
    for (const char* table : { "ZCOURSE", "ZWEEK", "ZDAY", "ZLESSON" }) {
        QFile::remove(filePath());
        {
            ExchangeFileBuilder builder(filePath());
            builder.createTables().addSmallPlan().sql(QStringLiteral("DROP TABLE %1").arg(QLatin1String(table)));
        }
        EXPECT_TRUE(refusal().endsWith(QStringLiteral("its %1 table is missing.").arg(QLatin1String(table))))
            << table;
    }
}

TEST_F(WindowsFileCheckTest, OptionalTablesMayBeMissing)
{
    {
        ExchangeFileBuilder builder(filePath());
        builder.createTables().addSmallPlan().sql(
            QStringLiteral("DROP TABLE ZUNIT; DROP TABLE ZSTANDARD; DROP TABLE ZATTACHMENT; DROP TABLE ZASSIGNMENT; "
                           "DROP TABLE ZSTANDARDINLESSON;"));
    }
    const Result<WindowsImportSummary> imported = WindowsFileImporter::importFile(filePath(), *m_context);
    ASSERT_TRUE(imported.ok()) << imported.error().toStdString();
    EXPECT_EQ(m_context->countOfEntity(QStringLiteral("Day")), 2);
}

TEST_F(WindowsFileCheckTest, AFileLockedByAnotherProgramIsGivenUpOnAfterAWhile)
{
    ExchangeFileBuilder holder(filePath());
    holder.createTables().addSmallPlan().sql(QStringLiteral("BEGIN EXCLUSIVE; UPDATE ZWEEK SET ZWEEKNUMBER = 2;"));

    // Returning at all is the point: a busy file used to be retried for ever.
    EXPECT_TRUE(refusal().contains(QStringLiteral("in use by another program")));
    holder.sql(QStringLiteral("ROLLBACK"));
}

} // namespace
