#pragma once

#include "foundation/notify/ObserverBag.h"
#include "gui/views/DayColumnsLayout.h"

#include <QWidget>

#include <functional>
#include <memory>

class Lesson;
class QScrollArea;
class Year;

// The scrolling surface the day and week views draw on. It reads its days
// and options from its view on every refresh, redraws when the document
// says its lessons, courses or display preferences changed, marks the
// selected lesson and posts what a click means.
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
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    DayColumnsCanvas(QScrollArea* scrollArea, ContentSource source);

    void observeDocument();
    void select(Lesson* lesson);
    void refreshLesson(const Lesson* lesson);
    void placeLayout();
    static void post(const DayColumnsLayout::Click& click);
    // A lesson with content can be dragged onto a unit of its course.
    void startDrag(const Lesson& lesson);

    QScrollArea* m_scrollArea;
    ContentSource m_source;
    Year* m_year = nullptr;
    Lesson* m_selected = nullptr;
    // Where the button went down on a lesson that may be dragged.
    QPointF m_pressPoint;
    Lesson* m_pressedLesson = nullptr;
    std::unique_ptr<DayColumnsLayout> m_layout;
    // The width and visible height the layout was placed for.
    QSizeF m_placedFor;
    ObserverBag m_observers;
};
