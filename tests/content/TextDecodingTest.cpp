#include "content/TextDecoding.h"

#include <QStringEncoder>

#include <gtest/gtest.h>

namespace {

const QString cafe = QString::fromUtf8("Café, naïve “quotes” – €5");

QByteArray encoded(QStringConverter::Encoding encoding, bool withMark)
{
    QStringEncoder encoder(encoding, withMark ? QStringConverter::Flag::WriteBom : QStringConverter::Flag::Default);
    return encoder.encode(cafe);
}

TEST(TextDecodingTest, ByteOrderMarksChooseTheEncodingAndAreDropped)
{
    EXPECT_EQ(TextDecoding::decode(encoded(QStringConverter::Utf8, true)), cafe);
    EXPECT_EQ(TextDecoding::decode(encoded(QStringConverter::Utf16LE, true)), cafe);
    EXPECT_EQ(TextDecoding::decode(encoded(QStringConverter::Utf16BE, true)), cafe);
}

TEST(TextDecodingTest, UnmarkedTextIsUtf8WhenValidElseWindows1252)
{
    EXPECT_EQ(TextDecoding::decode(cafe.toUtf8()), cafe);
    // "Café “x” €" as a Windows spreadsheet writes it.
    EXPECT_EQ(TextDecoding::decode(QByteArray("Caf\xE9 \x93x\x94 \x80")), QString::fromUtf8("Café “x” €"));
}

TEST(TextDecodingTest, BinaryDataAndUndefinedBytesAreNotText)
{
    EXPECT_FALSE(TextDecoding::decode(QByteArray("PK\x03\x04\x14\x00\x06\x00", 8)));
    EXPECT_FALSE(TextDecoding::decode(QByteArray("abc\x81")));
    // A marked UTF-8 file with broken UTF-8 inside is refused, not guessed at.
    EXPECT_FALSE(TextDecoding::decode(QByteArray("\xEF\xBB\xBF"
                                                 "abc\xE9")));
}

} // namespace
