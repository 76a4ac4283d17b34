#include "cli/CliDates.h"
#include "cli/CommandContext.h"
#include "cli/CommandLine.h"
#include "cli/LessonLookup.h"
#include "content/LibraryController.h"
#include "content/SearchResultsController.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Document.h"
#include "model/Lesson.h"
#include "model/Year.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

namespace {

QString libraryPath(const CommandLine& line)
{
    return line.value(QStringLiteral("library"), LessonLibrary::defaultPath());
}

Status addToLibrary(const CommandLine& line, CommandContext& context)
{
    if (line.positionals().size() != 2)
        return Status::failure(QStringLiteral("library add takes one FILE argument"));
    auto document = context.openDocument(line.positionals().at(1));
    if (!document)
        return Status::failure(document.error());
    const Result<Lesson*> lesson = LessonLookup::findLesson(line, *document.value()->getCurrentYear());
    if (!lesson)
        return Status::failure(lesson.error());
    if (!LibraryController::sendToLibrary(**lesson, context.alerts, libraryPath(line)))
        return Status::failure({});
    return Status::success();
}

QJsonValue titleOrNull(const QVariantMap& entry)
{
    const QString title = entry.value(QStringLiteral("lessonTitle")).toString();
    return title.isEmpty() ? QJsonValue() : QJsonValue(title);
}

Status listLibrary(const CommandLine& line, CommandContext& context, LibraryController& library)
{
    if (line.positionals().size() != 1)
        return Status::failure(QStringLiteral("library list takes no further argument"));
    QJsonArray entries;
    for (int row = 0; row < library.rowCount(); ++row)
        entries.append(QJsonObject {
            { QStringLiteral("index"), row }, { QStringLiteral("title"), titleOrNull(library.entryAt(row)) } });
    if (line.has(QStringLiteral("json"))) {
        context.out << QJsonDocument(entries).toJson(QJsonDocument::Indented);
        return Status::success();
    }
    for (int row = 0; row < library.rowCount(); ++row)
        context.out << row << ": " << library.titleAt(row) << '\n';
    return Status::success();
}

Status removeFromLibrary(const CommandLine& line, LibraryController& library)
{
    bool isNumber = false;
    const int index = line.positionals().size() == 2 ? line.positionals().at(1).toInt(&isNumber) : -1;
    if (!isNumber)
        return Status::failure(QStringLiteral("library remove takes the INDEX that library list shows"));
    if (index < 0 || index >= library.rowCount())
        return Status::failure(QStringLiteral("the library has no entry %1").arg(index));
    library.selectRow(index);
    return library.removeSelected() ? Status::success() : Status::failure({});
}

QJsonObject resultJson(const Lesson& lesson)
{
    return QJsonObject { { QStringLiteral("date"), CliDates::formatDay(lesson.dayTaught()->actualDate()) },
        { QStringLiteral("course"), lesson.courseName() },
        { QStringLiteral("title"), lesson.hasTitle() ? QJsonValue(lesson.lessonTitle()) : QJsonValue() } };
}

} // namespace

namespace Commands {

// add FILE --course NAME --date D | list | remove INDEX
Status library(const CommandLine& line, CommandContext& context)
{
    const QString action = line.positionals().first();
    if (action == u"add")
        return addToLibrary(line, context);
    if (action != u"list" && action != u"remove")
        return Status::failure(QStringLiteral("library takes add, list or remove, not \"%1\"").arg(action));
    LibraryController library(context.alerts, libraryPath(line));
    if (!library.reload())
        return Status::failure({});
    return action == u"list" ? listLibrary(line, context, library) : removeFromLibrary(line, library);
}

Status search(const CommandLine& line, CommandContext& context)
{
    auto document = context.openDocument(line.positionals().first());
    if (!document)
        return Status::failure(document.error());
    const QList<Lesson*> found
        = SearchResultsController::searchForString(*document.value()->getCurrentYear(), line.positionals().at(1));
    QJsonArray results;
    for (const Lesson* lesson : found)
        results.append(resultJson(*lesson));
    if (line.has(QStringLiteral("json"))) {
        context.out << QJsonDocument(results).toJson(QJsonDocument::Indented);
        return Status::success();
    }
    for (const Lesson* lesson : found)
        context.out << CliDates::formatDay(lesson->dayTaught()->actualDate()) << "  " << lesson->courseName() << "  "
                    << SearchResultsController::rowTitle(*lesson) << '\n';
    return Status::success();
}

} // namespace Commands
