// semestra-connect-load: N teachers sync whole years at once against running
// semestra-connect processes sharing one database, then every record is read
// back per account. Prints the request count, throughput and latencies of the
// sync; exits 1 when anything was refused, lost or mixed between accounts.
//
//   semestra-connect-load [--backend postgres|sqlite] [--servers N] [--teachers N]
//                         [--weeks N] [--courses N] [--threads N] [--files N]

#include "LoadServers.h"
#include "LoadTeacher.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

namespace {

std::optional<LoadOptions> parseOptions(const QStringList& arguments)
{
    LoadOptions options;
    for (qsizetype i = 1; i < arguments.size(); i += 2) {
        const QString key = arguments[i];
        const QString value = arguments.value(i + 1);
        bool ok = true;
        if (key == QLatin1String("--backend")
            && (value == QLatin1String("postgres") || value == QLatin1String("sqlite")))
            options.backend = value;
        else if (key == QLatin1String("--servers"))
            options.servers = value.toInt(&ok);
        else if (key == QLatin1String("--teachers"))
            options.teachers = value.toInt(&ok);
        else if (key == QLatin1String("--weeks"))
            options.weeks = value.toInt(&ok);
        else if (key == QLatin1String("--courses"))
            options.courses = value.toInt(&ok);
        else if (key == QLatin1String("--threads"))
            options.threads = value.toInt(&ok);
        else if (key == QLatin1String("--files"))
            options.files = value.toInt(&ok);
        else
            return std::nullopt;
        if (!ok)
            return std::nullopt;
    }
    const bool positive = options.servers > 0 && options.teachers > 0 && options.weeks > 0 && options.courses > 0
        && options.threads > 0 && options.files >= 0;
    // Bounded: this is a load test on one machine, not a flood.
    const bool bounded
        = options.servers <= 4 && options.teachers <= 200 && options.weeks <= 60 && options.courses <= 12;
    return positive && bounded ? std::optional<LoadOptions>(options) : std::nullopt;
}

template <typename Work> void onEveryTeacher(std::vector<std::unique_ptr<LoadTeacher>>& teachers, Work work)
{
    std::vector<std::thread> threads;
    for (size_t i = 0; i < teachers.size(); ++i)
        threads.emplace_back([&teachers, &work, i] { work(i, *teachers[i]); });
    for (std::thread& thread : threads)
        thread.join();
}

double percentile(std::vector<double> sorted, double p)
{
    return sorted.empty() ? 0 : sorted[std::min(sorted.size() - 1, size_t(p * double(sorted.size())))];
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const auto options = parseOptions(QCoreApplication::arguments());
    if (!options) {
        std::fprintf(stderr,
            "usage: semestra-connect-load [--backend postgres|sqlite] [--servers 1-4] "
            "[--teachers 1-200] [--weeks 1-60] [--courses 1-12] [--threads N] [--files N]\n");
        return 2;
    }
    LoadServers servers(*options);
    QString error;
    if (!servers.start(&error) || !servers.addTeachers(&error)) {
        std::fprintf(stderr, "semestra-connect-load: %s\n", qPrintable(error));
        return 1;
    }
    std::vector<std::unique_ptr<LoadTeacher>> teachers;
    for (int i = 0; i < options->teachers; ++i)
        teachers.push_back(std::make_unique<LoadTeacher>(i, servers.port(i % options->servers), *options));

    const auto start = std::chrono::steady_clock::now();
    onEveryTeacher(teachers, [](size_t, LoadTeacher& teacher) { teacher.sync(); });
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    onEveryTeacher(teachers,
        [&teachers](size_t i, LoadTeacher& teacher) { teacher.verify(*teachers[(i + 1) % teachers.size()]); });
    const bool stoppedCleanly = servers.stop();

    std::vector<double> latencies;
    int checked = 0;
    int retries = 0;
    QStringList retryReasons;
    QStringList problems;
    for (const auto& teacher : teachers) {
        latencies.insert(latencies.end(), teacher->latencies().begin(), teacher->latencies().end());
        checked += teacher->checked();
        retries += teacher->retries();
        retryReasons += teacher->retryReasons();
        problems += teacher->problems();
    }
    std::sort(latencies.begin(), latencies.end());
    std::printf("backend=%s servers=%d teachers=%d weeks=%d courses=%d files=%d\n", qPrintable(options->backend),
        options->servers, options->teachers, options->weeks, options->courses, options->files);
    std::printf("sync: %zu requests in %.1f s = %.0f requests/s; latency p50 %.1f ms, p99 %.1f ms, max %.1f ms\n",
        latencies.size(), seconds, double(latencies.size()) / seconds, percentile(latencies, 0.50),
        percentile(latencies, 0.99), latencies.empty() ? 0 : latencies.back());
    retryReasons.removeDuplicates();
    std::printf("sent again after no answer: %d (%s)\n", retries, qPrintable(retryReasons.join(QStringLiteral(", "))));
    std::printf("checked afterwards: %d records and files, %lld problems; servers stopped %s\n", checked,
        static_cast<long long>(problems.size()), stoppedCleanly ? "cleanly" : "with errors");
    for (const QString& problem : problems)
        std::printf("  %s\n", qPrintable(problem));
    return problems.isEmpty() && stoppedCleanly ? 0 : 1;
}
