#include "foundation/dates/DateFormatting.h"

#include "DateTestSupport.h"
#include "testlib/ZoneAndLocale.h"

#include <gtest/gtest.h>

#include <map>

using DateFormatting::DateStyle;
using DateFormatting::SymbolWidth;

namespace {

// A Monday morning in New York.
const Date monday = at("2015-01-05T09:45:00-05:00");

} // namespace

TEST(DateFormattingTest, TemplatesTakeTheLocalesOrderAndPunctuation)
{
    EXPECT_EQ(DateFormatting::formatTemplate(monday, "EEEEdMMMM"), QStringLiteral("Monday, January 5"));
    EXPECT_EQ(DateFormatting::formatTemplate(monday, "EdMMM"), QStringLiteral("Mon, Jan 5"));
    EXPECT_EQ(DateFormatting::formatTemplate(monday, "MMMdyyyy"), QStringLiteral("Jan 5, 2015"));
    {
        ZoneAndLocale zone("Europe/Berlin", "de_DE");
        EXPECT_EQ(DateFormatting::formatTemplate(monday, "EEEEdMMMM"), QStringLiteral("Montag, 5. Januar"));
    }
    ZoneAndLocale zone("Australia/Sydney", "en_AU");
    EXPECT_EQ(DateFormatting::formatTemplate(monday, "EEEEdMMMM"), QStringLiteral("Tuesday, 6 January"));
}

TEST(DateFormattingTest, FixedPatternsAreUsedAsWritten)
{
    EXPECT_EQ(DateFormatting::formatPattern(monday, "MMM."), QStringLiteral("Jan."));
    EXPECT_EQ(DateFormatting::formatPattern(monday, "EEE."), QStringLiteral("Mon."));
    EXPECT_EQ(DateFormatting::weekdayName(monday), QStringLiteral("Monday"));
    // Export time stamps use hour 1-24: midnight is 24.
    EXPECT_EQ(DateFormatting::formatPattern(at("2015-01-05T00:05:03-05:00"), "kms"), QStringLiteral("2453"));
}

TEST(DateFormattingTest, StylesFollowTheLocale)
{
    EXPECT_EQ(DateFormatting::formatDateStyle(monday, DateStyle::Short), QStringLiteral("1/5/15"));
    EXPECT_EQ(DateFormatting::formatDateStyle(monday, DateStyle::Medium), QStringLiteral("Jan 5, 2015"));
    EXPECT_EQ(DateFormatting::formatDateStyle(monday, DateStyle::Long), QStringLiteral("January 5, 2015"));
    EXPECT_EQ(DateFormatting::formatShortTime(monday), QString::fromUtf16(u"9:45\u202FAM"));

    ZoneAndLocale zone("Europe/Berlin", "de_DE");
    EXPECT_EQ(DateFormatting::formatDateStyle(monday, DateStyle::Short), QStringLiteral("05.01.15"));
    EXPECT_EQ(DateFormatting::formatDateStyle(monday, DateStyle::Long), QStringLiteral("5. Januar 2015"));
    EXPECT_EQ(DateFormatting::formatShortTime(monday), QStringLiteral("15:45"));
}

TEST(DateFormattingTest, CachedFormattersFollowZoneAndLocaleSwitches)
{
    const Date noon = at("2026-07-04T12:00:00Z");
    EXPECT_EQ(DateFormatting::formatPattern(noon, "HH:mm EEEE"), QStringLiteral("08:00 Saturday"));
    {
        ZoneAndLocale zoneOnly("Europe/Berlin", "en_US");
        EXPECT_EQ(DateFormatting::formatPattern(noon, "HH:mm EEEE"), QStringLiteral("14:00 Saturday"));
        ZoneAndLocale zoneAndLocale("Europe/Berlin", "de_DE");
        EXPECT_EQ(DateFormatting::formatPattern(noon, "HH:mm EEEE"), QStringLiteral("14:00 Samstag"));
    }
    EXPECT_EQ(DateFormatting::formatPattern(noon, "HH:mm EEEE"), QStringLiteral("08:00 Saturday"));
}

TEST(DateFormattingTest, ParsingNeedsTheWholeTextAndFieldsInRange)
{
    EXPECT_EQ(DateFormatting::parse("2026-02-03", "yyyy-MM-dd"), at("2026-02-03T00:00:00-05:00"));
    EXPECT_EQ(
        DateFormatting::parse("2026-07-04 10:00:00 +0200", "yyyy-MM-dd HH:mm:ss ZZZ"), at("2026-07-04T08:00:00Z"));
    EXPECT_EQ(DateFormatting::parse("2026-02-30", "yyyy-MM-dd"), std::nullopt);
    EXPECT_EQ(DateFormatting::parse("2026-02-03 and more", "yyyy-MM-dd"), std::nullopt);
    EXPECT_EQ(DateFormatting::parse("February", "yyyy-MM-dd"), std::nullopt);
}

// Typed dates are read in the reader's own order: 10/02 is 10 February in
// Britain and 2 October in the United States.
TEST(DateFormattingTest, TypedDatesAreReadInTheLocalesFormsAndInIso)
{
    const Date tenthOfFebruary = at("2027-02-10T00:00:00-05:00");
    const std::map<const char*, QStringList> typed {
        { "en_US", { "2/10/2027", "02/10/2027", "2/10/27", "Feb 10, 2027", "February 10, 2027", " 2027-02-10 " } },
        { "en_GB", { "10/02/2027", "10/2/2027", "10 Feb 2027", "10 February 2027", "2027-02-10" } },
        { "de_DE", { "10.02.2027", "10.2.2027", "10.02.27", "10. Februar 2027", "2027-02-10" } },
    };
    for (const auto& [locale, texts] : typed) {
        ZoneAndLocale zone("America/New_York", locale);
        for (const QString& text : texts)
            EXPECT_EQ(DateFormatting::parseTypedDate(text), tenthOfFebruary) << locale << " " << text.toStdString();
    }
    ZoneAndLocale british("America/New_York", "en_GB");
    EXPECT_EQ(DateFormatting::parseTypedDate("02/10/2027"), at("2027-10-02T00:00:00-04:00"));
}

TEST(DateFormattingTest, TypedDatesThatDoNotExistAreRefused)
{
    for (const char* text : { "2/30/2027", "13/10/2027", "2027-13-01", "next Tuesday", "", "2/10/2027 and more" })
        EXPECT_EQ(DateFormatting::parseTypedDate(text), std::nullopt) << text;
    ZoneAndLocale german("America/New_York", "de_DE");
    EXPECT_EQ(DateFormatting::parseTypedDate("2/10/2027"), std::nullopt) << "not a German form";
}

TEST(DateFormattingTest, WeekdaySymbolsStartOnSunday)
{
    const QStringList full = DateFormatting::weekdaySymbols(SymbolWidth::Full);
    EXPECT_EQ(full, QStringList({ "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday" }));
    EXPECT_EQ(DateFormatting::weekdaySymbols(SymbolWidth::Short).first(), QStringLiteral("Sun"));

    ZoneAndLocale zone("Europe/Berlin", "de_DE");
    const QStringList german = DateFormatting::weekdaySymbols(SymbolWidth::Full);
    ASSERT_EQ(german.size(), 7);
    EXPECT_EQ(german.first(), QStringLiteral("Sonntag"));
    EXPECT_EQ(german.last(), QStringLiteral("Samstag"));
    EXPECT_EQ(DateFormatting::weekdaySymbols(SymbolWidth::Short).first(), QStringLiteral("So."));
}
