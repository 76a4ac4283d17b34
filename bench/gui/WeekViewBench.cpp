#include "cli/DemoYearFiller.h"
#include "foundation/alerts/AlertPresenter.h"
#include "foundation/notify/NotificationCenter.h"
#include "foundation/prefs/Preferences.h"
#include "gui/views/DayColumnsCanvas.h"
#include "gui/views/WeekView.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/SemestraRecords.h"
#include "model/Week.h"
#include "model/Year.h"
#include "planning/DisplayPreferences.h"
#include "planning/PlanningNotifications.h"
#include "store/ObjectContext.h"

#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// Takes the default answer; the demo request never asks anything.
class DefaultAnswers : public AlertPresenter {
public:
    int runModal(const Alert&) override { return 1; }
};

// Preferences in a folder of their own, so that a run never changes the
// user's.
class BenchPreferences {
public:
    BenchPreferences()
        : m_preferences(
            std::make_unique<QSettings>(m_folder.filePath(QStringLiteral("bench.ini")), QSettings::IniFormat))
    {
        m_preferences.registerShippedDefaults();
        Preferences::setShared(&m_preferences);
    }
    ~BenchPreferences() { Preferences::setShared(nullptr); }

    Preferences& preferences() { return m_preferences; }

private:
    QTemporaryDir m_folder;
    Preferences m_preferences;
};

// The command line's demo year with four sections of every subject: 24
// courses a day, every lesson filled, each meeting 40 minutes from 7:30.
struct DemoYear {
    DemoYear()
    {
        DefaultAnswers answers;
        year = DemoYearFiller::buildYear(*context, answers, 4);
        for (Day* day : year->getAllDaysOrderedAscending()) {
            int minute = 7 * 60 + 30;
            for (Lesson* lesson : day->lessonsInOrder()) {
                lesson->setDate(u"startTime", day->actualDate().addingSeconds(minute * 60.0));
                lesson->setDate(u"endTime", day->actualDate().addingSeconds((minute + 40) * 60.0));
                minute += 25;
            }
        }
    }

    std::unique_ptr<ObjectContext> context = SemestraRecords::newContext();
    Year* year = nullptr;
};

DemoYear& demoYear()
{
    static DemoYear year;
    return year;
}

// The next week, and after the last one the first again.
Week* weekAfter(Week* week)
{
    Year* year = demoYear().year;
    Week* next = year->getWeekWithWeekNumber(week->weekNumber() + 2);
    return next == week ? year->getFirstWeek() : next;
}

// The canvas takes its new height, and the scroll bar its new range, as the
// event loop would let them before the next paint.
void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
}

void render(WeekView& view, QImage& image)
{
    QPainter painter(&image);
    view.render(&painter);
}

struct Fixture {
    Fixture()
    {
        view.resize(1200, 800);
        view.setWeek(demoYear().year, demoYear().year->getWeekWithDate(demoYear().year->startDate()));
        view.show();
    }

    BenchPreferences preferences;
    WeekView view;
    QImage image { 1200, 800, QImage::Format_ARGB32_Premultiplied };
};

void RefreshAndRender(benchmark::State& state)
{
    Fixture fixture;
    for (auto _ : state) {
        fixture.view.refresh();
        render(fixture.view, fixture.image);
    }
}
BENCHMARK(RefreshAndRender)->Unit(benchmark::kMillisecond);

void NextWeekAndRender(benchmark::State& state)
{
    Fixture fixture;
    for (auto _ : state) {
        fixture.view.setWeek(demoYear().year, weekAfter(fixture.view.week()));
        render(fixture.view, fixture.image);
    }
}
BENCHMARK(NextWeekAndRender)->Unit(benchmark::kMillisecond);

// A page down a week that was just shown, as far as its end, then the next
// week (untimed): the boxes that come into view are laid out on the way.
void ScrollPageAndRender(benchmark::State& state)
{
    Fixture fixture;
    QScrollBar* bar = fixture.view.canvas()->scrollArea()->verticalScrollBar();
    for (auto _ : state) {
        if (bar->value() == bar->maximum()) {
            state.PauseTiming();
            fixture.view.setWeek(demoYear().year, weekAfter(fixture.view.week()));
            settle();
            state.ResumeTiming();
        }
        bar->setValue(bar->value() + bar->pageStep());
        settle();
        render(fixture.view, fixture.image);
    }
}
BENCHMARK(ScrollPageAndRender)->Unit(benchmark::kMillisecond);

// Each iteration switches the time grid on or off, as the menu item does.
void ToggleTimesAndRender(benchmark::State& state)
{
    Fixture fixture;
    for (auto _ : state) {
        fixture.preferences.preferences().toggle(DisplayPreferences::showDaysWithTimes);
        NotificationCenter::defaultCenter().post(PlanningNotifications::planningModesNeedRefresh);
        render(fixture.view, fixture.image);
    }
}
BENCHMARK(ToggleTimesAndRender)->Unit(benchmark::kMillisecond);

// Painting alone, as when the window is uncovered or scrolled: the layout
// is kept from the last refresh.
void RenderOnly(benchmark::State& state)
{
    Fixture fixture;
    fixture.preferences.preferences().setValue(DisplayPreferences::showDaysWithTimes, true);
    fixture.view.refresh();
    for (auto _ : state)
        render(fixture.view, fixture.image);
}
BENCHMARK(RenderOnly)->Unit(benchmark::kMillisecond);

} // namespace
