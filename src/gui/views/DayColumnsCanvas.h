#pragma once

#include "foundation/notify/ObserverBag.h"
#include "gui/views/DayColumnsLayout.h"
#include "gui/views/DayColumnsPainter.h"
#include "gui/views/DeferredPass.h"

#include <QWidget>

#include <functional>
#include <memory>

class Lesson;
class LessonBoxHandler;
class QScrollArea;
class Year;

// The scrolling surface the day and week views draw on. It reads its days
// and options from its view on every refresh, redraws when the document
// says its lessons, courses or display preferences changed, marks the
// selected lesson and posts what a click means. It lays out what is in view
// (and a little around it) as it scrolls, keeping the lessons' texts from
// one refresh to the next until a lesson says its text changed.
//
// One change to the year can tell of hundreds of lessons, one notification
// each: the notifications only mark the layout stale, and the canvas lays
// itself out once, on the next turn of the event loop (or at its next paint
// or layout query, whichever comes first), and only while it is shown.
class DayColumnsCanvas : public QWidget {
public:
    struct Content {
        QList<Day*> days;
        DayColumnsLayout::Options options;
    };
    using ContentSource = std::function<Content()>;

    // Creates the canvas inside a scroll area that fills `view`.
    static DayColumnsCanvas* createIn(QWidget* view, ContentSource source);

    void setYear(Year* year);
    Year* year() const { return m_year; }
    // Drops onto lesson boxes and their context menu go to the handler.
    void setLessonBoxHandler(LessonBoxHandler* handler);
    // Reads the days again and lays them out, at once.
    void refresh();
    // Reads the days again with the next layout pass, after whatever else
    // the document is told in this turn of the event loop.
    void refreshLater();
    // Shows the top left, as when the view moves to other days.
    void scrollToStart();

    // The layout as it is drawn, brought up to date first.
    const DayColumnsLayout* dayColumnsLayout();
    // How often the boxes were placed; each pass costs a walk over the
    // shown part of the days.
    int layoutPasses() const { return m_layoutPasses; }
    Lesson* selectedLesson() const { return m_selected; }
    QScrollArea* scrollArea() const { return m_scrollArea; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // The scroll area scrolls by moving the canvas.
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    DayColumnsCanvas(QScrollArea* scrollArea, ContentSource source);

    void observeDocument();
    void select(Lesson* lesson);
    void revealSelected();
    void refreshLesson(const Lesson* lesson);
    // Asks for one pass on the next turn of the event loop, however often
    // it is called before.
    void scheduleLayout();
    // Does what was asked for since the last pass.
    void bringUpToDate();
    // Places the layout again when the size changed or the visible part
    // reaches beyond what was laid out.
    void placeLayout();
    void place(DayColumnsLayout::VerticalRange shown);
    // The lesson's box laid out, so that its place is no estimate.
    const DayColumnsLayout::LessonBox* laidOutBox(const Lesson* lesson);
    static void post(const DayColumnsLayout::Click& click);
    Lesson* lessonAt(QPointF point);
    // A lesson with content can be dragged onto a unit of its course.
    void startDrag(const Lesson& lesson);

    QScrollArea* m_scrollArea;
    ContentSource m_source;
    Year* m_year = nullptr;
    Lesson* m_selected = nullptr;
    LessonBoxHandler* m_handler = nullptr;
    // Where the button went down on a lesson that may be dragged.
    QPointF m_pressPoint;
    Lesson* m_pressedLesson = nullptr;
    LessonBoxCache m_texts;
    DayColumnsPainter::Kept m_kept;
    std::unique_ptr<DayColumnsLayout> m_layout;
    // The width and visible height the layout was placed for, and the part
    // of it that was laid out.
    QSizeF m_placedFor;
    DayColumnsLayout::VerticalRange m_laidOut;
    bool m_daysStale = false;
    DeferredPass m_pass;
    // The selection was set while the layout was stale: it is scrolled into
    // view once the boxes have their places.
    bool m_revealPending = false;
    int m_layoutPasses = 0;
    ObserverBag m_observers;
};
