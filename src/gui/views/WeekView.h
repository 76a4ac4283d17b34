#pragma once

#include <QWidget>

class DayColumnsCanvas;
class DayColumnsLayout;
class LessonBoxHandler;
class Week;
class Year;

// The week planning view: the week's days side by side, or stacked when the
// teacher prefers, with their lessons flowing in order. On a time grid the
// days always stand side by side, since time runs down the columns. A click
// on a day's heading opens that day's tools.
class WeekView : public QWidget {
public:
    explicit WeekView(QWidget* parent = nullptr);

    void setWeek(Year* year, Week* week);
    // Reads the week again, after its lessons, courses or preferences changed.
    void refresh();
    Week* week() const { return m_week; }

    DayColumnsCanvas* canvas() const { return m_canvas; }
    void setLessonBoxHandler(LessonBoxHandler* handler);
    const DayColumnsLayout* dayColumnsLayout() const;
    QSize sizeHint() const override { return { 1100, 720 }; }

private:
    Week* m_week = nullptr;
    DayColumnsCanvas* m_canvas;
};
