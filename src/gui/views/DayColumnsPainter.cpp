#include "gui/views/DayColumnsPainter.h"

#include "foundation/color/Colors.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTextDocument>

namespace {

const QColor dayColor(Qt::white);
const QColor nonSchoolColor(0xec, 0xec, 0xec);
const QColor headingColor(0xf3, 0xf4, 0xf6);
const QColor todayHeadingColor(0xff, 0xf1, 0xbf);
const QColor separatorColor(0xcf, 0xd2, 0xd6);
const QColor hourLineColor(0xe4, 0xe6, 0xe9);
const QColor messageColor(0x80, 0x80, 0x80);
const QColor textColor(0x1e, 0x1e, 0x1e);
const QColor notesColor(0xfb, 0xfa, 0xf3);

// White text on dark course colours, near-black on light ones.
QColor inkOn(const QColor& background)
{
    return qGray(background.rgb()) > 150 ? textColor : QColor(Qt::white);
}

// The top of a box outlined as a rectangle rounded at its top corners: the
// band filled without clipping to the box's outline, which costs more than
// filling the band itself.
QPainterPath roundedAtTop(const QRectF& rect, double radius)
{
    const double diameter = 2 * radius;
    QPainterPath path;
    path.moveTo(rect.bottomLeft());
    path.lineTo(rect.left(), rect.top() + radius);
    path.arcTo(QRectF(rect.left(), rect.top(), diameter, diameter), 180, -90);
    path.lineTo(rect.right() - radius, rect.top());
    path.arcTo(QRectF(rect.right() - diameter, rect.top(), diameter, diameter), 90, -90);
    path.lineTo(rect.bottomRight());
    path.closeSubpath();
    return path;
}

QString tr(const char* text)
{
    return QCoreApplication::translate("DayColumnsPainter", text);
}

} // namespace

DayColumnsPainter::DayColumnsPainter(
    QPainter& painter, const DayColumnsLayout& layout, const QFont& font, const Lesson* selected, Kept& kept)
    : m_painter(painter)
    , m_layout(layout)
    , m_font(font)
    , m_bold(font)
    , m_selected(selected)
    , m_kept(kept)
{
    m_bold.setBold(true);
}

void DayColumnsPainter::paint(const QRectF& exposed)
{
    m_painter.setRenderHint(QPainter::Antialiasing, true);
    for (const DayColumnsLayout::DayColumn& column : m_layout.columns()) {
        if (column.rect.intersects(exposed))
            paintDay(column, exposed);
    }
    paintHourLabels(exposed);
}

// The hour labels sit in the grid's left margin; the lines themselves are
// drawn with each day, under its boxes.
void DayColumnsPainter::paintHourLabels(const QRectF& exposed)
{
    const QRectF labels = m_layout.hourLabelRect();
    if (labels.isEmpty() || !labels.adjusted(0, -m_layout.lineHeight(), 0, m_layout.lineHeight()).intersects(exposed))
        return;
    m_painter.setFont(m_font);
    m_painter.setPen(messageColor);
    for (const DayColumnsLayout::HourMark& mark : m_layout.hourMarks()) {
        const QRectF text(
            0, mark.y - m_layout.lineHeight() / 2, labels.width() - m_layout.padding(), m_layout.lineHeight());
        paintLine(text, mark.label, Qt::AlignRight | Qt::AlignVCenter);
    }
}

void DayColumnsPainter::paintDay(const DayColumnsLayout::DayColumn& column, const QRectF& exposed)
{
    const bool nonSchool = column.kind == DayColumnsLayout::DayKind::NonSchool;
    m_painter.fillRect(column.rect, nonSchool ? nonSchoolColor : dayColor);
    if (!m_layout.hourLabelRect().isEmpty()) {
        m_painter.setPen(QPen(hourLineColor, 1));
        for (const DayColumnsLayout::HourMark& mark : m_layout.hourMarks())
            m_painter.drawLine(QPointF(column.rect.left(), mark.y), QPointF(column.rect.right(), mark.y));
    }
    m_painter.setPen(QPen(separatorColor, 1));
    m_painter.drawLine(column.rect.topLeft(), column.rect.bottomLeft());
    m_painter.drawLine(column.rect.bottomLeft(), column.rect.bottomRight());
    paintHeading(column);

    m_painter.setFont(m_font);
    m_painter.setPen(messageColor);
    if (!column.messageRect.isEmpty())
        m_painter.drawText(column.messageRect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, column.message);
    for (const DayColumnsLayout::LessonBox& box : column.lessons) {
        if (box.rect.intersects(exposed))
            paintBox(box);
    }
    if (!column.notesRect.isEmpty())
        paintNotes(column);
}

