#include "report/ReportFonts.h"

#include <QAbstractTextDocumentLayout>
#include <QFontInfo>
#include <QImage>
#include <QTextDocument>

namespace {

QString sansFamily()
{
    QFont probe;
    probe.setStyleHint(QFont::SansSerif);
    probe.setFamilies({ QStringLiteral("sans-serif") });
    return QFontInfo(probe).family();
}

} // namespace

QFont ReportFonts::font(double pointSize, Weight weight)
{
    static const QString family = sansFamily();
    QFont result(family);
    result.setPointSizeF(pointSize);
    result.setBold(weight == Weight::Bold);
    return result;
}

QPaintDevice* ReportFonts::pointDevice()
{
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32);
        const int dotsPerMeter = qRound(72 / 0.0254);
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    return &device;
}

std::unique_ptr<QTextDocument> ReportFonts::newDocument()
{
    auto document = std::make_unique<QTextDocument>();
    document->documentLayout()->setPaintDevice(pointDevice());
    document->setDefaultFont(font(12));
    return document;
}
