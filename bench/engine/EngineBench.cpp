#include "cli/DemoYearFiller.h"
#include "foundation/alerts/AlertPresenter.h"
#include "foundation/richtext/RichText.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/SemestraRecords.h"
#include "model/Year.h"
#include "schedule/YearMigration.h"
#include "store/EntityModel.h"
#include "store/ObjectContext.h"
#include "store/SqliteStore.h"
#include "store/UndoGroup.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <map>

// The schedule engine's interactive operations on the command line's demo
// years (every lesson filled, assignments, links and standards), at one, two
// and four times a real year. Each operation runs in-process on a year that
// stays open, as the planner runs it; saves are measured apart.
namespace {

class DefaultAnswers : public AlertPresenter {
public:
    int runModal(const Alert&) override { return 1; }
};

// A synced year has been sent to the online service: every record carries
// the service's identifier, so every record a move replaces is queued for
// deletion there.
enum class Synced { No, Yes };

struct DemoYear {
    DemoYear(int scale, Synced synced)
    {
        DefaultAnswers answers;
        year = DemoYearFiller::buildYear(*context, answers, scale);
        if (!year)
            qFatal("the demo year could not be built");
        if (synced == Synced::Yes)
            giveEveryRecordAServiceIdentifier();
    }

    void giveEveryRecordAServiceIdentifier()
    {
        qint64 next = 0;
        for (const EntityDescription* entity : context->model().entities()) {
            if (entity->attributeIndex(u"syncID") < 0)
                continue;
            for (ManagedObject* record : context->objectsOfEntity(*entity))
                record->setValue(u"syncID", QString::number(++next));
        }
    }

    std::unique_ptr<ObjectContext> context = SemestraRecords::newContext();
    Year* year = nullptr;
};

DemoYear& demoYear(int scale, Synced synced = Synced::No)
{
    static std::map<std::pair<int, Synced>, std::unique_ptr<DemoYear>> years;
    std::unique_ptr<DemoYear>& year = years[{ scale, synced }];
    if (!year)
        year = std::make_unique<DemoYear>(scale, synced);
    return *year;
}

Course* longestCourse(const Year& year)
{
    Course* longest = nullptr;
    for (Course* course : year.courses()) {
        if (!longest || course->lessons().size() > longest->lessons().size())
            longest = course;
    }
    return longest;
}

Lesson* firstLessonOfLongestCourse(const Year& year)
{
    return longestCourse(year)->allLessonsInOrder().constFirst();
}

void setLessonCounter(benchmark::State& state, const Year& year)
{
    state.counters["lessonsMoved"] = double(longestCourse(year)->lessons().size());
}

void BuildYear(benchmark::State& state)
{
    const NewYearRequest request = DemoYearFiller::request(int(state.range(0)));
    DefaultAnswers answers;
    for (auto _ : state) {
        state.PauseTiming();
        auto context = SemestraRecords::newContext();
        state.ResumeTiming();
        benchmark::DoNotOptimize(request.build(*context, answers));
        state.PauseTiming();
        context.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BuildYear)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond);

// Bumping and pulling back in turn keeps the year's content where it was;
// the content lost off the course's end is refilled by nothing, which is
// what a teacher's repeated bumps do too.
void BumpFirstLesson(benchmark::State& state)
{
    Year& year = *demoYear(int(state.range(0))).year;
    Lesson* first = firstLessonOfLongestCourse(year);
    for (auto _ : state) {
        year.bumpLesson(first);
        state.PauseTiming();
        year.pullLessonsBack(first);
        state.ResumeTiming();
    }
    setLessonCounter(state, year);
}
BENCHMARK(BumpFirstLesson)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond);

void PullBackFirstLesson(benchmark::State& state)
{
    Year& year = *demoYear(int(state.range(0))).year;
    Lesson* first = firstLessonOfLongestCourse(year);
    for (auto _ : state) {
        state.PauseTiming();
        year.bumpLesson(first);
        state.ResumeTiming();
        year.pullLessonsBack(first);
    }
    setLessonCounter(state, year);
}
BENCHMARK(PullBackFirstLesson)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond);

