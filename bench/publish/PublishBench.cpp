#include "cli/DemoYearFiller.h"
#include "foundation/alerts/AlertPresenter.h"
#include "foundation/alerts/FileChooser.h"
#include "model/Course.h"
#include "model/SemestraRecords.h"
#include "model/Year.h"
#include "publish/ExportManager.h"
#include "publish/PublishController.h"
#include "publish/SiteGenerator.h"
#include "publish/SiteSnapshotReader.h"
#include "publish/SiteWriter.h"
#include "store/ObjectContext.h"

#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>

#include <benchmark/benchmark.h>

#include <malloc.h>

// The class web site of the command line's demo years, every course
// published and the whole year in range, written into an empty folder; and,
// in the same run, the finished site copied with cp -r, the yardstick the
// publish is held to. The heap figure is the most memory the publish held
// beyond the document while it ran. The upload of that site to pyftpdlib on
// the loopback address is held to the curl tool storing the same files one
// by one over one connection.
namespace {

class DefaultAnswers : public AlertPresenter {
public:
    int runModal(const Alert&) override { return 1; }
};

class NoFiles : public FileChooser {
public:
    std::optional<QString> chooseSaveLocation(const SavePanelRequest&) override { return std::nullopt; }
    std::optional<QString> chooseFileToOpen(const OpenPanelRequest&) override { return std::nullopt; }
    std::optional<QString> chooseFolder(const OpenPanelRequest&) override { return std::nullopt; }
};

Year* checked(Year* year)
{
    if (!year)
        qFatal("the demo year could not be built");
    return year;
}

struct PublishedDemoYear {
    explicit PublishedDemoYear(int scale)
        : year(checked(DemoYearFiller::buildYear(*context, answers, scale)))
    {
        for (Course* course : year->courses())
            course->setValue(u"publish", 1);
        controller.setRanges(year->startDate(), year->endDate());
    }

    DefaultAnswers answers;
    NoFiles files;
    std::unique_ptr<ObjectContext> context = SemestraRecords::newContext();
    Year* year;
    PublishController controller { *year, answers, files };
};

double heapInUse()
{
    return double(mallinfo2().uordblks);
}

void publishIntoEmptyFolder(benchmark::State& state)
{
    PublishedDemoYear demo(int(state.range(0)));
    double files = 0;
    double peakBeyondDocument = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto folder = std::make_unique<QTemporaryDir>();
        const double baseline = heapInUse();
        state.ResumeTiming();
        SiteSnapshotReader reader(*demo.year);
        const SiteFrame frame = reader.readFrame(demo.controller.settings());
        SiteWriter writer(folder->path());
        SiteGenerator generator(frame, writer);
        generator.setProgress(
            [&](int, int) { peakBeyondDocument = std::max(peakBeyondDocument, heapInUse() - baseline); });
        QList<SiteCourse> courses = frame.publishedCourses();
        const bool written = generator.generate([&]() -> std::optional<SiteCoursePlan> {
            while (!courses.isEmpty()) {
                if (auto plan = reader.readCourse(courses.takeFirst()))
                    return plan;
            }
            return std::nullopt;
        });
        if (!written)
            state.SkipWithError("the site could not be written");
        files = writer.filesWritten();
        state.PauseTiming();
        folder.reset();
        state.ResumeTiming();
    }
    state.counters["files"] = files;
    state.counters["heapBeyondDocumentMB"] = peakBeyondDocument / (1024.0 * 1024.0);
}

void copyFinishedSite(benchmark::State& state)
{
    PublishedDemoYear demo(int(state.range(0)));
    QTemporaryDir site;
    if (!demo.controller.publishNow(site.path()).published())
        state.SkipWithError("the site could not be written");
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir target;
        const QString copy = target.filePath(QStringLiteral("copy"));
        state.ResumeTiming();
        if (QProcess::execute(QStringLiteral("cp"), { QStringLiteral("-r"), site.path(), copy }) != 0)
            state.SkipWithError("cp failed");
    }
}

void publishAgainUnchanged(benchmark::State& state)
{
    PublishedDemoYear demo(int(state.range(0)));
    QTemporaryDir site;
    demo.controller.publishNow(site.path());
    for (auto _ : state) {
        if (demo.controller.publishNow(site.path()).filesWritten != 0)
            state.SkipWithError("an unchanged year rewrote files");
    }
}

