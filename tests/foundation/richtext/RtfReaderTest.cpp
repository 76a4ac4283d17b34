#include "foundation/richtext/RtfReader.h"

#include "RichTextFixtures.h"
#include "foundation/richtext/RichText.h"

#include <QTextDocument>

#include <gtest/gtest.h>

using namespace RichTextFixtures;

namespace {

QString textOf(const QByteArray& rtf)
{
    return RichText::plainText(rtf);
}

QString u(const char16_t* text)
{
    return QString::fromUtf16(text);
}

} // namespace

TEST(RtfReaderTest, RecognisesRtfByItsOpening)
{
    EXPECT_TRUE(RtfReader::isRtf("{\\rtf1\\ansi hello}"));
    EXPECT_FALSE(RtfReader::isRtf("hello"));
    EXPECT_FALSE(RtfReader::isRtf("{\\rt"));
    EXPECT_FALSE(RtfReader::isRtf(QByteArray()));
}

TEST(RtfReaderTest, ReadsWordPadDocument)
{
    const auto document = RtfReader::read(load("wordpad.rtf"));
    EXPECT_EQ(RichText::plainText(*document),
        u(u"Lesson plan for Monday: review the café vocabulary.\n"
          u"Homework: read pages 10–12 and bring €5 for the field trip.\n"
          u"Underlined and struck words in Times font.\n"
          u"Centered title\n"));

    const QTextCharFormat plain = formatAt(*document, "Lesson");
    EXPECT_EQ(familyOf(plain), "Calibri");
    EXPECT_EQ(plain.fontPointSize(), 11.0);
    EXPECT_EQ(plain.fontWeight(), QFont::Normal);
    EXPECT_FALSE(plain.hasProperty(QTextFormat::ForegroundBrush));

    EXPECT_EQ(formatAt(*document, "Monday").fontWeight(), QFont::Bold);
    EXPECT_EQ(formatAt(*document, ": review").fontWeight(), QFont::Normal);
    EXPECT_TRUE(formatAt(*document, "Homework").fontItalic());
    EXPECT_FALSE(formatAt(*document, " read").fontItalic());
    EXPECT_EQ(formatAt(*document, "field trip").foreground().color(), QColor(255, 0, 0));
    EXPECT_TRUE(formatAt(*document, "Underlined").fontUnderline());
    EXPECT_FALSE(formatAt(*document, " and struck").fontUnderline());
    EXPECT_TRUE(formatAt(*document, "struck").fontStrikeOut());

    const QTextCharFormat times = formatAt(*document, "Times");
    EXPECT_EQ(familyOf(times), "Times New Roman");
    EXPECT_EQ(times.fontPointSize(), 14.0);
    EXPECT_EQ(familyOf(formatAt(*document, " font.")), "Calibri");

    EXPECT_EQ(alignmentAt(*document, "Centered title"), Qt::AlignHCenter);
    EXPECT_EQ(alignmentAt(*document, "Lesson"), Qt::AlignLeft);
    EXPECT_EQ(formatAt(*document, "Centered title").foreground().color(), QColor(0, 77, 187));
}

TEST(RtfReaderTest, ReadsTextEditDocument)
{
    const auto document = RtfReader::read(load("textedit.rtf"));
    EXPECT_EQ(RichText::plainText(*document),
        u(u"Unit 3: the water cycle\n\n"
          u"It’s the teacher’s “best” lesson in bold, then red text\n"
          u"Centered line\n"
          u"Tab\tseparated αβγ"));

    EXPECT_EQ(familyOf(formatAt(*document, "Unit")), "Helvetica");
    EXPECT_EQ(formatAt(*document, "Unit").fontPointSize(), 12.0);
    EXPECT_EQ(familyOf(formatAt(*document, "in bold")), "Helvetica-Bold");
    EXPECT_EQ(formatAt(*document, "in bold").fontWeight(), QFont::Bold);
    EXPECT_EQ(formatAt(*document, "red").foreground().color(), QColor(251, 2, 7));
    EXPECT_FALSE(formatAt(*document, " text").hasProperty(QTextFormat::ForegroundBrush));
    EXPECT_EQ(alignmentAt(*document, "Centered line"), Qt::AlignHCenter);
    EXPECT_EQ(alignmentAt(*document, "Tab"), Qt::AlignLeft);
    EXPECT_EQ(familyOf(formatAt(*document, "Tab")), "Menlo-Regular");
    EXPECT_EQ(formatAt(*document, "Tab").fontPointSize(), 11.0);
}

