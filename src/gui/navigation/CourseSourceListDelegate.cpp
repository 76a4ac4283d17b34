#include "gui/navigation/CourseSourceListDelegate.h"

#include "gui/navigation/CourseSourceListModel.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int checkBoxSize = 12;
constexpr int padding = 4;
const QColor groupColor(0x6e, 0x6e, 0x6e);

CourseSourceListModel::RowKind kindOf(const QModelIndex& index)
{
    return CourseSourceListModel::RowKind(index.data(CourseSourceListModel::rowKindRole).toInt());
}

} // namespace

QRect CourseSourceListDelegate::checkBoxRect(const QRect& itemRect)
{
    return { itemRect.left() + padding, itemRect.center().y() - checkBoxSize / 2 + 1, checkBoxSize, checkBoxSize };
}

QRect CourseSourceListDelegate::courseTextRect(const QRect& itemRect)
{
    return itemRect.adjusted(padding + checkBoxSize + padding + 1, 0, 0, 0);
}

bool CourseSourceListDelegate::hitsCheckBox(const QRect& itemRect, QPoint point)
{
    return checkBoxRect(itemRect).adjusted(-2, -2, 2, 2).contains(point);
}

QSize CourseSourceListDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    return { QStyledItemDelegate::sizeHint(option, index).width() + checkBoxSize + 2 * padding, rowHeight };
}

void CourseSourceListDelegate::paint(
    QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    switch (kindOf(index)) {
    case CourseSourceListModel::RowKind::Group:
        paintGroup(painter, option, index);
        break;
    case CourseSourceListModel::RowKind::Course:
        paintCourse(painter, option, index);
        break;
    default:
        paintText(painter, option, index, option.rect.adjusted(padding, 0, 0, 0));
        break;
    }
}

void CourseSourceListDelegate::paintGroup(
    QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QFont font = option.font;
    font.setBold(true);
    font.setCapitalization(QFont::AllUppercase);
    font.setPointSizeF(font.pointSizeF() * 0.85);
    painter->save();
    painter->setFont(font);
    painter->setPen(groupColor);
    painter->drawText(option.rect.adjusted(padding, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
        index.data(Qt::DisplayRole).toString());
    painter->restore();
}

void CourseSourceListDelegate::paintCourse(
    QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QColor color = index.data(Qt::DecorationRole).value<QColor>();
    const bool checked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    paintText(painter, option, index, courseTextRect(option.rect));
    paintCheckBox(painter, checkBoxRect(option.rect), color, checked);
}

// The row's selection background, then its text, elided to fit.
void CourseSourceListDelegate::paintText(
    QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index, const QRect& rect) const
{
    QStyleOptionViewItem panel = option;
    initStyleOption(&panel, index);
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &panel, painter, widget);

    const bool selected = option.state & QStyle::State_Selected;
    const QVariant foreground = index.data(Qt::ForegroundRole);
    QColor color = option.palette.color(QPalette::Text);
    if (selected)
        color = option.palette.color(QPalette::HighlightedText);
    else if (foreground.isValid())
        color = foreground.value<QColor>();
    painter->save();
    painter->setFont(option.font);
    painter->setPen(color);
    const QRect textRect = rect.adjusted(0, 0, -padding, 0);
    const QString text = option.fontMetrics.elidedText(
        index.data(Qt::DisplayRole).toString(), Qt::ElideRight, std::max(0, textRect.width()));
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, text);
    painter->restore();
}

// Filled with the course's colour and ticked in white when the course is
// shown; an outline in its colour when it is hidden.
void CourseSourceListDelegate::paintCheckBox(QPainter* painter, const QRect& rect, const QColor& color, bool checked)
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect).adjusted(0.75, 0.75, -0.75, -0.75);
    QPainterPath outline;
    outline.addRoundedRect(box, 3, 3);
    painter->fillPath(outline, checked ? color : QColor(Qt::white));
    painter->setPen(QPen(color.darker(115), 1.5));
    painter->drawPath(outline);
    if (checked) {
        QPainterPath tick;
        tick.moveTo(box.left() + box.width() * 0.22, box.top() + box.height() * 0.52);
        tick.lineTo(box.left() + box.width() * 0.42, box.top() + box.height() * 0.74);
        tick.lineTo(box.left() + box.width() * 0.78, box.top() + box.height() * 0.28);
        painter->setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter->drawPath(tick);
    }
    painter->restore();
}

void CourseSourceListDelegate::updateEditorGeometry(
    QWidget* editor, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    if (kindOf(index) == CourseSourceListModel::RowKind::Course)
        editor->setGeometry(courseTextRect(option.rect));
    else
        QStyledItemDelegate::updateEditorGeometry(editor, option, index);
}

// The view handles the mouse on course rows, check box included, so that a
// click is acted on once; the keyboard toggle stays with the base class.
bool CourseSourceListDelegate::editorEvent(
    QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option, const QModelIndex& index)
{
    const auto type = event->type();
    const bool mouse
        = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease || type == QEvent::MouseButtonDblClick;
    if (mouse && kindOf(index) == CourseSourceListModel::RowKind::Course)
        return false;
    return QStyledItemDelegate::editorEvent(event, model, option, index);
}