// The whole-day shift from the first school day moves every later day's
// lessons; the year is rebuilt (untimed) before each run because the shift
// cannot be undone by another shift.
void WholeDayShift(benchmark::State& state)
{
    const int scale = int(state.range(0));
    DefaultAnswers answers;
    for (auto _ : state) {
        state.PauseTiming();
        auto context = SemestraRecords::newContext();
        Year* year = DemoYearFiller::request(scale).build(*context, answers);
        Day* first = year->getAllDaysOrderedAscending().constFirst();
        state.ResumeTiming();
        benchmark::DoNotOptimize(year->shiftLessonsBeforeCreatingHoliday(first));
        state.PauseTiming();
        context.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(WholeDayShift)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond)->Iterations(5);

// A saved year: the save after a bump writes only what the bump changed;
// a full save of the same year is reported beside it for comparison.
void SaveAfterBump(benchmark::State& state)
{
    DemoYear& demo = demoYear(int(state.range(0)));
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("year.semestra"));
    QElapsedTimer full;
    full.start();
    if (!SqliteStore::save(*demo.context, path))
        qFatal("the demo year could not be saved");
    const double fullSaveMs = double(full.nsecsElapsed()) / 1e6;
    Lesson* first = firstLessonOfLongestCourse(*demo.year);
    bool bump = true;
    for (auto _ : state) {
        state.PauseTiming();
        // Alternating keeps the content in place across iterations.
        bump ? demo.year->bumpLesson(first) : demo.year->pullLessonsBack(first);
        bump = !bump;
        state.ResumeTiming();
        if (!SqliteStore::save(*demo.context, path))
            qFatal("the demo year could not be saved");
    }
    state.counters["fullSaveMs"] = fullSaveMs;
}
BENCHMARK(SaveAfterBump)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond);

Day* firstSchoolDay(const Year& year)
{
    return year.getDaysIncludingAndAfter(year.getFirstDay()).constFirst();
}

// A holiday on the first school day slides the whole rotation; restoring it
// (untimed) slides it back, so every iteration starts from the same plan.
void HolidayOnFirstSchoolDay(benchmark::State& state)
{
    Year& year = *demoYear(int(state.range(0))).year;
    Day* first = firstSchoolDay(year);
    for (auto _ : state) {
        first->turnIntoHoliday();
        state.PauseTiming();
        first->restoreNonSchoolDay();
        state.ResumeTiming();
    }
}
BENCHMARK(HolidayOnFirstSchoolDay)->Arg(4)->Unit(benchmark::kMillisecond);

void RestoreHolidayOnFirstSchoolDay(benchmark::State& state)
{
    Year& year = *demoYear(int(state.range(0))).year;
    Day* first = firstSchoolDay(year);
    for (auto _ : state) {
        state.PauseTiming();
        first->turnIntoHoliday();
        state.ResumeTiming();
        first->restoreNonSchoolDay();
    }
}
BENCHMARK(RestoreHolidayOnFirstSchoolDay)->Arg(4)->Unit(benchmark::kMillisecond);

// Every lesson of the first school day is bumped through its course before
// the day is cancelled. Between runs (untimed) the day is restored and its
// new lessons pulled back, which puts the content where it was except for
// each course's last slot; the deletions the run queued for the online
// service are counted and cleared, as a sync clears them, and a synced year
// is given service identifiers again for the records the run sent as new.
void CancelFirstSchoolDayWithBump(benchmark::State& state, Synced synced)
{
    DemoYear& demo = demoYear(int(state.range(0)), synced);
    Year& year = *demo.year;
    Day* first = firstSchoolDay(year);
    for (auto _ : state) {
        year.bumpAllLessonsOnDay(first);
        first->turnIntoCancelledDay();
        state.PauseTiming();
        state.counters["queuedDeletions"] = double(year.deleteStack().count(u','));
        year.setValue(u"teacherPhone", QVariant());
        first->restoreNonSchoolDay();
        for (Lesson* lesson : first->lessonsInOrder())
            year.pullLessonsBack(lesson);
        year.setValue(u"teacherPhone", QVariant());
        if (synced == Synced::Yes)
            demo.giveEveryRecordAServiceIdentifier();
        state.ResumeTiming();
    }
}
BENCHMARK_CAPTURE(CancelFirstSchoolDayWithBump, unsynced, Synced::No)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CancelFirstSchoolDayWithBump, synced, Synced::Yes)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

// The command as the window runs it: one undo step.
void cancelFirstSchoolDayWithBump(DemoYear& demo)
{
    Day* first = firstSchoolDay(*demo.year);
    UndoGroup group(*demo.context, QStringLiteral("Cancel Day"));
    demo.year->bumpAllLessonsOnDay(first);
    first->turnIntoCancelledDay();
}

