#include "foundation/paths/FileBookmark.h"

#include <gtest/gtest.h>

TEST(FileBookmarkTest, ResolvesBackToThePathIncludingOddCharacters)
{
    const QString path = QStringLiteral("/home/teacher/Unit 3 – Fractions & Decimals/#1 worksheet%.pdf");
    EXPECT_EQ(FileBookmark::resolve(FileBookmark::fromPath(path)), path);
}

TEST(FileBookmarkTest, EmptyOrForeignDataResolvesToNothing)
{
    EXPECT_EQ(FileBookmark::resolve(QByteArray()), std::nullopt);
    EXPECT_EQ(FileBookmark::resolve(QByteArray("bplist00\xd4\x01\x02")), std::nullopt);
    EXPECT_EQ(FileBookmark::resolve(QByteArray("https://example.org/a.pdf")), std::nullopt);
}
