#pragma once

#include "foundation/notify/ObserverBag.h"
#include "gui/views/DayColumnsLayout.h"

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
    // Drops onto lesson boxes and their context menu go to the handler.
    void setLessonBoxHandler(LessonBoxHandler* handler);
    // Reads the days again and lays them out.
    void refresh();
    // Shows the top left, as when the view moves to other days.
    void scrollToStart();

    const DayColumnsLayout* dayColumnsLayout() const { return m_layout.get(); }
    Lesson* selectedLesson() const { return m_selected; }
    QScrollArea* scrollArea() const { return m_scrollArea; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // The scroll area scrolls by moving the canvas.
    void moveEvent(QMoveEvent* event) override;
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
    void refreshLesson(const Lesson* lesson);
    // Places the layout again when the size changed or the visible part
    // reaches beyond what was laid out.
    void placeLayout();
    void place(DayColumnsLayout::VerticalRange shown);
    // The lesson's box laid out, so that its place is no estimate.
    const DayColumnsLayout::LessonBox* laidOutBox(const Lesson* lesson);
    static void post(const DayColumnsLayout::Click& click);
    Lesson* lessonAt(QPointF point) const;
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
    std::unique_ptr<DayColumnsLayout> m_layout;
    // The width and visible height the layout was placed for, and the part
    // of it that was laid out.
    QSizeF m_placedFor;
    DayColumnsLayout::VerticalRange m_laidOut;
    ObserverBag m_observers;
};
