#include "cli/CommandContext.h"
#include "cli/CommandLine.h"
#include "cli/DemoYearFiller.h"
#include "cli/NewYearRequest.h"
#include "model/Document.h"
#include "model/Year.h"

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

} // namespace Commands
