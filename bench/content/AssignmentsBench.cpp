#include "cli/DemoYearFiller.h"
#include "foundation/alerts/AlertPresenter.h"
#include "model/AssignedFile.h"
#include "model/Assignment.h"
#include "model/Course.h"
#include "model/Lesson.h"
#include "model/SemestraRecords.h"
#include "model/Year.h"
#include "store/ObjectContext.h"

#include <benchmark/benchmark.h>

// Assignments and attachments on the command line's demo year at four times
// a real year, with work given in every third lesson of every course (a
// file attached to each) and a file on every fifth lesson: what showing a
// lesson's assignments panel costs, and checking every attachment's file.
namespace {

class DefaultAnswers : public AlertPresenter {
public:
    int runModal(const Alert&) override { return 1; }
};

struct YearWithWork {
    YearWithWork()
    {
        year = DemoYearFiller::buildYear(*context, answers, 4);
        if (!year)
            qFatal("the demo year could not be built");
        for (Course* course : year->courses()) {
            const QList<Lesson*> lessons = course->allLessonsInOrder();
            for (qsizetype i = 0; i < lessons.size(); ++i) {
                if (i % 3 == 0) {
                    Assignment* work = lessons[i]->addAssignment();
                    work->setValue(u"title", QStringLiteral("Work %1").arg(i));
                    work->addFileWithPath(QStringLiteral("/nonexistent/work-%1.pdf").arg(i));
                }
                if (i % 5 == 0)
                    lessons[i]->addFileWithPath(QStringLiteral("/nonexistent/sheet-%1.pdf").arg(i));
            }
        }
        lesson = year->courses().constFirst()->allLessonsInOrder().at(30);
    }

    DefaultAnswers answers;
    std::unique_ptr<ObjectContext> context = SemestraRecords::newContext();
    Year* year = nullptr;
    Lesson* lesson = nullptr;
};

YearWithWork& yearWithWork()
{
    static YearWithWork year;
    return year;
}

// The panel's list: today's work, each line seen from the lesson.
void ShowAssignmentsOfALesson(benchmark::State& state)
{
    Lesson* lesson = yearWithWork().lesson;
    for (auto _ : state) {
        for (Assignment* assignment : lesson->todaysAssignments()) {
            assignment->setCurrentLesson(lesson);
            benchmark::DoNotOptimize(assignment->titleAndDate());
        }
    }
}
BENCHMARK(ShowAssignmentsOfALesson)->Unit(benchmark::kMicrosecond);

// The due-lesson menu of the selected assignment.
void ListDueLessonChoices(benchmark::State& state)
{
    Assignment* assignment = yearWithWork().lesson->assignments().constFirst();
    for (auto _ : state)
        benchmark::DoNotOptimize(assignment->lessonsAfterAssignedLesson());
}
BENCHMARK(ListDueLessonChoices)->Unit(benchmark::kMicrosecond);

// "Check Attachments…": every lesson's and assignment's file looked up on disk.
void FindMissingFiles(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(yearWithWork().year->getAllMissingFiles());
    state.counters["files"] = double(yearWithWork().year->getAllMissingFiles().size());
}
BENCHMARK(FindMissingFiles)->Unit(benchmark::kMillisecond);

} // namespace