void DayColumnsPainter::paintHeading(const DayColumnsLayout::DayColumn& column)
{
    const QRectF rect = column.headingRect;
    m_painter.fillRect(rect, column.isToday ? todayHeadingColor : headingColor);
    m_painter.setPen(QPen(separatorColor, 1));
    m_painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    m_painter.drawLine(rect.topLeft(), rect.bottomLeft());

    const double padding = (rect.height() - (m_layout.oneLineHeadings() ? 1 : 2) * m_layout.lineHeight()) / 2;
    const QRectF inner = rect.adjusted(padding + 2, padding, -padding - 2, -padding);
    const QRectF first(inner.left(), inner.top(), inner.width(), m_layout.lineHeight());
    m_painter.setPen(textColor);
    if (m_layout.oneLineHeadings()) {
        m_painter.setFont(m_bold);
        const QString title = QStringLiteral("%1, %2").arg(column.weekday, column.date);
        paintLine(first, title, Qt::AlignLeft | Qt::AlignVCenter);
        m_painter.setFont(m_font);
        m_painter.setPen(messageColor);
        paintLine(first, column.dayType, Qt::AlignRight | Qt::AlignVCenter);
        return;
    }
    m_painter.setFont(m_bold);
    paintLine(first, column.weekday, Qt::AlignLeft | Qt::AlignVCenter);
    m_painter.setFont(m_font);
    const QRectF second = first.translated(0, m_layout.lineHeight());
    paintLine(second, column.date, Qt::AlignLeft | Qt::AlignVCenter);
    m_painter.setPen(messageColor);
    const double dateWidth = m_painter.fontMetrics().horizontalAdvance(column.date) + 8;
    paintLine(second.adjusted(dateWidth, 0, 0, 0), column.dayType, Qt::AlignRight | Qt::AlignVCenter);
}

// A pale tint of the course colour with a band of the full colour, so that
// dark text stays readable whatever colour the teacher picked.
void DayColumnsPainter::paintBox(const DayColumnsLayout::LessonBox& box)
{
    const bool selected = box.lesson == m_selected;
    const QColor fill = Colors::highlighted(box.color, 0.86f);
    // The outline is the box filled in the border's colour with the tint
    // filled inside it: two fills cost less than stroking a rounded outline.
    constexpr double radius = 4;
    const double halfBorder = selected ? 1.5 : 0.5;
    const QRectF outlined = box.rect.adjusted(0.5, 0.5, -0.5, -0.5);
    const QRectF outer = outlined.adjusted(-halfBorder, -halfBorder, halfBorder, halfBorder);
    const QRectF inner = outlined.adjusted(halfBorder, halfBorder, -halfBorder, -halfBorder);
    QPainterPath outside;
    outside.addRoundedRect(outer, radius + halfBorder, radius + halfBorder);
    m_painter.fillPath(outside, selected ? box.color.darker(160) : box.color);
    QPainterPath inside;
    inside.addRoundedRect(inner, radius - halfBorder, radius - halfBorder);
    m_painter.fillPath(inside, fill);
    const QRectF band(inner.topLeft(), QPointF(inner.right(), std::min(box.bandRect.bottom(), inner.bottom())));
    m_painter.fillPath(roundedAtTop(band, std::min(radius - halfBorder, band.height())), box.color);
    paintBand(box, inkOn(box.color));
    paintBoxText(box, fill);
}

