#include "cli/CliDates.h"
#include "cli/CommandContext.h"
#include "cli/CommandLine.h"
#include "cli/DemoYearFiller.h"
#include "cli/NewYearRequest.h"
#include "foundation/random/RandomSource.h"
#include "model/Document.h"
#include "model/Year.h"

#include <functional>

namespace {

constexpr std::uint64_t demoSeed = 20250902;

// Builds the requested year into a new document and saves it; nothing is
// written when the wizard refuses the request.
Status createYear(const NewYearRequest& request, const QString& path, bool force, CommandContext& context,
    const std::function<void(Year&)>& fill = {})
{
    auto document = context.newDocument(path, force);
    if (!document)
        return Status::failure(document.error());
    Year* year = request.build(document.value()->context(), context.alerts);
    if (!year)
        return Status::failure({});
    if (fill)
        fill(*year);
    return document.value()->saveAs(path);
}

// A school year from the first Tuesday of September to mid-June, taught
// Monday to Friday.
NewYearRequest demoRequest(int scale)
{
    NewYearRequest request;
    request.startDate = *CliDates::parseDay(QStringLiteral("2025-09-02"));
    request.endDate = *CliDates::parseDay(QStringLiteral("2026-06-19"));
    request.teachingDays = { 1, 2, 3, 4, 5 };
    request.courseNames = DemoYearFiller::courseNames(scale);
    return request;
}

} // namespace

namespace Commands {

Status newYear(const CommandLine& line, CommandContext& context)
{
    const Result<NewYearRequest> request = NewYearRequest::fromCommandLine(line);
    if (!request)
        return Status::failure(request.error());
    return createYear(*request, line.positionals().first(), line.has(QStringLiteral("force")), context);
}

Status demo(const CommandLine& line, CommandContext& context)
{
    const Result<int> scale = line.intValue(QStringLiteral("scale"), 1, 1);
    if (!scale)
        return Status::failure(scale.error());
    RandomSource::shared().seed(demoSeed);
    return createYear(demoRequest(*scale), line.positionals().first(), line.has(QStringLiteral("force")), context,
        [](Year& year) { DemoYearFiller(year).fill(); });
}

} // namespace Commands
