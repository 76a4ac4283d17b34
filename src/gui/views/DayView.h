#pragma once

#include <QWidget>

class Day;
class DayColumnsCanvas;
class DayColumnsLayout;
class LessonBoxHandler;
class Year;

// The day planning view: one day across the whole width with its lessons
// one under another, its notes and its heading.
class DayView : public QWidget {
public:
    explicit DayView(QWidget* parent = nullptr);

    void setDay(Year* year, Day* day);
    // Reads the day again, after its lessons, courses or preferences changed.
    void refresh();
    Day* day() const { return m_day; }

    DayColumnsCanvas* canvas() const { return m_canvas; }
    void setLessonBoxHandler(LessonBoxHandler* handler);
    const DayColumnsLayout* dayColumnsLayout() const;
    QSize sizeHint() const override { return { 720, 720 }; }

private:
    Day* m_day = nullptr;
    DayColumnsCanvas* m_canvas;
};
