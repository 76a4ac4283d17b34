#include "gui/views/DayView.h"

#include "gui/views/DayColumnsCanvas.h"

DayView::DayView(QWidget* parent)
    : QWidget(parent)
{
    m_canvas = DayColumnsCanvas::createIn(this, [this] {
        DayColumnsCanvas::Content content { {}, DayColumnsLayout::Options::fromPreferences() };
        if (m_day)
            content.days.append(m_day);
        return content;
    });
}

void DayView::setDay(Year* year, Day* day)
{
    const bool sameDays = day == m_day && year == m_canvas->year();
    if (day != m_day)
        m_canvas->scrollToStart();
    m_day = day;
    m_canvas->setYear(year);
    // The selection moves within a change and shows its days again: they are
    // read once, with everything else the change tells. Other days are laid
    // out at once, so that the window sizes itself to them.
    if (sameDays)
        m_canvas->refreshLater();
    else
        refresh();
}

void DayView::refresh()
{
    m_canvas->refresh();
}

const DayColumnsLayout* DayView::dayColumnsLayout() const
{
    return m_canvas->dayColumnsLayout();
}

void DayView::setLessonBoxHandler(LessonBoxHandler* handler)
{
    m_canvas->setLessonBoxHandler(handler);
}
