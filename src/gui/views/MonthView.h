#pragma once

#include "foundation/dates/Date.h"
#include "foundation/notify/ObserverBag.h"
#include "gui/views/DeferredPass.h"
#include "gui/views/MonthLayout.h"

#include <QSet>
#include <QWidget>

#include <memory>

class Day;
class Lesson;
class LessonBoxHandler;
class Year;

// The month planning view: a Sunday-first grid of one month of a year with
// each date's lessons in their course colours. Clicks post the selection
// notifications the document and its side panels act on.
//
// Notifications only mark what is stale: a lesson's text marks its day's
// cell, anything else the whole month. The view brings itself up to date
// once, on the next turn of the event loop (or at its next paint or layout
// query), and only while it is shown; a day's cell is read again alone.
class MonthView : public QWidget {
public:
    explicit MonthView(QWidget* parent = nullptr);

    // Shows the month that holds `anyDayOfMonth`.
    void setMonth(Year* year, Date anyDayOfMonth);
    // Reads the year again, after its lessons, courses or preferences changed,
    // at once.
    void refresh();
    // Drops onto lesson rows and their context menu go to the handler.
    void setLessonBoxHandler(LessonBoxHandler* handler);

    // The layout as it is drawn, brought up to date first.
    const MonthLayout* monthLayout();
    // How often the whole month was read; cells read alone do not count.
    int monthReads() const { return m_monthReads; }
    QSize sizeHint() const override { return { 980, 720 }; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void observeDocument();
    void refreshLater();
    void refreshDayLater(const Lesson* lesson);
    // Asks for one update on the next turn of the event loop, however often
    // it is called before.
    void scheduleUpdate();
    void bringUpToDate();
    void placeLayout();
    Lesson* lessonAt(QPointF point);
    void post(const MonthLayout::Click& click);
    void paintHeader(QPainter& painter) const;
    void paintCell(QPainter& painter, const MonthLayout::Cell& cell) const;
    void paintLesson(QPainter& painter, const MonthLayout::LessonRow& row) const;
    void paintText(QPainter& painter, const QRectF& rect, const QString& text, Qt::Alignment alignment) const;

    Year* m_year = nullptr;
    Date m_anyDayOfMonth;
    std::unique_ptr<MonthLayout> m_layout;
    LessonBoxHandler* m_handler = nullptr;
    bool m_monthStale = false;
    QSet<const Day*> m_staleDays;
    DeferredPass m_pass;
    int m_monthReads = 0;
    ObserverBag m_observers;
};