// What the window does between two turns of its event loop while a site is
// written in the background: read one course, or the days and courses.
void readOneCourse(benchmark::State& state)
{
    PublishedDemoYear demo(int(state.range(0)));
    SiteSnapshotReader reader(*demo.year);
    const SiteFrame frame = reader.readFrame(demo.controller.settings());
    qsizetype next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(reader.readCourse(frame.courses[next]));
        next = (next + 1) % frame.courses.size();
    }
}

void readDaysAndCourses(benchmark::State& state)
{
    PublishedDemoYear demo(int(state.range(0)));
    for (auto _ : state) {
        SiteSnapshotReader reader(*demo.year);
        benchmark::DoNotOptimize(reader.readFrame(demo.controller.settings()));
    }
}

// The test suite's pyftpdlib server, serving a scratch folder while the
// benchmark runs.
struct LoopbackFtpServer {
    LoopbackFtpServer()
    {
        process.setStandardErrorFile(QProcess::nullDevice());
        process.start(QStringLiteral("/usr/bin/python3"),
            { QStringLiteral(SEMESTRA_FTP_SERVER_SCRIPT), QStringLiteral("--root"), root.path(),
                QStringLiteral("--user"), QStringLiteral("teacher"), QStringLiteral("--password"),
                QStringLiteral("chalk"), QStringLiteral("--commands"), QStringLiteral("/dev/null") });
        if (process.waitForReadyRead(15000))
            port = process.readLine().trimmed().mid(5).toInt();
    }
    ~LoopbackFtpServer()
    {
        process.terminate();
        process.waitForFinished();
    }

    QTemporaryDir root;
    QProcess process;
    int port = 0;
};

struct UploadRun {
    explicit UploadRun(int scale)
        : demo(scale)
    {
        published = demo.controller.generate(site.path()).published() && server.port > 0;
        QDirIterator walk(site.path(), QDir::Files, QDirIterator::Subdirectories);
        while (walk.hasNext())
            files.append(walk.next().mid(site.path().size() + 1));
    }
    QString url(int run) const { return QStringLiteral("ftp://127.0.0.1:%1/run-%2").arg(server.port).arg(run); }

    PublishedDemoYear demo;
    QTemporaryDir site;
    LoopbackFtpServer server;
    QStringList files;
    bool published = false;
};

void uploadSite(benchmark::State& state)
{
    UploadRun upload(int(state.range(0)));
    if (!upload.published)
        state.SkipWithError("no site or no server");
    int run = 0;
    for (auto _ : state) {
        const TransferAddress address = *TransferAddress::parse(upload.url(++run));
        FileTransferSession session(address, QStringLiteral("teacher"), QStringLiteral("chalk"), {});
        if (!ExportManager(session).uploadFiles(upload.site.path()).succeeded())
            state.SkipWithError("the upload failed");
    }
    state.counters["files"] = double(upload.files.size());
}

void curlStoresEachFile(benchmark::State& state)
{
    UploadRun upload(int(state.range(0)));
    if (!upload.published)
        state.SkipWithError("no site or no server");
    int run = 0;
    QTemporaryDir scratch;
    const QString config = scratch.filePath(QStringLiteral("curl.conf"));
    for (auto _ : state) {
        state.PauseTiming();
        QFile list(config);
        if (!list.open(QIODevice::WriteOnly))
            state.SkipWithError("no curl configuration");
        const QString folder = upload.url(++run);
        for (const QString& file : upload.files) {
            list.write(
                QStringLiteral("upload-file = \"%1/%2\"\nurl = \"%3/%4\"\n")
                    .arg(upload.site.path(), file, folder, QString::fromLatin1(QUrl::toPercentEncoding(file, "/")))
                    .toUtf8());
        }
        list.close();
        state.ResumeTiming();
        if (QProcess::execute(QStringLiteral("curl"),
                { QStringLiteral("-sS"), QStringLiteral("--ftp-create-dirs"), QStringLiteral("--user"),
                    QStringLiteral("teacher:chalk"), QStringLiteral("-K"), config })
            != 0)
            state.SkipWithError("curl failed");
    }
}

} // namespace

BENCHMARK(uploadSite)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(curlStoresEachFile)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(publishIntoEmptyFolder)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(copyFinishedSite)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(publishAgainUnchanged)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(readOneCourse)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(readDaysAndCourses)->Arg(4)->Unit(benchmark::kMillisecond);
