#include "gui/views/BoxTextImages.h"

#include <QPaintDevice>
#include <QPainter>
#include <QTextDocument>
#include <QtMath>

namespace {

constexpr double inchesPerMeter = 0.0254;

} // namespace

BoxTextImages::BoxTextImages(qsizetype budget)
    : m_images(budget)
{ }

void BoxTextImages::draw(QPainter& painter, const QRectF& rect, const std::shared_ptr<QTextDocument>& text,
    const QColor& background, const Paint& paint)
{
    const QPaintDevice* device = painter.device();
    const double ratio = device->devicePixelRatio();
    const Key key { text.get(), text->textWidth(), rect.width(), rect.height(), background.rgba(), ratio };
    if (const Entry* kept = m_images.object(key)) {
        painter.drawImage(rect.topLeft(), kept->image);
        return;
    }
    const QSize pixels(qCeil(rect.width() * ratio), qCeil(rect.height() * ratio));
    QImage image(pixels, background.alpha() == 255 ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    // Point sizes become pixels by the device's resolution: text drawn in the
    // image must come out the size it would on the screen.
    image.setDotsPerMeterX(qRound(device->logicalDpiX() / inchesPerMeter));
    image.setDotsPerMeterY(qRound(device->logicalDpiY() / inchesPerMeter));
    image.fill(background);
    {
        QPainter imagePainter(&image);
        imagePainter.setRenderHints(painter.renderHints());
        paint(imagePainter);
    }
    painter.drawImage(rect.topLeft(), image);
    m_images.insert(key, new Entry { text, image }, image.sizeInBytes());
}
