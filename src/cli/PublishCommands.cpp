#include "cli/CliDates.h"
#include "cli/CommandContext.h"
#include "cli/CommandLine.h"
#include "model/Document.h"
#include "model/Year.h"
#include "publish/PublishController.h"
#include "publish/PublishThemes.h"

#include <QFileInfo>
#include <QTextStream>

namespace {

// Both dates or neither; none when neither is given.
Result<std::optional<std::pair<Date, Date>>> rangeOf(const CommandLine& line)
{
    using Range = Result<std::optional<std::pair<Date, Date>>>;
    const bool from = line.has(QStringLiteral("from"));
    if (from != line.has(QStringLiteral("to")))
        return Range::failure(QStringLiteral("--from and --to go together"));
    if (!from)
        return std::optional<std::pair<Date, Date>>();
    const Result<Date> first = CliDates::parseDay(line.value(QStringLiteral("from")));
    const Result<Date> last = CliDates::parseDay(line.value(QStringLiteral("to")));
    if (!first || !last)
        return Range::failure(first ? last.error() : first.error());
    if (*last < *first)
        return Range::failure(QStringLiteral("--to is before --from"));
    return std::optional(std::pair(*first, *last));
}

} // namespace

namespace Commands {

Status publish(const CommandLine& line, CommandContext& context)
{
    const Result<QString> folder = line.required(QStringLiteral("folder"));
    if (!folder)
        return Status::failure(folder.error());
    const QString theme = line.value(QStringLiteral("theme"));
    if (line.has(QStringLiteral("theme")) && !PublishThemes::names().contains(theme))
        return Status::failure(QStringLiteral("unknown theme \"%1\" (see semestra-cli themes)").arg(theme));
    const auto range = rangeOf(line);
    if (!range)
        return Status::failure(range.error());
    auto document = context.openDocumentToChange(line.positionals().first());
    if (!document)
        return Status::failure(document.error());
    PublishController controller(*document.value()->getCurrentYear(), context.alerts, context.files);
    if (line.has(QStringLiteral("theme")))
        controller.setTheme(theme);
    if (*range)
        controller.setRanges(range.value()->first, range.value()->second);
    const PublishOutcome outcome = controller.publishNow(
        QFileInfo(*folder).absoluteFilePath(), [&](const QString& path) { context.out << path << '\n'; });
    if (!outcome.published())
        return Status::failure({});
    context.out << outcome.filesWritten << " files written, " << outcome.filesUnchanged << " unchanged\n";
    return document.value()->save();
}

Status themes(const CommandLine&, CommandContext& context)
{
    for (const QString& name : PublishThemes::names())
        context.out << name << '\n';
    return Status::success();
}

} // namespace Commands