TEST(RtfReaderTest, ReadsLibreOfficeDocumentWithNestedGroups)
{
    const auto document = RtfReader::read(load("libreoffice.rtf"));
    EXPECT_EQ(RichText::plainText(*document),
        "Photosynthesis notes: plants use light and water.\n"
        "See the plant page for more.\n"
        "Right aligned\n");

    EXPECT_EQ(familyOf(formatAt(*document, "Photosynthesis")), "Liberation Serif");
    const QTextCharFormat notes = formatAt(*document, "notes");
    EXPECT_EQ(notes.fontWeight(), QFont::Bold);
    EXPECT_EQ(notes.fontPointSize(), 14.0);
    EXPECT_EQ(formatAt(*document, ": plants").fontPointSize(), 12.0);
    EXPECT_TRUE(formatAt(*document, "light").fontItalic());
    EXPECT_EQ(formatAt(*document, "water").foreground().color(), QColor(128, 128, 128));
    EXPECT_FALSE(formatAt(*document, ".\n").hasProperty(QTextFormat::ForegroundBrush));

    const QTextCharFormat link = formatAt(*document, "the plant page");
    EXPECT_TRUE(link.isAnchor());
    EXPECT_EQ(link.anchorHref(), "https://example.org/plants?a=1&b=2");
    EXPECT_EQ(familyOf(link), "Liberation Sans");
    EXPECT_TRUE(link.fontUnderline());
    EXPECT_FALSE(formatAt(*document, " for more").isAnchor());

    EXPECT_EQ(alignmentAt(*document, "Right aligned"), Qt::AlignRight);
    EXPECT_TRUE(formatAt(*document, "Right aligned").fontStrikeOut());
}

TEST(RtfReaderTest, ReadsWordDocumentAndSkipsItsMetadata)
{
    const auto document = RtfReader::read(load("word.rtf"));
    EXPECT_EQ(RichText::plainText(*document),
        u(u"Objectives: students compare naïve and expert models — see the models page.\n"
          u"·\tFirst point"));

    EXPECT_EQ(familyOf(formatAt(*document, "Objectives")), "Calibri");
    EXPECT_EQ(formatAt(*document, "Objectives").fontWeight(), QFont::Bold);
    EXPECT_EQ(formatAt(*document, "the models page").anchorHref(), "https://example.com/models");
    EXPECT_EQ(formatAt(*document, "the models page").foreground().color(), QColor(0, 0, 255));
    EXPECT_TRUE(formatAt(*document, "First point").fontItalic());
    EXPECT_EQ(formatAt(*document, "First point").foreground().color(), QColor(255, 0, 0));
}

TEST(RtfReaderTest, SkipsPicturesObjectsAndBinaryData)
{
    EXPECT_EQ(textOf(load("picture.rtf")),
        "Before picture after picture.\n"
        "Binary still text.\n"
        "Dataok end.");
    // TextEdit's attachments name their file in the group.
    EXPECT_EQ(textOf("{\\rtf1 a{{\\NeXTGraphic photo.png \\width100 \\height100\n}}b}"), "ab");
}

TEST(RtfReaderTest, DecodesDocumentAndFontCodePages)
{
    const auto document = RtfReader::read(load("charsets.rtf"));
    EXPECT_EQ(RichText::plainText(*document),
        u(u"Урок 5: Дроби\n"
          u"Školní úloha: žluťoučký kůň\n"
          u"café Αλφα あいうア дом\n"
          u"Жук\n"));
    EXPECT_EQ(formatAt(*document, u(u"Дроби")).fontWeight(), QFont::Bold);
    EXPECT_EQ(familyOf(formatAt(*document, u(u"あ"))), u(u"ＭＳ ゴシック"));
}

TEST(RtfReaderTest, ReadsWithoutDeclaredCodePageAsWindowsLatin1)
{
    EXPECT_EQ(textOf("{\\rtf1 \\'80 \\'e9}"), u(u"€ é"));
    EXPECT_EQ(textOf("{\\rtf1\\mac \\'8e}"), u(u"é"));
    EXPECT_EQ(textOf("{\\rtf1\\ansi\\ansicpg99999 \\'e9}"), u(u"é"));
}

