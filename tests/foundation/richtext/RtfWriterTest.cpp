#include "foundation/richtext/RtfWriter.h"

#include "RichTextFixtures.h"
#include "foundation/richtext/RichText.h"
#include "foundation/richtext/RtfReader.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

using namespace RichTextFixtures;

namespace {

QTextCharFormat format(const QString& family, double points)
{
    QTextCharFormat result;
    result.setFontFamilies({ family });
    result.setFontPointSize(points);
    return result;
}

// Every fragment of `original` must come back with its text and the styles
// the writer promises, at the same place.
void expectSameFragments(const QTextDocument& original, const QTextDocument& copy)
{
    ASSERT_EQ(copy.toRawText(), original.toRawText());
    ASSERT_EQ(copy.blockCount(), original.blockCount());
    for (QTextBlock block = original.begin(); block.isValid(); block = block.next()) {
        EXPECT_EQ(copy.findBlock(block.position()).blockFormat().alignment(), block.blockFormat().alignment());
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat expected = fragment.charFormat();
            QTextCursor cursor(const_cast<QTextDocument*>(&copy));
            cursor.setPosition(fragment.position() + 1);
            const QTextCharFormat actual = cursor.charFormat();
            SCOPED_TRACE(fragment.text().toStdString());
            EXPECT_EQ(familyOf(actual), familyOf(expected));
            EXPECT_EQ(actual.fontPointSize(), expected.fontPointSize());
            EXPECT_EQ(actual.fontWeight() > QFont::Medium, expected.fontWeight() > QFont::Medium);
            EXPECT_EQ(actual.fontItalic(), expected.fontItalic());
            EXPECT_EQ(actual.fontUnderline(), expected.fontUnderline());
            EXPECT_EQ(actual.fontStrikeOut(), expected.fontStrikeOut());
            EXPECT_EQ(actual.foreground(), expected.foreground());
            EXPECT_EQ(actual.background(), expected.background());
            EXPECT_EQ(actual.anchorHref(), expected.anchorHref());
        }
    }
}

std::unique_ptr<QTextDocument> roundTrip(const QTextDocument& document)
{
    return RtfReader::read(RtfWriter::write(document));
}

} // namespace

TEST(RtfWriterTest, RoundTripsCharacterAndParagraphFormats)
{
    QTextDocument document;
    QTextCursor cursor(&document);
    QTextCharFormat bold = format("DejaVu Sans", 12);
    bold.setFontWeight(QFont::Bold);
    QTextCharFormat italicSerif = format("DejaVu Serif", 18);
    italicSerif.setFontItalic(true);
    QTextCharFormat underlined = format("DejaVu Sans", 10.5);
    underlined.setFontUnderline(true);
    underlined.setForeground(QColor(200, 10, 20));
    QTextCharFormat struck = format("DejaVu Sans Mono", 9);
    struck.setFontStrikeOut(true);
    struck.setBackground(QColor(255, 255, 0));
    QTextCharFormat link = format("DejaVu Sans", 12);
    link.setAnchor(true);
    link.setAnchorHref("https://example.org/a?b=1&c=2");

    cursor.insertText("Plain ", format("DejaVu Sans", 12));
    cursor.insertText("bold", bold);
    cursor.insertText(" italic serif", italicSerif);
    QTextBlockFormat centered;
    centered.setAlignment(Qt::AlignHCenter);
    cursor.insertBlock(centered);
    cursor.insertText("red underline", underlined);
    cursor.insertText(" struck", struck);
    QTextBlockFormat right;
    right.setAlignment(Qt::AlignRight);
    cursor.insertBlock(right);
    cursor.insertText("a link", link);
    QTextBlockFormat justified;
    justified.setAlignment(Qt::AlignJustify);
    cursor.insertBlock(justified);
    cursor.insertText("justified", bold);

    expectSameFragments(document, *roundTrip(document));
}

TEST(RtfWriterTest, WritesPlainStandardRtfWithOneFontEntryPerFamily)
{
    QTextDocument document;
    document.setDefaultFont(QFont("DejaVu Sans", 12));
    QTextCursor cursor(&document);
    cursor.insertText("a", format("DejaVu Serif", 12));
    cursor.insertText("b", format("DejaVu Sans", 14));
    cursor.insertText("c", format("DejaVu Serif", 16));

    const QByteArray rtf = RtfWriter::write(document);
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0"));
    EXPECT_TRUE(rtf.endsWith("}"));
    EXPECT_FALSE(rtf.contains("cocoa"));
    EXPECT_EQ(rtf.count("DejaVu Serif;"), 1);
    EXPECT_EQ(rtf.count("DejaVu Sans;"), 1);
    EXPECT_TRUE(rtf.contains("\\fs32"));
}

TEST(RtfWriterTest, EncodesTextOutsideAsciiAndEscapesSyntax)
{
    QTextDocument document;
    const QString text = QString::fromUtf16(u"café €5 Дом 😀 {x} \\ end");
    document.setPlainText(text);

    const QByteArray rtf = RtfWriter::write(document);
    EXPECT_TRUE(rtf.contains("caf\\'e9 \\'805"));
    EXPECT_TRUE(rtf.contains("\\u1044?\\u1086?\\u1084?"));
    EXPECT_TRUE(rtf.contains("\\u-10179?\\u-8704?"));
    EXPECT_TRUE(rtf.contains("\\{x\\} \\\\ end"));
    EXPECT_EQ(RichText::plainText(rtf), text);
}

TEST(RtfWriterTest, RoundTripsTabsLineBreaksAndEmptyParagraphs)
{
    QTextDocument document;
    const QString text = QString::fromUtf16(u"\nfirst\tcolumn\u2028second line\n\nlast\n");
    document.setPlainText(text);

    const QByteArray rtf = RtfWriter::write(document);
    EXPECT_TRUE(rtf.contains("first\\tab column\\line second line"));
    const auto copy = RtfReader::read(rtf);
    EXPECT_EQ(copy->blockCount(), document.blockCount());
    EXPECT_EQ(RichText::plainText(*copy), text);
}

TEST(RtfWriterTest, WritesAnEmptyDocumentAsValidRtf)
{
    const QByteArray rtf = RtfWriter::write(QTextDocument());
    EXPECT_TRUE(RtfReader::isRtf(rtf));
    EXPECT_EQ(rtf.count('{'), rtf.count('}'));
    EXPECT_TRUE(RtfReader::read(rtf)->isEmpty());
}
