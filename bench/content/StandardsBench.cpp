#include "cli/DemoYearFiller.h"
#include "content/SearchResultsController.h"
#include "content/StandardsImporter.h"
#include "foundation/alerts/AlertPresenter.h"
#include "model/SemestraRecords.h"
#include "model/Standard.h"
#include "model/Year.h"
#include "store/ObjectContext.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <benchmark/benchmark.h>

// Importing a state-size competency framework, and the search that runs on
// every keystroke in the document window's search field, on the demo year at
// four times a real year.
namespace {

class DefaultAnswers : public AlertPresenter {
public:
    int runModal(const Alert&) override { return 1; }
};

QJsonObject node(const QString& identifier)
{
    return { { QStringLiteral("identifier"), identifier } };
}

// 5,000 items: 8 strands of 24 clusters of 25 standards, each strand and
// cluster an item too, listed leaves first so that no parent comes before
// its children.
QByteArray framework()
{
    QJsonArray items;
    QJsonArray links;
    auto add = [&](const QString& code, const QString& parent, int sequence) {
        items.prepend(QJsonObject { { QStringLiteral("identifier"), code },
            { QStringLiteral("humanCodingScheme"), code },
            { QStringLiteral("fullStatement"), QStringLiteral("Students can do what %1 asks of them.").arg(code) } });
        links.append(QJsonObject { { QStringLiteral("associationType"), QStringLiteral("isChildOf") },
            { QStringLiteral("originNodeURI"), node(code) }, { QStringLiteral("destinationNodeURI"), node(parent) },
            { QStringLiteral("sequenceNumber"), sequence } });
    };
    for (int strand = 0; strand < 8; ++strand) {
        const QString s = QStringLiteral("S%1").arg(strand);
        add(s, QStringLiteral("doc"), strand);
        for (int cluster = 0; cluster < 24; ++cluster) {
            const QString c = QStringLiteral("%1.C%2").arg(s).arg(cluster);
            add(c, s, cluster);
            for (int leaf = 0; leaf < 25; ++leaf)
                add(QStringLiteral("%1.%2").arg(c).arg(leaf), c, leaf);
        }
    }
    const QJsonObject root { { QStringLiteral("CFDocument"),
                                 QJsonObject { { QStringLiteral("identifier"), QStringLiteral("doc") },
                                     { QStringLiteral("title"), QStringLiteral("State Framework") } } },
        { QStringLiteral("CFItems"), items }, { QStringLiteral("CFAssociations"), links } };
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

struct EmptyYear {
    EmptyYear()
    {
        year = context->insert<Year>(QStringLiteral("Year"));
        auto* root = context->insert<Standard>(QStringLiteral("Standard"));
        root->setValue(u"isRootItem", true);
        root->setValue(u"shortName", QStringLiteral("All Standards"));
        root->setObject(u"year", year);
    }
    std::unique_ptr<ObjectContext> context = SemestraRecords::newContext();
    Year* year = nullptr;
};

void ImportCaseFrameworkOf5000Items(benchmark::State& state)
{
    const QByteArray bytes = framework();
    for (auto _ : state) {
        state.PauseTiming();
        auto target = std::make_unique<EmptyYear>();
        state.ResumeTiming();
        const auto report = StandardsImporter::importData(QStringLiteral("framework.json"), bytes, *target->year);
        // The items and the framework's own group.
        if (!report || report->added != 5001)
            state.SkipWithError("the framework did not import whole");
        state.PauseTiming();
        target.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(ImportCaseFrameworkOf5000Items)->Unit(benchmark::kMillisecond);

// The same framework again: everything is found and skipped.
void ReimportCaseFrameworkOf5000Items(benchmark::State& state)
{
    const QByteArray bytes = framework();
    EmptyYear target;
    StandardsImporter::importData(QStringLiteral("framework.json"), bytes, *target.year);
    for (auto _ : state) {
        const auto report = StandardsImporter::importData(QStringLiteral("framework.json"), bytes, *target.year);
        if (!report || report->added != 0)
            state.SkipWithError("the second import added standards");
    }
}
BENCHMARK(ReimportCaseFrameworkOf5000Items)->Unit(benchmark::kMillisecond);

struct DemoYear {
    DemoYear()
    {
        year = DemoYearFiller::buildYear(*context, answers, 4);
        if (!year)
            qFatal("the demo year could not be built");
    }
    DefaultAnswers answers;
    std::unique_ptr<ObjectContext> context = SemestraRecords::newContext();
    Year* year = nullptr;
};

DemoYear& demoYear()
{
    static DemoYear year;
    return year;
}

// One keystroke in the search field: the whole year searched for the text
// typed so far.
void SearchKeystroke(benchmark::State& state)
{
    const Year& year = *demoYear().year;
    // A term most lessons hold, and one none does (every field is read).
    const QString term = state.range(0) == 0 ? QStringLiteral("lesson 1") : QStringLiteral("zzq");
    qsizetype found = 0;
    for (auto _ : state) {
        const QList<Lesson*> lessons = SearchResultsController::searchForString(year, term);
        found = lessons.size();
        benchmark::DoNotOptimize(lessons.data());
    }
    state.counters["lessons"] = double(year.getAllLessons().size());
    state.counters["found"] = double(found);
}
BENCHMARK(SearchKeystroke)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
