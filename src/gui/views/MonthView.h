#pragma once

#include "foundation/dates/Date.h"
#include "foundation/notify/ObserverBag.h"
#include "gui/views/MonthLayout.h"

#include <QWidget>

#include <memory>

class LessonBoxHandler;
class Year;

// The month planning view: a Sunday-first grid of one month of a year with
// each date's lessons in their course colours. Clicks post the selection
// notifications the document and its side panels act on.
class MonthView : public QWidget {
public:
    explicit MonthView(QWidget* parent = nullptr);

    // Shows the month that holds `anyDayOfMonth`.
    void setMonth(Year* year, Date anyDayOfMonth);
    // Reads the year again, after its lessons, courses or preferences changed.
    void refresh();
    // Drops onto lesson rows and their context menu go to the handler.
    void setLessonBoxHandler(LessonBoxHandler* handler);

    const MonthLayout* monthLayout() const { return m_layout.get(); }
    QSize sizeHint() const override { return { 980, 720 }; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void observeDocument();
    void placeLayout();
    void post(const MonthLayout::Click& click);
    void paintHeader(QPainter& painter) const;
    void paintCell(QPainter& painter, const MonthLayout::Cell& cell) const;
    void paintLesson(QPainter& painter, const MonthLayout::LessonRow& row) const;
    void paintText(QPainter& painter, const QRectF& rect, const QString& text, Qt::Alignment alignment) const;

    Year* m_year = nullptr;
    Date m_anyDayOfMonth;
    std::unique_ptr<MonthLayout> m_layout;
    LessonBoxHandler* m_handler = nullptr;
    ObserverBag m_observers;
};