TEST(RtfReaderTest, HonoursUnicodeSkipCountsAndSurrogatePairs)
{
    EXPECT_EQ(textOf("{\\rtf1\\uc2 \\u8364 ab\\u8364\\'80\\'80c{\\uc0\\u8364 d}\\u8364 ??e}"), u(u"€€c€d€e"));
    EXPECT_EQ(textOf("{\\rtf1 \\u-4064?}"), u(u"\uF020"));
    EXPECT_EQ(textOf("{\\rtf1 \\u-10179?\\u-8704?!}"), u(u"😀!"));
    EXPECT_EQ(textOf("{\\rtf1 \\u-10179?x\\u-8704?}"), u(u"\uFFFDx\uFFFD"));
    // A fallback never reaches past the end of its group.
    EXPECT_EQ(textOf("{\\rtf1 {\\uc3\\u8364 a}b}"), u(u"€b"));
}

TEST(RtfReaderTest, ReadsEscapesAndCharacterWords)
{
    EXPECT_EQ(textOf("{\\rtf1 a\\~b\\-c\\_d \\{\\}\\\\ \\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote"
                     "\\tab x\\line y}"),
        u(u"a\u00A0b\u00ADc\u2011d {}\\ —–•‘’“”\tx\u2028y"));
}

TEST(RtfReaderTest, SkipsUnknownWordsStarredGroupsAndHiddenText)
{
    EXPECT_EQ(textOf("{\\rtf1 a\\foo123 b{\\*\\unknown {nested} hidden}c\\v secret\\v0 d}"), "abcd");
    EXPECT_EQ(textOf("{\\rtf1 {\\field{\\*\\fldinst PAGE }{\\fldrslt 7}} pages}"), "7 pages");
}

// Broken documents of the kinds found in old databases and in fuzzing: each
// must read without a crash and give the text that can be read.
TEST(RtfReaderTest, ReadsWhatItCanOfMalformedDocuments)
{
    const QByteArray deep = "{\\rtf1 " + QByteArray(10000, '{') + "deep" + QByteArray(10000, '}') + " end}";
    const QByteArray deepUnclosed = "{\\rtf1 " + QByteArray(100000, '{') + "\\b deep";
    const struct {
        QByteArray rtf;
        QString text;
    } cases[] = {
        { "{\\rtf1 Hello}}} world", "Hello" },
        { "}}{\\rtf1 Hello}", "Hello" },
        { "{\\rtf1 Hello {\\b bold", "Hello bold" },
        { "{\\rtf1 caf\\'e", "caf" },
        { "{\\rtf1 a\\'zzb}", "azzb" },
        { "{\\rtf1 \\u99999999999999?x\\u-99999999?y}", u(u"\uFFFDx\uFFFDy") },
        { "{\\rtf1\\fs99999999 \\f-5 \\cf77 \\uc-3 x}", "x" },
        { "{\\rtf1 a\\bin999999999999 bcdef}", "a" },
        { "{\\rtf1 a\\bin-5 bc}", "abc" },
        { "{\\rtf1 {\\colortbl;\\red999\\green-4;}{\\fonttbl{\\f0", "" },
        { "{\\rtf1 \\\\\\{ok\\}\\", "\\{ok}" },
        { deep, "deep end" },
        { deepUnclosed, "deep" },
        { QByteArray("{\\rtf1 a\0b\x01 c}", 13), "ab c" },
    };
    for (const auto& testCase : cases)
        EXPECT_EQ(textOf(testCase.rtf), testCase.text) << testCase.rtf.left(60).toStdString();
}

TEST(RtfReaderTest, RestoresGroupStateAroundGroupsBeyondTheDepthCap)
{
    const QByteArray rtf = "{\\rtf1 {\\i a" + QByteArray(1000, '{') + "\\b deep" + QByteArray(1000, '}') + "b}c}";
    const auto document = RtfReader::read(rtf);
    EXPECT_EQ(RichText::plainText(*document), "adeepbc");
    EXPECT_EQ(formatAt(*document, "deep").fontWeight(), QFont::Bold);
    EXPECT_EQ(formatAt(*document, "b").fontWeight(), QFont::Normal);
    EXPECT_TRUE(formatAt(*document, "b").fontItalic());
    EXPECT_FALSE(formatAt(*document, "c").fontItalic());
}

TEST(RtfReaderTest, ReplacesTheContentOfAGivenDocument)
{
    QTextDocument document;
    document.setPlainText("old text");
    RtfReader::read("{\\rtf1 new}", &document);
    EXPECT_EQ(document.toPlainText(), "new");
}
