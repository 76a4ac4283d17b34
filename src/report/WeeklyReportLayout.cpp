#include "report/WeeklyReportLayout.h"

#include "foundation/dates/DateFormatting.h"
#include "foundation/richtext/RtfReader.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/LessonReportInformation.h"
#include "model/Week.h"
#include "model/Year.h"
#include "report/LessonReportText.h"
#include "report/ReportFonts.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <optional>

WeeklyReportLayout::WeeklyReportLayout(Week& week, LessonReportInformation& settings)
    : m_week(week)
    , m_settings(settings)
{ }

WeeklyReportLayout::~WeeklyReportLayout() = default;

void WeeklyReportLayout::reload(double width)
{
    m_width = width;
    m_columns.clear();
    m_header.reset();
    const QByteArray rtf = m_settings.header(QStringLiteral("weeklyReportHeader"));
    if (!rtf.isEmpty()) {
        m_header = ReportFonts::newDocument();
        RtfReader::read(rtf, m_header.get());
        for (QTextBlock block = m_header->begin(); block.isValid(); block = block.next()) {
            QTextBlockFormat centred = block.blockFormat();
            centred.setAlignment(Qt::AlignHCenter);
            QTextCursor(block).setBlockFormat(centred);
        }
        m_header->setTextWidth(width);
    }
    for (Day* day : m_week.daysInOrder()) {
        WeeklyDayColumn column;
        column.day = day;
        for (Lesson* lesson : day->lessonsToDrawInOrder())
            column.boxes.push_back({ lesson, LessonReportText::attributedStringForWeeklyReport(*lesson), 0, 0 });
        m_columns.push_back(std::move(column));
    }
    sizeBoxes();
}

double WeeklyReportLayout::columnWidth() const
{
    return m_columns.empty() ? m_width : m_width / double(m_columns.size());
}

double WeeklyReportLayout::headerHeight() const
{
    return m_header ? m_header->size().height() : 0;
}

double WeeklyReportLayout::headerBand() const
{
    return m_header ? headerHeight() + headerGap : 0;
}

double WeeklyReportLayout::canvasHeight(double visibleHeight) const
{
    return std::max(m_maxDayViewHeight + headerBand(), visibleHeight);
}

void WeeklyReportLayout::sizeBoxes()
{
    const bool fixed = m_settings.value<bool>(u"weeklyReportFixLessonSize");
    double maxHeight = 0;
    for (WeeklyDayColumn& column : m_columns) {
        for (WeeklyLessonBox& box : column.boxes) {
            box.text->setTextWidth(columnWidth());
            box.desiredSize = box.text->size().height() + 5;
            box.currentSize = box.desiredSize;
            maxHeight = std::max(maxHeight, box.desiredSize);
        }
    }
    m_maxDayViewHeight = dateBandHeight;
    for (WeeklyDayColumn& column : m_columns) {
        double height = dateBandHeight;
        for (WeeklyLessonBox& box : column.boxes) {
            if (fixed)
                box.currentSize = maxHeight;
            height += box.currentSize;
        }
        m_maxDayViewHeight = std::max(m_maxDayViewHeight, height);
    }
}

QList<PlacedBox> WeeklyReportLayout::boxesOnCanvas(const WeeklyDayColumn& column) const
{
    QList<PlacedBox> placed;
    double y = dateBandHeight;
    for (const WeeklyLessonBox& box : column.boxes) {
        placed.append({ &box, QRectF(0, y, columnWidth(), box.currentSize), 0, box.currentSize });
        y += box.currentSize;
    }
    return placed;
}

double WeeklyReportLayout::lessonArea(double pageHeight) const
{
    return pageHeight - (headerBand() + dateBandHeight);
}

QList<WeeklyReportLayout::BoxPart> WeeklyReportLayout::partsOf(const WeeklyDayColumn& column, double area)
{
    QList<BoxPart> parts;
    for (int index = 0; index < int(column.boxes.size()); ++index) {
        const WeeklyLessonBox& box = column.boxes[size_t(index)];
        const QList<double> tops
            = box.currentSize > area ? partTops(*box.text, box.currentSize, area) : QList<double> { 0 };
        for (qsizetype part = 0; part < tops.size(); ++part) {
            const double end = part + 1 < tops.size() ? tops[part + 1] : box.currentSize;
            parts.append({ index, tops[part], end - tops[part] });
        }
    }
    return parts;
}

QList<double> WeeklyReportLayout::heightsOf(const QList<BoxPart>& parts)
{
    QList<double> heights;
    for (const BoxPart& part : parts)
        heights.append(part.height);
    return heights;
}

