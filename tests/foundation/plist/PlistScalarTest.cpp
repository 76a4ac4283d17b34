#include "foundation/plist/PlistScalar.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

QDateTime utc(int year, int month, int day, int hour, int minute, int second, int msec = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second, msec), Qt::UTC);
}

} // namespace

TEST(PlistScalarTest, IntegersCoverExactlyTheQint64Range)
{
    EXPECT_EQ(*PlistScalar::parseInteger(u"9223372036854775807"), std::numeric_limits<qint64>::max());
    EXPECT_EQ(*PlistScalar::parseInteger(u"-9223372036854775808"), std::numeric_limits<qint64>::min());
    EXPECT_EQ(*PlistScalar::parseInteger(u" +0012 "), 12);
    for (const char16_t* text : { u"9223372036854775808", u"-9223372036854775809", u"99999999999999999999", u"", u"-",
             u"+-1", u"1.0", u"0x10", u"1 2", u"١٢" })
        EXPECT_FALSE(PlistScalar::parseInteger(text).ok()) << QString::fromUtf16(text).toStdString();
}

TEST(PlistScalarTest, RealsReadBackBitForBit)
{
    for (const double value : { 0.1, 1.0 / 3, -2.5, 1e300, 5e-324, 2.2250738585072014e-308, 123456789012345678.0,
             std::numeric_limits<double>::max(), std::numeric_limits<double>::infinity(),
             -std::numeric_limits<double>::infinity() }) {
        const auto back = PlistScalar::parseReal(PlistScalar::formatReal(value));
        ASSERT_TRUE(back.ok()) << value;
        EXPECT_EQ(std::memcmp(&*back, &value, sizeof value), 0) << value;
    }
    EXPECT_TRUE(std::isnan(*PlistScalar::parseReal(PlistScalar::formatReal(std::nan("")))));
    EXPECT_EQ(*PlistScalar::parseReal(u"-Infinity"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(*PlistScalar::parseReal(u" 2.5E-3 "), 0.0025);
    for (const char16_t* text : { u"1e400", u"", u"abc", u"1.5x", u"1,5", u"0x1p3" })
        EXPECT_FALSE(PlistScalar::parseReal(text).ok()) << QString::fromUtf16(text).toStdString();
}

TEST(PlistScalarTest, XmlDatesAcceptOnlyRealMomentsInTheirExactShape)
{
    EXPECT_EQ(*PlistScalar::parseXmlDate(u"2024-02-29T23:59:59Z"), utc(2024, 2, 29, 23, 59, 59));
    EXPECT_EQ(*PlistScalar::parseXmlDate(u"0001-01-01T00:00:00Z"), utc(1, 1, 1, 0, 0, 0));
    for (const char16_t* text : { u"2023-02-29T00:00:00Z", u"2024-13-01T00:00:00Z", u"2024-01-01T24:00:00Z",
             u"2024-01-01T00:60:00Z", u"2024-01-01T00:00:60Z", u"2024-01-01 00:00:00Z", u"2024-01-01T00:00:00",
             u"0000-01-01T00:00:00Z", u"2024-1-01T00:00:00Z", u"+024-01-01T00:00:00Z", u"2024-01-01T00:00:00.5Z" })
        EXPECT_FALSE(PlistScalar::parseXmlDate(text).ok()) << QString::fromUtf16(text).toStdString();
}

TEST(PlistScalarTest, TextDatesApplyTheirOffsetAndStayInRange)
{
    EXPECT_EQ(*PlistScalar::parseTextDate(u"2024-03-10 01:30:00 -0500"), utc(2024, 3, 10, 6, 30, 0));
    EXPECT_EQ(*PlistScalar::parseTextDate(u"2024-01-01 00:15:00 +0130"), utc(2023, 12, 31, 22, 45, 0));
    for (const char16_t* text : { u"0001-01-01 00:30:00 +0100", u"9999-12-31 23:30:00 -0100",
             u"2024-01-01 00:00:00 +2400", u"2024-01-01 00:00:00 +0060", u"2024-01-01 00:00:00 0000",
             u"2024-01-01 00:00:00", u"2024-01-01T00:00:00 +0000" })
        EXPECT_FALSE(PlistScalar::parseTextDate(text).ok()) << QString::fromUtf16(text).toStdString();
}

TEST(PlistScalarTest, WritingDatesDropsMillisecondsAndClampsYears)
{
    const QDateTime late = utc(2001, 1, 1, 0, 0, 0, 999);
    EXPECT_EQ(PlistScalar::formatXmlDate(late), QStringLiteral("2001-01-01T00:00:00Z"));
    EXPECT_EQ(PlistScalar::formatTextDate(late), QStringLiteral("2001-01-01 00:00:00 +0000"));
    EXPECT_EQ(PlistScalar::formatXmlDate(utc(10000, 1, 1, 0, 0, 0)), QStringLiteral("9999-12-31T23:59:59Z"));
    EXPECT_EQ(PlistScalar::formatXmlDate(utc(-5, 6, 1, 12, 0, 0)), QStringLiteral("0001-01-01T00:00:00Z"));
    EXPECT_EQ(PlistScalar::formatXmlDate(utc(5, 6, 7, 8, 9, 10)), QStringLiteral("0005-06-07T08:09:10Z"));
}
