#include "content/CsvReader.h"

#include <gtest/gtest.h>

namespace {

using Rows = QList<QStringList>;

TEST(CsvReaderTest, AnyRunOfLineEndsEndsOneRowAndBlankLinesVanish)
{
    const Rows expected { { "a", "b" }, { "c", "d" } };
    EXPECT_EQ(CsvReader::csvRows("a,b\nc,d\n"), expected);
    EXPECT_EQ(CsvReader::csvRows("a,b\r\nc,d\r\n\r\n"), expected);
    EXPECT_EQ(CsvReader::csvRows("\n\na,b\r\r\n\nc,d"), expected);
    EXPECT_EQ(CsvReader::csvRows(QString::fromUtf8("a,b\u2028c,d")), expected);
}

TEST(CsvReaderTest, QuotedFieldsKeepCommasLineBreaksAndOneQuoteOfADoubledPair)
{
    const Rows rows = CsvReader::csvRows("\"one, two\",\"line\r\nbreak\",\"say \"\"hi\"\"\"\nnext");
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows.at(0), (QStringList { "one, two", "line\r\nbreak", "say \"hi\"" }));
    EXPECT_EQ(rows.at(1), QStringList { "next" });
}

TEST(CsvReaderTest, QuotedAndPlainTextJoinInOneFieldAndQuotesAreNeverKept)
{
    EXPECT_EQ(CsvReader::csvRows("ab\"c,d\"ef,\"\"g"), (Rows { { "abc,def", "g" } }));
    // An unclosed quote runs to the end of the text.
    EXPECT_EQ(CsvReader::csvRows("x,\"open\nstill"), (Rows { { "x", "open\nstill" } }));
}

TEST(CsvReaderTest, SpacesAfterACommaAreSkippedButNotBeforeIt)
{
    EXPECT_EQ(CsvReader::csvRows("a, \tb ,  c"), (Rows { { "a", "b ", "c" } }));
    EXPECT_EQ(CsvReader::csvRows("a, \" b\""), (Rows { { "a", " b" } }));
}

TEST(CsvReaderTest, EmptyFieldsBetweenCommasStayButATrailingCommaAddsNone)
{
    EXPECT_EQ(CsvReader::csvRows("a, b,,c"), (Rows { { "a", "b", "", "c" } }));
    EXPECT_EQ(CsvReader::csvRows("a,b,\nc,"), (Rows { { "a", "b" }, { "c" } }));
    EXPECT_EQ(CsvReader::csvRows(",\n"), (Rows { { "" } }));
    // An empty quoted field at the end of a line is empty, so it is not kept.
    EXPECT_EQ(CsvReader::csvRows("a,\"\""), (Rows { { "a" } }));
}

TEST(CsvReaderTest, EmptyTextHasNoRows)
{
    EXPECT_TRUE(CsvReader::csvRows(QString()).isEmpty());
    EXPECT_TRUE(CsvReader::csvRows("\r\n\n").isEmpty());
}

} // namespace
