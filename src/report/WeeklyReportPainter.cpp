#include "report/WeeklyReportPainter.h"

#include "model/Course.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "report/ReportFonts.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextDocument>

namespace {

// The painter draws in points; a font's point size is taken at the device's
// own resolution, so it is scaled back to one unit per point.
QFont pointFont(const QPainter& painter, double size)
{
    return ReportFonts::font(size * 72.0 / painter.device()->logicalDpiY());
}

void drawText(QPainter& painter, const QTextDocument& text, const QRectF& clip)
{
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = clip;
    context.palette.setColor(QPalette::Text, Qt::black);
    text.documentLayout()->draw(&painter, context);
}

} // namespace

WeeklyReportPainter::WeeklyReportPainter(const WeeklyReportLayout& layout, Colors colors)
    : m_layout(layout)
    , m_colors(colors)
{ }

void WeeklyReportPainter::paintCanvas(QPainter& painter, double canvasHeight) const
{
    painter.fillRect(QRectF(0, 0, m_layout.width(), canvasHeight), Qt::white);
    paintHeader(painter);
    const double columnHeight = canvasHeight - m_layout.headerBand();
    double x = 0;
    for (const WeeklyDayColumn& column : m_layout.columns()) {
        painter.save();
        painter.translate(x, m_layout.headerBand());
        paintColumn(painter, column, columnHeight, m_layout.boxesOnCanvas(column));
        painter.restore();
        x += m_layout.columnWidth();
    }
}

void WeeklyReportPainter::paintPage(QPainter& painter, int page, double pageHeight) const
{
    painter.fillRect(QRectF(0, 0, m_layout.width(), pageHeight), Qt::white);
    paintHeader(painter);
    const double columnHeight = pageHeight - m_layout.headerBand();
    double x = 0;
    for (const WeeklyDayColumn& column : m_layout.columns()) {
        painter.save();
        painter.translate(x, m_layout.headerBand());
        painter.setClipRect(QRectF(0, 0, m_layout.columnWidth() + 1, columnHeight + 1));
        paintColumn(painter, column, columnHeight, m_layout.boxesOnPage(column, page, pageHeight));
        painter.restore();
        x += m_layout.columnWidth();
    }
}

void WeeklyReportPainter::paintHeader(QPainter& painter) const
{
    if (const QTextDocument* header = m_layout.header())
        drawText(painter, *header, QRectF(0, 0, m_layout.width(), m_layout.headerHeight()));
}

void WeeklyReportPainter::paintColumn(
    QPainter& painter, const WeeklyDayColumn& column, double height, const QList<PlacedBox>& boxes) const
{
    const double width = m_layout.columnWidth();
    const QRectF band(0, 0, width, WeeklyReportLayout::dateBandHeight);
    painter.setPen(Qt::black);
    painter.setFont(pointFont(painter, WeeklyReportLayout::dateFontSize));
    const QFontMetricsF metrics(painter.font(), painter.device());
    const QString date = metrics.elidedText(WeeklyReportLayout::dateText(*column.day), Qt::ElideRight, width - 4);
    painter.drawText(band, Qt::AlignCenter, date);
    painter.drawRect(band);
    if (column.day->isNonSchoolDay())
        paintNonSchoolLabel(painter, column, height);
    for (const PlacedBox& placed : boxes)
        paintBox(painter, placed);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(0, 0, width, height));
}

void WeeklyReportPainter::paintNonSchoolLabel(QPainter& painter, const WeeklyDayColumn& column, double height) const
{
    const double along = height - WeeklyReportLayout::dateBandHeight;
    const auto [size, label] = WeeklyReportLayout::fitLabel(WeeklyReportLayout::nonSchoolLabel(*column.day), along);
    painter.save();
    painter.setFont(pointFont(painter, size));
    painter.translate(m_layout.columnWidth() / 2, WeeklyReportLayout::dateBandHeight + along / 2);
    painter.rotate(-90);
    const QFontMetricsF metrics(painter.font(), painter.device());
    const double textWidth = metrics.horizontalAdvance(label);
    painter.drawText(QPointF(-textWidth / 2, (metrics.ascent() - metrics.descent()) / 2), label);
    painter.restore();
}

void WeeklyReportPainter::paintBox(QPainter& painter, const PlacedBox& placed) const
{
    const Course* course = placed.box->lesson ? placed.box->lesson->course() : nullptr;
    if (m_colors == Colors::Course && course)
        painter.fillRect(placed.frame, course->color());
    painter.save();
    // Only the stretch of text this frame shows: a paragraph that runs on
    // past it is drawn whole and must not spill below the frame.
    painter.translate(placed.frame.topLeft() - QPointF(0, placed.textTop));
    const QRectF shown(0, placed.textTop, placed.frame.width(), placed.textHeight);
    painter.setClipRect(shown, Qt::IntersectClip);
    drawText(painter, *placed.box->text, shown);
    painter.restore();
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(placed.frame);
}
