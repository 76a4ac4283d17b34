#include "cli/CliDates.h"
#include "cli/CommandContext.h"
#include "cli/CommandLine.h"
#include "cli/DemoYearFiller.h"
#include "cli/NewYearRequest.h"
#include "model/Document.h"
#include "model/Year.h"
#include "schedule/YearMigration.h"

#include <QFileInfo>

#include <functional>

namespace {

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
    DemoYearFiller::seedRandomSource();
    return createYear(DemoYearFiller::request(*scale), line.positionals().first(), line.has(QStringLiteral("force")),
        context, [](Year& year) { DemoYearFiller(year).fill(); });
}

// The moved year goes to a new file; FILE stays last year's plan.
Status migrate(const CommandLine& line, CommandContext& context)
{
    const Result<QString> startText = line.required(QStringLiteral("start"));
    const Result<QString> output = line.required(QStringLiteral("output"));
    if (!startText || !output)
        return Status::failure(startText ? output.error() : startText.error());
    const Result<Date> start = CliDates::parseDay(*startText);
    if (!start)
        return Status::failure(start.error());
    const QString& path = line.positionals().first();
    if (QFileInfo(*output).absoluteFilePath() == QFileInfo(path).absoluteFilePath())
        return Status::failure(QStringLiteral("--output must name a new file, not FILE itself"));
    if (QFileInfo::exists(*output) && !line.has(QStringLiteral("force")))
        return Status::failure(QStringLiteral("%1 already exists (use --force to replace it)").arg(*output));
    auto document = context.openDocument(path);
    if (!document)
        return Status::failure(document.error());
    YearMigration::migrate(*document.value()->getCurrentYear(), *start);
    document.value()->detachFromFile();
    return document.value()->saveAs(*output);
}

} // namespace Commands
