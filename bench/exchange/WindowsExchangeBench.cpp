#include "cli/DemoYearFiller.h"
#include "exchange/windows/WindowsExport.h"
#include "exchange/windows/WindowsFileImporter.h"
#include "exchange/windows/WindowsFileWriter.h"
#include "foundation/alerts/AlertPresenter.h"
#include "model/SemestraRecords.h"
#include "model/Year.h"
#include "store/ObjectContext.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>

// The Windows exchange file of the command line's demo year at one, two and
// four times a real year: its import without the save (which should grow in
// step with the rows, so time per lesson stays flat across the scales) and
// its export.
namespace {

class DefaultAnswers : public AlertPresenter {
public:
    int runModal(const Alert&) override { return 1; }
};

struct DemoExchange {
    explicit DemoExchange(int scale)
    {
        year = DemoYearFiller::buildYear(*context, answers, scale);
        if (!year)
            qFatal("the demo year could not be built");
        WindowsExport::prepareForExport(*year);
        path = folder.filePath(QStringLiteral("demo.smsqlite"));
        if (!WindowsFileWriter::write(*context, path).ok())
            qFatal("the exchange file could not be written");
        lessons = context->countOfEntity(QStringLiteral("Lesson"));
    }

    DefaultAnswers answers;
    QTemporaryDir folder;
    std::unique_ptr<ObjectContext> context = SemestraRecords::newContext();
    Year* year = nullptr;
    QString path;
    int lessons = 0;
};

DemoExchange& demo(int scale)
{
    static std::map<int, std::unique_ptr<DemoExchange>> built;
    std::unique_ptr<DemoExchange>& entry = built[scale];
    if (!entry)
        entry = std::make_unique<DemoExchange>(scale);
    return *entry;
}

void ImportWindowsFile(benchmark::State& state)
{
    DemoExchange& exchange = demo(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        auto context = SemestraRecords::newContext();
        state.ResumeTiming();
        if (!WindowsFileImporter::importFile(exchange.path, *context).ok())
            state.SkipWithError("the import failed");
        state.PauseTiming();
        context.reset();
        state.ResumeTiming();
    }
    state.counters["lessons"] = exchange.lessons;
    state.counters["per_lesson"]
        = benchmark::Counter(double(exchange.lessons), benchmark::Counter::kIsIterationInvariantRate
                | benchmark::Counter::kInvert);
}
BENCHMARK(ImportWindowsFile)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond)->Iterations(3);

void ExportWindowsFile(benchmark::State& state)
{
    DemoExchange& exchange = demo(int(state.range(0)));
    const QString target = exchange.folder.filePath(QStringLiteral("export.smsqlite"));
    for (auto _ : state) {
        if (!WindowsFileWriter::write(*exchange.context, target).ok())
            state.SkipWithError("the export failed");
    }
    state.counters["lessons"] = exchange.lessons;
}
BENCHMARK(ExportWindowsFile)->Arg(4)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
