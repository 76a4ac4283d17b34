#include "report/ReportPdf.h"

#include "model/LessonReportInformation.h"
#include "report/ReportFonts.h"
#include "report/WeeklyReportLayout.h"
#include "report/WeeklyReportPainter.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>


namespace {

// Sets the page up and starts a painter whose units are points from the
// top left of the printable area.
bool beginPage(QPainter& painter, QPagedPaintDevice& device, QPageLayout::Orientation orientation,
    const QMarginsF& margins)
{
    device.setPageOrientation(orientation);
    device.setPageMargins(margins, QPageLayout::Point);
    if (!painter.begin(&device))
        return false;
    const double scale = device.logicalDpiX() / 72.0;
    painter.scale(scale, scale);
    return true;
}

QSizeF printableSize(const QPagedPaintDevice& device)
{
    return device.pageLayout().paintRect(QPageLayout::Point).size();
}

} // namespace

Status ReportPdf::write(const QString& path, const std::function<bool(QPagedPaintDevice&)>& print)
{
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setPageSize(QPageSize(QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                                                : QPageSize::A4));
        writer.setCreator(QStringLiteral("Semestra"));
        writer.setTitle(QStringLiteral("Lesson Plans"));
        if (!print(writer))
            return Status::failure(QStringLiteral("The report could not be drawn."));
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Status::failure(QStringLiteral("Could not write %1: %2").arg(path, file.errorString()));
    if (file.write(pdf.data()) != pdf.data().size() || !file.commit())
        return Status::failure(QStringLiteral("Could not write %1: %2").arg(path, file.errorString()));
    return Status::success();
}

bool ReportPdf::printWeekly(Week& week, LessonReportInformation& settings, QPagedPaintDevice& device)
{
    QPainter painter;
    if (!beginPage(painter, device, QPageLayout::Landscape, QMarginsF(20, 40, 20, 40)))
        return false;
    const QSizeF printable = printableSize(device);
    const double pageHeight = printable.height() - weeklyBottomReserve;
    WeeklyReportLayout layout(week, settings);
    layout.reload(printable.width());
    const WeeklyReportPainter drawing(layout,
        settings.value<bool>(u"weeklyReportShowColors") ? WeeklyReportPainter::Colors::Course
                                                        : WeeklyReportPainter::Colors::Plain);
    const int pages = layout.pageCount(pageHeight);
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            device.newPage();
        drawing.paintPage(painter, page, pageHeight);
    }
    return painter.end();
}

bool ReportPdf::printText(QTextDocument& text, QPagedPaintDevice& device)
{
    QPainter painter;
    if (!beginPage(painter, device, QPageLayout::Portrait, QMarginsF(20, 40, 20, 40)))
        return false;
    const QSizeF page = printableSize(device);
    text.documentLayout()->setPaintDevice(ReportFonts::pointDevice());
    text.setPageSize(page);
    const int pages = std::max(1, text.pageCount());
    for (int index = 0; index < pages; ++index) {
        if (index > 0)
            device.newPage();
        painter.save();
        const QRectF shown(0, index * page.height(), page.width(), page.height());
        painter.translate(0, -shown.top());
        painter.setClipRect(shown);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = shown;
        context.palette.setColor(QPalette::Text, Qt::black);
        text.documentLayout()->draw(&painter, context);
        painter.restore();
    }
    return painter.end();
}

Status ReportPdf::writeWeekly(Week& week, LessonReportInformation& settings, const QString& path)
{
    return write(path, [&](QPagedPaintDevice& device) { return printWeekly(week, settings, device); });
}

Status ReportPdf::writeText(QTextDocument& text, const QString& path)
{
    return write(path, [&](QPagedPaintDevice& device) { return printText(text, device); });
}
