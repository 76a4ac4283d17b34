#pragma once

#include <QStyledItemDelegate>

// Draws the course list's rows: the group row as a heading, a course row
// with a check box in the course's colour, a unit row as plain text.
class CourseSourceListDelegate : public QStyledItemDelegate {
public:
    static constexpr int rowHeight = 18;

    using QStyledItemDelegate::QStyledItemDelegate;

    // Where a course row of `itemRect` draws its check box and its name.
    static QRect checkBoxRect(const QRect& itemRect);
    static QRect courseTextRect(const QRect& itemRect);
    // A little larger than the box, so that a hurried click still counts.
    static bool hitsCheckBox(const QRect& itemRect, QPoint point);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void updateEditorGeometry(
        QWidget* editor, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
        const QModelIndex& index) override;

private:
    void paintGroup(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const;
    void paintCourse(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const;
    void paintText(
        QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index, const QRect& rect) const;
    static void paintCheckBox(QPainter* painter, const QRect& rect, const QColor& color, bool checked);
};
