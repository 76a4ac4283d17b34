#include "FullSizeYear.h"
#include "model/SemestraRecords.h"
#include "store/SemestraEntityModel.h"
#include "store/SqliteStore.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// One full-size year saved once and shared by every benchmark.
const QString& yearFile()
{
    static QTemporaryDir folder;
    static const QString path = [] {
        const QString file = folder.filePath(QStringLiteral("year.semestra"));
        const auto context = FullSizeYear().build();
        if (!SqliteStore::save(*context, file))
            qFatal("could not save the benchmark year");
        return file;
    }();
    return path;
}

std::unique_ptr<ObjectContext> openYear(const QString& path)
{
    auto opened = SqliteStore::open(path, SemestraEntityModel::shared(), SemestraRecords::factory());
    if (!opened)
        qFatal("%s", qPrintable(opened.error()));
    return std::move(opened).value();
}

// Every row of every table, read by the sqlite3 shell: the floor for opening.
double rawReadMilliseconds(const QString& path)
{
    QProcess shell;
    shell.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    const QStringList tables { "ZYEAR", "ZCOURSE", "ZWEEK", "ZDAY", "ZLESSON", "ZUNIT", "ZSTANDARD",
        "ZSTANDARDINLESSON", "ZASSIGNMENT", "ZATTACHMENT", "ZPUBLISHINFO", "ZLESSONREPORTINFORMATION", "ZTAG" };
    QStringList queries;
    for (const QString& table : tables)
        queries << QStringLiteral("SELECT * FROM %1;").arg(table);
    shell.start(QStringLiteral("sqlite3"), { path, queries.join(QLatin1Char(' ')) });
    if (!shell.waitForFinished(60000) || shell.exitCode() != 0)
        qFatal("sqlite3 shell failed (is the sqlite3 package installed?)");
    return double(timer.nsecsElapsed()) / 1e6;
}

void OpenComparedWithRawRead(benchmark::State& state)
{
    const QString& path = yearFile();
    double openTotal = 0;
    double rawTotal = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        auto context = openYear(path);
        benchmark::DoNotOptimize(context.get());
        openTotal += double(timer.nsecsElapsed()) / 1e6;
        state.PauseTiming();
        context.reset();
        rawTotal += rawReadMilliseconds(path);
        state.ResumeTiming();
    }
    const double runs = double(state.iterations());
    state.counters["open_ms"] = openTotal / runs;
    state.counters["sqlite3_ms"] = rawTotal / runs;
    state.counters["open_over_raw"] = openTotal / rawTotal;
    state.counters["file_MB"] = double(QFile(path).size()) / 1e6;
}
BENCHMARK(OpenComparedWithRawRead)->Unit(benchmark::kMillisecond)->Iterations(5);

void SaveOneChangedLesson(benchmark::State& state)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("year.semestra"));
    QFile::copy(yearFile(), path);
    auto context = openYear(path);
    ManagedObject* lesson = context->objectsOfEntity(*context->model().entity(u"Lesson"))[123];
    int edit = 0;
    for (auto _ : state) {
        lesson->setValue(u"lessonTitle", QStringLiteral("Edit %1").arg(++edit));
        if (!SqliteStore::save(*context, path))
            state.SkipWithError("save failed");
    }
}
BENCHMARK(SaveOneChangedLesson)->Unit(benchmark::kMillisecond);

void FullSave(benchmark::State& state)
{
    QTemporaryDir folder;
    auto context = openYear(yearFile());
    const QString path = folder.filePath(QStringLiteral("copy.semestra"));
    for (auto _ : state) {
        if (!SqliteStore::writeCopy(*context, path))
            state.SkipWithError("save failed");
    }
}
BENCHMARK(FullSave)->Unit(benchmark::kMillisecond);

} // namespace
