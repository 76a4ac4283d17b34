#include "gui/views/WeekView.h"

#include "foundation/prefs/Preferences.h"
#include "gui/views/DayColumnsCanvas.h"
#include "model/Week.h"
#include "planning/DisplayPreferences.h"

namespace {

DayColumnsLayout::Options weekOptions(const Week& week)
{
    DayColumnsLayout::Options options = DayColumnsLayout::Options::fromPreferences();
    options.headings = DayColumnsLayout::Headings::OpenDayTools;
    const Preferences& preferences = Preferences::shared();
    if (preferences.boolValue(DisplayPreferences::showDaysVertically))
        options.arrangement = DayColumnsLayout::Arrangement::Stacked;
    if (preferences.boolValue(DisplayPreferences::showDaysWithTimes))
        options.timeGrid = DayColumnsLayout::TimeSpan { week.earliestLessonStartTime(), week.latestLessonEndTime() };
    return options;
}

} // namespace

WeekView::WeekView(QWidget* parent)
    : QWidget(parent)
{
    m_canvas = DayColumnsCanvas::createIn(this, [this] {
        if (!m_week)
            return DayColumnsCanvas::Content { {}, DayColumnsLayout::Options::fromPreferences() };
        return DayColumnsCanvas::Content { m_week->daysInOrder(), weekOptions(*m_week) };
    });
}

void WeekView::setWeek(Year* year, Week* week)
{
    const bool sameDays = week == m_week && year == m_canvas->year();
    if (week != m_week)
        m_canvas->scrollToStart();
    m_week = week;
    m_canvas->setYear(year);
    // The selection moves within a change and shows its days again: they are
    // read once, with everything else the change tells. Other days are laid
    // out at once, so that the window sizes itself to them.
    if (sameDays)
        m_canvas->refreshLater();
    else
        refresh();
}

void WeekView::refresh()
{
    m_canvas->refresh();
}

const DayColumnsLayout* WeekView::dayColumnsLayout() const
{
    return m_canvas->dayColumnsLayout();
}

void WeekView::setLessonBoxHandler(LessonBoxHandler* handler)
{
    m_canvas->setLessonBoxHandler(handler);
}
