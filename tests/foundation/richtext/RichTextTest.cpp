#include "foundation/richtext/RichText.h"

#include "RichTextFixtures.h"
#include "foundation/richtext/RtfReader.h"

#include <QTextDocument>

#include <gtest/gtest.h>

using namespace RichTextFixtures;

TEST(RichTextTest, PlainTextKeepsLineBreaksTabsAndNonBreakingSpaces)
{
    EXPECT_EQ(RichText::plainText("{\\rtf1 a\\line b\\~c\\tab d\\par e\\par}"),
        QString::fromUtf16(u"a\u2028b\u00A0c\td\ne\n"));
}

TEST(RichTextTest, PlainTextSurvivesTheTripThroughRtf)
{
    const QString texts[] = {
        QString(),
        "one line",
        "ends with a newline\n",
        "\n\nstarts with blank lines",
        "tab\tseparated\nsecond paragraph",
        QString::fromUtf16(u"naïve € Дом 😀 “quoted”"),
        "{braces} and \\backslashes\\",
        "trailing spaces   ",
    };
    for (const QString& text : texts)
        EXPECT_EQ(RichText::plainText(RichText::fromPlainText(text)), text) << text.toStdString();
}

TEST(RichTextTest, FromPlainTextIsUnstyledInTheDefaultFont)
{
    const auto document = RtfReader::read(RichText::fromPlainText("Read chapter 4\nAnswer the questions"));
    for (const char* needle : { "Read", "Answer" }) {
        const QTextCharFormat format = formatAt(*document, needle);
        EXPECT_EQ(familyOf(format), RichText::defaultFont().family());
        EXPECT_EQ(format.fontPointSize(), RichText::defaultFont().pointSizeF());
        EXPECT_EQ(format.fontWeight(), QFont::Normal);
        EXPECT_FALSE(format.fontItalic());
        EXPECT_FALSE(format.fontUnderline());
        EXPECT_FALSE(format.hasProperty(QTextFormat::ForegroundBrush));
    }
}

TEST(RichTextTest, EmptyRichTextIsValidRtfWithoutText)
{
    const QByteArray empty = RichText::fromPlainText(QString());
    EXPECT_TRUE(RtfReader::isRtf(empty));
    EXPECT_TRUE(RichText::isEmpty(empty));
    EXPECT_TRUE(RichText::isEmpty(QByteArray()));
    EXPECT_TRUE(RichText::isEmpty("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\*\\generator Word}}"));
    EXPECT_FALSE(RichText::isEmpty(RichText::fromPlainText(" ")));
    EXPECT_FALSE(RichText::isEmpty(RichText::fromPlainText("\n")));
}
