#include "gui/views/ShapedLines.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

// The columns of the image that hold any ink, as [first, last]; {-1, -1}
// when it is blank.
std::pair<int, int> inkedColumns(const QImage& image)
{
    int first = -1;
    int last = -1;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (qGray(image.pixel(x, y)) < 160) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
        }
    }
    return { first, last };
}

std::pair<int, int> drawn(ShapedLines& lines, const QFont& font, const QRectF& rect, const QString& text,
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter)
{
    QImage image(300, 40, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    lines.draw(painter, rect, text, alignment);
    painter.end();
    return inkedColumns(image);
}

} // namespace

TEST(ShapedLinesTest, ALineKeepsInsideItsRectOnTheSideItIsAlignedTo)
{
    ShapedLines lines;
    const QFont font = QApplication::font();
    const QRectF rect(100, 5, 80, 30);
    const auto [longFirst, longLast] = drawn(lines, font, rect, QStringLiteral("Mathematics and Statistics 101"));
    EXPECT_GE(longFirst, 100);
    EXPECT_LE(longLast, 180) << "a name wider than its box is cut with an ellipsis";

    const auto [leftFirst, leftLast] = drawn(lines, font, rect, QStringLiteral("Art"));
    const auto [rightFirst, rightLast] = drawn(lines, font, rect, QStringLiteral("Art"), Qt::AlignRight);
    const auto [centreFirst, centreLast] = drawn(lines, font, rect, QStringLiteral("Art"), Qt::AlignCenter);
    EXPECT_LT(leftLast, 140);
    EXPECT_GT(rightFirst, 140);
    EXPECT_LE(rightLast, 180);
    EXPECT_GT(centreFirst, leftFirst);
    EXPECT_LT(centreLast, rightLast);
    EXPECT_EQ(rightLast - rightFirst, leftLast - leftFirst) << "the same shaped line, only placed elsewhere";
}

// Names and times are drawn bold and plain, and boxes of every width: a
// line shaped for one of them is never drawn for another.
TEST(ShapedLinesTest, EachFontAndWidthHasItsOwnLine)
{
    ShapedLines lines;
    QFont plain = QApplication::font();
    plain.setPixelSize(14);
    QFont bold = plain;
    bold.setBold(true);
    const QString name = QStringLiteral("Mathematics");
    const auto [plainFirst, plainLast] = drawn(lines, plain, { 0, 5, 290, 30 }, name);
    const auto [boldFirst, boldLast] = drawn(lines, bold, { 0, 5, 290, 30 }, name);
    EXPECT_GT(boldLast - boldFirst, plainLast - plainFirst);

    const auto [narrowFirst, narrowLast] = drawn(lines, plain, { 0, 5, 40, 30 }, name);
    EXPECT_LE(narrowLast, 40);
    const auto [wideFirst, wideLast] = drawn(lines, plain, { 0, 5, 290, 30 }, name);
    EXPECT_EQ(wideLast, plainLast);
}
