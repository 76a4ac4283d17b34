#include "gui/views/BoxTextImages.h"

#include <QImage>
#include <QPainter>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

// Draws through `images` onto a white page, painting the left half of the
// area black; counts how often the area had to be painted.
class Page {
public:
    explicit Page(BoxTextImages& images, int dpi = 96)
        : m_images(images)
        , m_image(80, 50, QImage::Format_ARGB32_Premultiplied)
    {
        m_image.fill(Qt::white);
        m_image.setDotsPerMeterX(qRound(dpi / 0.0254));
        m_image.setDotsPerMeterY(qRound(dpi / 0.0254));
    }

    void draw(const QRectF& rect, const std::shared_ptr<QTextDocument>& text, const QColor& background)
    {
        QPainter painter(&m_image);
        m_images.draw(painter, rect, text, background, [&](QPainter& on) {
            ++m_paints;
            m_paintedAtDpi = { on.device()->logicalDpiX(), on.device()->logicalDpiY() };
            on.fillRect(QRectF(0, 0, rect.width() / 2, rect.height()), Qt::black);
        });
    }

    QColor at(int x, int y) const { return m_image.pixelColor(x, y); }
    int paints() const { return m_paints; }
    std::pair<int, int> paintedAtDpi() const { return m_paintedAtDpi; }

private:
    BoxTextImages& m_images;
    QImage m_image;
    int m_paints = 0;
    std::pair<int, int> m_paintedAtDpi;
};

std::shared_ptr<QTextDocument> wrapped(const QString& text, double width)
{
    auto document = std::make_shared<QTextDocument>(text);
    document->setTextWidth(width);
    return document;
}

} // namespace

TEST(BoxTextImagesTest, ShowsWhatWasPaintedInsideTheRectOnItsBackground)
{
    BoxTextImages images;
    const auto text = wrapped(QStringLiteral("Cells"), 40);
    const QRectF rect(10, 10, 40, 20);
    for (int time = 0; time < 2; ++time) {
        Page page(images);
        page.draw(rect, text, Qt::red);
        EXPECT_EQ(page.at(12, 15), QColor(Qt::black)) << "time " << time;
        EXPECT_EQ(page.at(45, 28), QColor(Qt::red)) << "time " << time;
        EXPECT_EQ(page.at(9, 9), QColor(Qt::white)) << "time " << time;
        EXPECT_EQ(page.at(51, 31), QColor(Qt::white)) << "time " << time;
    }
}

// Fonts are sized in points: text drawn into an image must take the
// resolution of the screen it is shown on, or it comes out too small.
TEST(BoxTextImagesTest, TextIsDrawnAtTheResolutionOfWhereItIsShown)
{
    BoxTextImages images;
    Page page(images, 144);
    page.draw({ 0, 0, 40, 20 }, wrapped(QStringLiteral("Cells"), 40), Qt::red);
    EXPECT_EQ(page.paintedAtDpi(), std::make_pair(144, 144));
}

// A text moved into another box of the same size and colour is copied; a
// text that is wrapped again, another box's size or colour, or another text
// at the same place is drawn anew.
TEST(BoxTextImagesTest, ATextIsDrawnOnceForEachWrapSizeAndBackground)
{
    BoxTextImages images;
    Page page(images);
    const auto text = wrapped(QStringLiteral("Cells"), 40);
    page.draw({ 0, 0, 40, 20 }, text, Qt::red);
    page.draw({ 30, 25, 40, 20 }, text, Qt::red);
    EXPECT_EQ(page.paints(), 1);

    page.draw({ 0, 0, 40, 24 }, text, Qt::red);
    EXPECT_EQ(page.paints(), 2);
    page.draw({ 0, 0, 40, 20 }, text, Qt::blue);
    EXPECT_EQ(page.paints(), 3);
    page.draw({ 0, 0, 40, 20 }, wrapped(QStringLiteral("Cells"), 40), Qt::red);
    EXPECT_EQ(page.paints(), 4);
    text->setTextWidth(30);
    page.draw({ 0, 0, 40, 20 }, text, Qt::red);
    EXPECT_EQ(page.paints(), 5);
}

TEST(BoxTextImagesTest, ImagesBeyondTheBudgetAreDrawnAgain)
{
    BoxTextImages images(2 * 40 * 20 * 4);
    Page page(images);
    const auto first = wrapped(QStringLiteral("Cells"), 40);
    page.draw({ 0, 0, 40, 20 }, first, Qt::red);
    page.draw({ 0, 0, 40, 20 }, wrapped(QStringLiteral("Atoms"), 40), Qt::red);
    page.draw({ 0, 0, 40, 20 }, wrapped(QStringLiteral("Waves"), 40), Qt::red);
    page.draw({ 0, 0, 40, 20 }, first, Qt::red);
    EXPECT_EQ(page.paints(), 4);
}