// What recording the history adds to the command; undoing the run
// (untimed) puts the year back exactly.
void CancelFirstSchoolDayWithBumpRecorded(benchmark::State& state, Synced synced)
{
    DemoYear& demo = demoYear(int(state.range(0)), synced);
    UndoHistory& history = demo.context->undoHistory();
    history.setEnabled(true);
    for (auto _ : state) {
        cancelFirstSchoolDayWithBump(demo);
        state.PauseTiming();
        history.undo();
        state.ResumeTiming();
    }
    history.setEnabled(false);
}
BENCHMARK_CAPTURE(CancelFirstSchoolDayWithBumpRecorded, unsynced, Synced::No)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CancelFirstSchoolDayWithBumpRecorded, synced, Synced::Yes)->Arg(4)->Unit(benchmark::kMillisecond);

// Undoing and redoing a cancelled day with bump plays back every change the
// command made (content moved along each course, the day's lessons deleted,
// the delete stack grown), in one frame's time. Each benchmark leaves the
// year as it found it and its history off again.
class CancelledDayInHistory {
public:
    explicit CancelledDayInHistory(DemoYear& demo)
        : m_history(demo.context->undoHistory())
    {
        m_history.setEnabled(true);
        cancelFirstSchoolDayWithBump(demo);
    }
    ~CancelledDayInHistory()
    {
        if (m_history.canUndo())
            m_history.undo();
        m_history.setEnabled(false);
    }
    CancelledDayInHistory(const CancelledDayInHistory&) = delete;
    CancelledDayInHistory& operator=(const CancelledDayInHistory&) = delete;

    UndoHistory& history() { return m_history; }

private:
    UndoHistory& m_history;
};

void UndoCancelledDayWithBump(benchmark::State& state)
{
    CancelledDayInHistory cancelled(demoYear(int(state.range(0)), Synced::Yes));
    for (auto _ : state) {
        cancelled.history().undo();
        state.PauseTiming();
        cancelled.history().redo();
        state.ResumeTiming();
    }
}
BENCHMARK(UndoCancelledDayWithBump)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

void RedoCancelledDayWithBump(benchmark::State& state)
{
    CancelledDayInHistory cancelled(demoYear(int(state.range(0)), Synced::Yes));
    for (auto _ : state) {
        state.PauseTiming();
        cancelled.history().undo();
        state.ResumeTiming();
        cancelled.history().redo();
    }
}
BENCHMARK(RedoCancelledDayWithBump)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

// What the history holds after 1,000 ordinary edits, one step each: a
// lesson's title and one of its fields retyped, as a pause in typing leaves
// them. Measured as the heap the history alone keeps: the bytes in use
// before and after forgetting it (glibc's count of allocated bytes).
void HistoryOfThousandEdits(benchmark::State& state)
{
    DemoYear& demo = demoYear(int(state.range(0)));
    const QList<Lesson*> lessons = demo.year->getAllLessons();
    UndoHistory& history = demo.context->undoHistory();
    constexpr int edits = 1000;
    for (auto _ : state) {
        history.setEnabled(true);
        for (int edit = 0; edit < edits; ++edit) {
            Lesson* lesson = lessons[qsizetype(edit * 7919) % lessons.size()];
            const QString field = Lesson::richFieldKeys()[edit % 6];
            lesson->setValue(u"lessonTitle", QStringLiteral("Edited title %1").arg(edit));
            lesson->setValue(
                field, RichText::fromPlainText(QStringLiteral("Edited text %1 of a lesson plan").arg(edit)));
            history.closeOpenStep(QStringLiteral("Typing"));
        }
        state.PauseTiming();
        const size_t withHistory = mallinfo2().uordblks;
        history.setEnabled(false);
        const size_t without = mallinfo2().uordblks;
        state.counters["historyMiB"] = double(withHistory - without) / (1024.0 * 1024.0);
        state.ResumeTiming();
    }
}
BENCHMARK(HistoryOfThousandEdits)->Arg(4)->Unit(benchmark::kMillisecond)->Iterations(1);

// Moving the whole plan to the next school year and back again in turn, so
// that every run moves every day, meeting time and identifier of the year.
void MigrateYear(benchmark::State& state)
{
    Year& year = *demoYear(int(state.range(0))).year;
    const Date start = year.startDate();
    const Date nextYear = start.addingSeconds(365 * 86400.0);
    bool forward = true;
    for (auto _ : state) {
        YearMigration::migrate(year, forward ? nextYear : start);
        forward = !forward;
    }
    state.counters["days"] = double(year.getAllDaysOrderedAscending().size());
    state.counters["lessons"] = double(year.getAllLessons().size());
}
BENCHMARK(MigrateYear)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond);

} // namespace
