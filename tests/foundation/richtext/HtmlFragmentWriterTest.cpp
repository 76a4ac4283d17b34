#include "foundation/richtext/HtmlFragmentWriter.h"

#include "RichTextFixtures.h"
#include "foundation/richtext/RichText.h"

#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

using namespace RichTextFixtures;

TEST(HtmlFragmentWriterTest, EmptyTextGivesEmptyString)
{
    EXPECT_EQ(HtmlFragmentWriter::fromRtf(QByteArray()), "");
    EXPECT_EQ(HtmlFragmentWriter::fromRtf(RichText::fromPlainText(QString())), "");
    EXPECT_EQ(HtmlFragmentWriter::write(QTextDocument()), "");
}

TEST(HtmlFragmentWriterTest, WritesParagraphsBoldItalicAndLineBreaks)
{
    EXPECT_EQ(HtmlFragmentWriter::fromRtf("{\\rtf1 Hello \\b bold\\b0  and \\i italic\\i0\\line next\\par"
                                          "\\par x < y & \"z\" {\\b\\i both}}"),
        "<p>Hello <b>bold</b> and <i>italic</i><br>next</p>\n"
        "<p><br></p>\n"
        "<p>x &lt; y &amp; \"z\" <b><i>both</i></b></p>");
}

TEST(HtmlFragmentWriterTest, DropsUnderlineStrikeOutColourFontsAndAlignment)
{
    const QString html
        = HtmlFragmentWriter::fromRtf("{\\rtf1{\\fonttbl{\\f1 Courier;}}{\\colortbl;\\red255\\green0\\blue0;}"
                                      "\\qc\\ul u\\ulnone\\strike s\\strike0\\cf1\\highlight1 c\\cf0"
                                      "\\f1\\fs40 big}");
    EXPECT_EQ(html, "<p>uscbig</p>");
}

TEST(HtmlFragmentWriterTest, MergesRunsThatDifferOnlyInDroppedStyles)
{
    EXPECT_EQ(HtmlFragmentWriter::fromRtf("{\\rtf1{\\colortbl;\\red0\\green0\\blue255;}\\b a\\cf1 b\\cf0\\ul c}"),
        "<p><b>abc</b></p>");
}

TEST(HtmlFragmentWriterTest, WritesLinksWithEscapedTargets)
{
    QTextDocument document;
    QTextCursor cursor(&document);
    QTextCharFormat link;
    link.setAnchor(true);
    link.setAnchorHref("https://example.org/?a=1&b=\"q\"");
    cursor.insertText("see ");
    cursor.insertText("the page", link);
    link.setFontWeight(QFont::Bold);
    cursor.insertText(" now", link);

    EXPECT_EQ(HtmlFragmentWriter::write(document),
        "<p>see <a href=\"https://example.org/?a=1&amp;b=&quot;q&quot;\">the page</a>"
        "<a href=\"https://example.org/?a=1&amp;b=&quot;q&quot;\"><b> now</b></a></p>");
}

TEST(HtmlFragmentWriterTest, WordDocumentBecomesABareFragment)
{
    const QString html = HtmlFragmentWriter::fromRtf(load("word.rtf"));
    EXPECT_TRUE(html.startsWith("<p><b>Objectives</b>: students compare na"));
    EXPECT_TRUE(html.contains("<a href=\"https://example.com/models\">the models page</a>."));
    for (const char* forbidden : { "<html", "<head", "<meta", "<style", "<body", "<span", "<font", "<u>", "<s>",
             "<strike", "<center", "style=", "Page header" })
        EXPECT_FALSE(html.contains(forbidden)) << forbidden;
}
