#include "cli/DemoYearFiller.h"
#include "foundation/alerts/AlertPresenter.h"
#include "model/Day.h"
#include "model/LessonReportInformation.h"
#include "model/SemestraRecords.h"
#include "model/Week.h"
#include "model/Year.h"
#include "report/ReportPdf.h"
#include "report/TextReports.h"
#include "store/ObjectContext.h"

#include <QTemporaryDir>
#include <QTextDocument>

#include <benchmark/benchmark.h>

// Reports of the command line's demo years written to PDF, from the records
// to the file, as Save and Email write them.
namespace {

class DefaultAnswers : public AlertPresenter {
public:
    int runModal(const Alert&) override { return 1; }
};

struct DemoYear {
    explicit DemoYear(int scale)
    {
        DefaultAnswers answers;
        year = DemoYearFiller::buildYear(*context, answers, scale);
        if (!year)
            qFatal("the demo year could not be built");
    }

    std::unique_ptr<ObjectContext> context = SemestraRecords::newContext();
    Year* year = nullptr;
};

// A week in the middle of the year, when every course meets every day.
Week* middleWeek(Year& year)
{
    const QList<Week*> weeks = year.weeksInOrder();
    return weeks[weeks.size() / 2];
}

void weeklyReportToPdf(benchmark::State& state)
{
    DemoYear demo(int(state.range(0)));
    QTemporaryDir folder;
    Week* week = middleWeek(*demo.year);
    LessonReportInformation& settings = *demo.year->reportInformation();
    for (auto _ : state) {
        if (!ReportPdf::writeWeekly(*week, settings, folder.filePath(QStringLiteral("week.pdf"))))
            state.SkipWithError("the PDF could not be written");
    }
}

void dailyPlanToPdf(benchmark::State& state)
{
    DemoYear demo(1);
    QTemporaryDir folder;
    const QList<Day*> days = demo.year->getAllDaysOrderedAscending();
    const qsizetype first = days.size() / 2;
    const int length = int(state.range(0));
    for (auto _ : state) {
        auto plan = TextReports::dailyPlan(
            *demo.year, days[first]->actualDate(), days[first + length - 1]->actualDate());
        if (!ReportPdf::writeText(*plan, folder.filePath(QStringLiteral("daily.pdf"))))
            state.SkipWithError("the PDF could not be written");
    }
}

} // namespace

BENCHMARK(weeklyReportToPdf)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(dailyPlanToPdf)->Arg(20)->Unit(benchmark::kMillisecond)->Iterations(3);
