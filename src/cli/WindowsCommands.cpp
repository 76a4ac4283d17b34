#include "cli/CommandContext.h"
#include "cli/CommandLine.h"
#include "exchange/windows/WindowsExport.h"
#include "exchange/windows/WindowsFileImporter.h"
#include "exchange/windows/WindowsFileWriter.h"
#include "model/Document.h"
#include "model/Year.h"

#include <QFileInfo>
#include <QTextStream>

namespace {

Result<QString> newOutput(const CommandLine& line, const QString& input)
{
    const Result<QString> output = line.required(QStringLiteral("output"));
    if (!output)
        return output;
    if (QFileInfo(*output).absoluteFilePath() == QFileInfo(input).absoluteFilePath())
        return Result<QString>::failure(QStringLiteral("--output must name a new file, not FILE itself"));
    if (QFileInfo::exists(*output) && !line.has(QStringLiteral("force")))
        return Result<QString>::failure(QStringLiteral("%1 already exists (use --force to replace it)").arg(*output));
    return output;
}

} // namespace

namespace Commands {

// The exchange file is written from the cleaned-up plan before FILE is saved,
// so that FILE is left as it was when the export fails.
Status exportWindows(const CommandLine& line, CommandContext& context)
{
    const QString& path = line.positionals().first();
    const Result<QString> output = newOutput(line, path);
    if (!output)
        return Status::failure(output.error());
    auto document = context.openDocumentToChange(path);
    if (!document)
        return Status::failure(document.error());
    WindowsExport::prepareForExport(*document.value()->getCurrentYear());
    const WindowsFileWriter::Outcome written = WindowsFileWriter::write(document.value()->context(), *output);
    if (!written.ok())
        return Status::failure(QStringLiteral("%1 could not be written: %2").arg(*output, written.error));
    return document.value()->save();
}

Status importWindows(const CommandLine& line, CommandContext& context)
{
    const QString& path = line.positionals().first();
    const Result<QString> output = newOutput(line, path);
    if (!output)
        return Status::failure(output.error());
    auto document = context.newDocument(*output, true);
    const Result<WindowsImportSummary> imported
        = WindowsFileImporter::importFile(path, document.value()->context());
    if (!imported)
        return Status::failure(imported.error());
    if (imported->skippedAnything())
        context.out << imported->message() << Qt::endl;
    document.value()->setUpForWindow();
    return document.value()->saveAs(*output);
}

} // namespace Commands
