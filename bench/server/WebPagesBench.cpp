#include "SampleViews.h"
#include "server/web/DayPage.h"
#include "server/web/HtmlSanitizer.h"
#include "server/web/MonthPage.h"

#include <benchmark/benchmark.h>

// What one page request of the service costs in rendering alone: a lesson
// field as a rich-text writer sends it, a busy day and a full month.
namespace {

QString richTextField(int paragraphs)
{
    QString html = QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0//EN\">\n<html><head>"
                                  "<meta name=\"qrichtext\" content=\"1\" /><style type=\"text/css\">\n"
                                  "p, li { white-space: pre-wrap; }\n</style></head><body style=\" font-size:13pt;\">");
    for (int i = 0; i < paragraphs; ++i) {
        html += QStringLiteral("<p style=\" margin-top:0px; margin-bottom:0px;\"><span style=\" font-weight:700;\">"
                               "Step %1:</span> read &amp; annotate <a href=\"https://example.org/r/%1\">the text</a>"
                               " \u2013 then discuss.</p>")
                    .arg(i);
    }
    return html + QStringLiteral("</body></html>");
}

void sanitizeRichTextField(benchmark::State& state)
{
    const QString field = richTextField(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(HtmlSanitizer::sanitized(field));
    state.SetBytesProcessed(state.iterations() * field.size() * qsizetype(sizeof(QChar)));
}
BENCHMARK(sanitizeRichTextField)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

void renderBusyDay(benchmark::State& state)
{
    DayPageView view = SampleViews::dayPage();
    view.day.lessons.clear();
    for (int i = 0; i < 8; ++i)
        view.day.lessons.append(SampleViews::biologyLesson());
    const PageFrame frame = SampleViews::teacherFrame();
    for (auto _ : state)
        benchmark::DoNotOptimize(DayPage::render(view, frame));
}
BENCHMARK(renderBusyDay)->Unit(benchmark::kMicrosecond);

void renderMonth(benchmark::State& state)
{
    const MonthView view = SampleViews::october();
    const PageFrame frame = SampleViews::teacherFrame();
    for (auto _ : state)
        benchmark::DoNotOptimize(MonthPage::render(view, frame));
}
BENCHMARK(renderMonth)->Unit(benchmark::kMicrosecond);

} // namespace