namespace {

// The top of the text's first line that ends below `bottom`, if any.
std::optional<double> firstLineEndingBelow(const QTextDocument& text, double bottom)
{
    for (QTextBlock block = text.begin(); block.isValid(); block = block.next()) {
        const double blockTop = text.documentLayout()->blockBoundingRect(block).top();
        const QTextLayout* lines = block.layout();
        for (int i = 0; lines && i < lines->lineCount(); ++i) {
            const QTextLine line = lines->lineAt(i);
            if (blockTop + line.y() + line.height() > bottom)
                return blockTop + line.y();
        }
    }
    return std::nullopt;
}

} // namespace

QList<double> WeeklyReportLayout::partTops(const QTextDocument& text, double height, double area)
{
    QList<double> tops { 0 };
    if (area <= 0)
        return tops;
    while (height - tops.last() > area) {
        const double pageEnd = tops.last() + area;
        const std::optional<double> crossing = firstLineEndingBelow(text, pageEnd);
        // A line taller than a page, or the margin below the last line, is
        // cut at the page's end.
        tops.append(crossing && *crossing > tops.last() ? *crossing : pageEnd);
    }
    return tops;
}

QList<QList<int>> WeeklyReportLayout::splitIntoPages(const QList<double>& sizes, double area)
{
    QList<QList<int>> pages;
    QList<int> page;
    double total = 0;
    for (int i = 0; i < sizes.size(); ++i) {
        if (sizes[i] > area) {
            if (!page.isEmpty())
                pages.append(page);
            pages.append(QList<int> { i });
            page.clear();
            total = 0;
            continue;
        }
        total += sizes[i];
        if (total > area) {
            pages.append(page);
            page.clear();
            total = sizes[i];
        }
        page.append(i);
    }
    if (!page.isEmpty())
        pages.append(page);
    return pages;
}

int WeeklyReportLayout::pageCount(double pageHeight) const
{
    const double area = lessonArea(pageHeight);
    qsizetype pages = 1;
    for (const WeeklyDayColumn& column : m_columns)
        pages = std::max(pages, splitIntoPages(heightsOf(partsOf(column, area)), area).size());
    return int(pages);
}

QList<PlacedBox> WeeklyReportLayout::boxesOnPage(const WeeklyDayColumn& column, int page, double pageHeight) const
{
    const double area = lessonArea(pageHeight);
    const QList<BoxPart> parts = partsOf(column, area);
    const QList<QList<int>> pages = splitIntoPages(heightsOf(parts), area);
    QList<PlacedBox> placed;
    if (page < 1 || page > pages.size())
        return placed;
    double y = dateBandHeight;
    for (int index : pages[page - 1]) {
        const BoxPart& part = parts[index];
        placed.append(
            { &column.boxes[size_t(part.box)], QRectF(0, y, columnWidth(), part.height), part.top, part.height });
        y += part.height;
    }
    // The column's outline runs down to the bottom of the lesson area.
    QRectF& last = placed.last().frame;
    last.setBottom(dateBandHeight + area);
    return placed;
}

QString WeeklyReportLayout::dateText(const Day& day)
{
    QString text = QStringLiteral("%1. %2").arg(DateFormatting::formatPattern(day.actualDate(), QStringLiteral("E")),
        DateFormatting::formatDateStyle(day.actualDate(), DateFormatting::DateStyle::Medium));
    const Year* year = day.year();
    if (year && !year->isNonRotating())
        text += QStringLiteral(" - %1").arg(day.rotationString());
    if (day.isCustom() && !day.holidayName().trimmed().isEmpty())
        text += QStringLiteral(" - %1").arg(day.holidayName());
    return text;
}

QString WeeklyReportLayout::nonSchoolLabel(const Day& day)
{
    if (!day.holidayName().trimmed().isEmpty())
        return day.holidayName();
    return day.isCancelled() ? QStringLiteral("No School - Cancelled") : QStringLiteral("No School - Holiday");
}

std::pair<double, QString> WeeklyReportLayout::fitLabel(const QString& label, double available)
{
    double size = labelFontSize;
    auto widthAt = [&label](double points) { return QFontMetricsF(ReportFonts::font(points), ReportFonts::pointDevice()).horizontalAdvance(label); };
    while (widthAt(size) > available && size - 4 >= smallestLabelFontSize)
        size -= 4;
    if (widthAt(size) <= available)
        return { size, label };
    const QFontMetricsF metrics(ReportFonts::font(size), ReportFonts::pointDevice());
    return { size, metrics.elidedText(label, Qt::ElideRight, std::max(0.0, available)) };
}