void DayColumnsPainter::paintBand(const DayColumnsLayout::LessonBox& box, const QColor& ink)
{
    m_painter.setPen(ink);
    m_painter.setFont(m_font);
    paintLine(box.settingsRect, QStringLiteral("\u2699"), Qt::AlignCenter);
    if (!box.lockRect.isEmpty())
        paintLock(box.lockRect, ink);
    if (box.timeRect.intersects(box.bandRect)) {
        paintLine(box.timeRect, box.time, Qt::AlignRight | Qt::AlignVCenter);
    } else if (!box.timeRect.isEmpty()) {
        m_painter.setPen(messageColor);
        paintLine(box.timeRect, box.time, Qt::AlignLeft | Qt::AlignVCenter);
        m_painter.setPen(ink);
    }
    m_painter.setFont(m_bold);
    paintLine(box.nameRect, box.courseName, Qt::AlignLeft | Qt::AlignVCenter);
}

void DayColumnsPainter::paintBoxText(const DayColumnsLayout::LessonBox& box, const QColor& fill)
{
    if (!box.text || box.textRect.height() <= 0 || box.textRect.width() <= 0)
        return;
    m_kept.texts.draw(
        m_painter, box.textRect, box.text, fill, [&](QPainter& painter) { paintText(painter, box, fill); });
}

// Text that does not fit fades out over its last visible line and ends
// in an ellipsis, so that a cut never looks like the end of the plan.
void DayColumnsPainter::paintText(QPainter& painter, const DayColumnsLayout::LessonBox& box, const QColor& fill) const
{
    const QRectF area(QPointF(0, 0), box.textRect.size());
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = area;
    context.palette.setColor(QPalette::Text, textColor);
    box.text->documentLayout()->draw(&painter, context);
    if (!box.clipped)
        return;
    const double fade = std::min(area.height(), m_layout.lineHeight() * 1.2);
    const QRectF fadeRect(0, area.height() - fade, area.width(), fade);
    QLinearGradient gradient(fadeRect.topLeft(), fadeRect.bottomLeft());
    QColor clear = fill;
    clear.setAlpha(0);
    gradient.setColorAt(0, clear);
    gradient.setColorAt(0.75, fill);
    painter.fillRect(fadeRect, gradient);
    painter.setPen(textColor);
    painter.setFont(m_bold);
    painter.drawText(fadeRect.adjusted(0, 0, 0, 2), Qt::AlignRight | Qt::AlignBottom, QStringLiteral("\u2026"));
}

// A small padlock: a shackle over a body.
void DayColumnsPainter::paintLock(const QRectF& rect, const QColor& ink)
{
    const double size = std::min(rect.width(), rect.height()) * 0.55;
    const QRectF body(rect.center().x() - size / 2, rect.center().y() - size * 0.1, size, size * 0.6);
    m_painter.save();
    m_painter.setPen(QPen(ink, 1.5));
    m_painter.setBrush(Qt::NoBrush);
    const QRectF shackle(body.left() + size * 0.2, body.top() - size * 0.45, size * 0.6, size * 0.8);
    m_painter.drawArc(shackle, 0, 180 * 16);
    m_painter.drawLine(QPointF(shackle.left(), shackle.center().y()), QPointF(shackle.left(), body.top()));
    m_painter.drawLine(QPointF(shackle.right(), shackle.center().y()), QPointF(shackle.right(), body.top()));
    m_painter.setBrush(ink);
    m_painter.drawRoundedRect(body, 1.5, 1.5);
    m_painter.restore();
}

void DayColumnsPainter::paintNotes(const DayColumnsLayout::DayColumn& column)
{
    const QRectF rect = column.notesRect;
    m_painter.fillRect(rect, notesColor);
    m_painter.setPen(QPen(separatorColor, 1));
    m_painter.drawRect(rect);
    const double padding = m_layout.padding();
    const QRectF caption(
        rect.left() + padding, rect.top() + padding / 2, rect.width() - 2 * padding, m_layout.lineHeight());
    m_painter.setFont(m_bold);
    m_painter.setPen(messageColor);
    paintLine(caption, tr("Notes"), Qt::AlignLeft | Qt::AlignVCenter);
    m_painter.setFont(m_font);
    m_painter.setPen(column.notes.isEmpty() ? messageColor : textColor);
    const QRectF text(
        caption.left(), caption.bottom(), caption.width(), rect.bottom() - caption.bottom() - padding / 2);
    m_painter.drawText(text, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, column.notes);
}

void DayColumnsPainter::paintLine(const QRectF& rect, const QString& text, Qt::Alignment alignment)
{
    m_kept.lines.draw(m_painter, rect, text, alignment);
}
