#include "calsync/CalendarFileStore.h"
#include "calsync/ICalSyncController.h"
#include "cli/DemoYearFiller.h"
#include "foundation/alerts/AlertPresenter.h"
#include "foundation/prefs/Preferences.h"
#include "model/Lesson.h"
#include "model/SemestraRecords.h"
#include "model/Year.h"
#include "store/ObjectContext.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <libical/ical.h>

// Calendar sync of the command line's demo year at twice a real year's size
// into calendar files, against libical alone writing the same events into
// files of the same layout; and a changes-only sync after one lesson changed,
// counting the events it writes (one is right).
namespace {

class DefaultAnswers : public AlertPresenter {
public:
    int runModal(const Alert&) override { return 1; }
};

struct DemoYear {
    DemoYear()
        : preferences(
            std::make_unique<QSettings>(settingsFolder.filePath(QStringLiteral("bench.ini")), QSettings::IniFormat))
    {
        Preferences::setShared(&preferences);
        year = DemoYearFiller::buildYear(*context, answers, 2);
        if (!year)
            qFatal("the demo year could not be built");
    }

    static DemoYear& shared()
    {
        static DemoYear demo;
        return demo;
    }

    QTemporaryDir settingsFolder;
    Preferences preferences;
    DefaultAnswers answers;
    std::unique_ptr<ObjectContext> context = SemestraRecords::newContext();
    Year* year = nullptr;
};

CalendarSyncCounts syncInto(const QString& folder, bool changesOnly, int* writes = nullptr)
{
    DemoYear& demo = DemoYear::shared();
    ICalSyncController controller(*demo.year, demo.answers);
    if (changesOnly)
        controller.syncChangesToiCal();
    else
        controller.syncAllToiCal();
    CalendarFileStore store(folder);
    const CalendarSyncCounts counts = controller.startSync(store);
    if (writes)
        *writes = store.writes();
    return counts;
}

void BM_FullSyncToCalendarFiles(benchmark::State& state)
{
    int events = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir folder;
        state.ResumeTiming();
        const CalendarSyncCounts counts = syncInto(folder.path(), false);
        events = counts.written;
    }
    state.counters["events"] = events;
}
BENCHMARK(BM_FullSyncToCalendarFiles)->Unit(benchmark::kMillisecond);

// The same events, built and written with libical and nothing else.
icalcomponent* plainEvent(const CalendarEvent& event, icaltimezone* zone)
{
    icalcomponent* vevent = icalcomponent_new_vevent();
    icalcomponent_add_property(vevent, icalproperty_new_uid(event.uid.toUtf8().constData()));
    icalcomponent_add_property(
        vevent, icalproperty_new_dtstamp(icaltime_current_time_with_zone(icaltimezone_get_utc_timezone())));
    icalcomponent_add_property(vevent, icalproperty_new_summary(event.title.toUtf8().constData()));
    if (!event.notes.isEmpty())
        icalcomponent_add_property(vevent, icalproperty_new_description(event.notes.toUtf8().constData()));
    icaltimetype start = icaltime_null_time();
    start.year = event.start.year;
    start.month = event.start.month;
    start.day = event.start.day;
    start.is_date = event.allDay ? 1 : 0;
    icaltimetype end = start;
    if (event.allDay) {
        icaltime_adjust(&end, 1, 0, 0, 0);
    } else {
        start.hour = event.start.hour;
        start.minute = event.start.minute;
        end.hour = event.end.hour;
        end.minute = event.end.minute;
    }
    for (auto [kind, time] : { std::pair { ICAL_DTSTART_PROPERTY, start }, std::pair { ICAL_DTEND_PROPERTY, end } }) {
        icalproperty* property
            = kind == ICAL_DTSTART_PROPERTY ? icalproperty_new_dtstart(time) : icalproperty_new_dtend(time);
        if (!event.allDay)
            icalproperty_add_parameter(property, icalparameter_new_tzid(icaltimezone_get_location(zone)));
        icalcomponent_add_property(vevent, property);
    }
    return vevent;
}

void BM_LibicalAloneWritesTheSameEvents(benchmark::State& state)
{
    DemoYear& demo = DemoYear::shared();
    ICalSyncController controller(*demo.year, demo.answers);
    controller.syncAllToiCal();
    const CalendarSyncPlan plan = controller.makePlan();
    icaltimezone* zone = icaltimezone_get_builtin_timezone("America/New_York");
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir folder;
        state.ResumeTiming();
        QHash<QString, icalcomponent*> calendars;
        for (const CalendarSyncItem& item : plan.items) {
            if (!item.event)
                continue;
            icalcomponent*& calendar = calendars[item.calendar];
            if (!calendar) {
                calendar = icalcomponent_new(ICAL_VCALENDAR_COMPONENT);
                icalcomponent_add_property(calendar, icalproperty_new_version("2.0"));
                icalcomponent_add_component(calendar, icalcomponent_new_clone(icaltimezone_get_component(zone)));
            }
            icalcomponent_add_component(calendar, plainEvent(*item.event, zone));
        }
        int index = 0;
        for (icalcomponent* calendar : std::as_const(calendars)) {
            QFile file(QDir(folder.path()).filePath(QStringLiteral("%1.ics").arg(index++)));
            char* text = icalcomponent_as_ical_string_r(calendar);
            if (file.open(QIODevice::WriteOnly))
                file.write(text);
            free(text); // NOLINT(cppcoreguidelines-no-malloc): libical's text
            icalcomponent_free(calendar);
        }
    }
    state.counters["events"] = double(plan.items.size());
}
BENCHMARK(BM_LibicalAloneWritesTheSameEvents)->Unit(benchmark::kMillisecond);

// The part of a sync that runs on the window's thread before the worker
// starts: reading the records into events.
void BM_PlanningAFullSync(benchmark::State& state)
{
    DemoYear& demo = DemoYear::shared();
    ICalSyncController controller(*demo.year, demo.answers);
    qsizetype items = 0;
    for (auto _ : state) {
        controller.syncAllToiCal();
        items = controller.makePlan().items.size();
    }
    state.counters["items"] = double(items);
}
BENCHMARK(BM_PlanningAFullSync)->Unit(benchmark::kMillisecond);

void BM_ChangesOnlySyncAfterOneLessonChanged(benchmark::State& state)
{
    DemoYear& demo = DemoYear::shared();
    QTemporaryDir folder;
    syncInto(folder.path(), false);
    Lesson* changed = demo.year->getLessonWithData();
    int writes = 0;
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        changed->setValue(u"lessonTitle", QStringLiteral("Changed %1").arg(++round));
        state.ResumeTiming();
        syncInto(folder.path(), true, &writes);
    }
    state.counters["writes"] = writes;
}
BENCHMARK(BM_ChangesOnlySyncAfterOneLessonChanged)->Unit(benchmark::kMillisecond);

} // namespace
