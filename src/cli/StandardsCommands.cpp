#include "cli/CommandContext.h"
#include "cli/CommandLine.h"
#include "cli/LessonLookup.h"
#include "content/StandardsController.h"
#include "model/Document.h"
#include "model/Lesson.h"
#include "model/Standard.h"
#include "model/Year.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

namespace {

struct OpenStandards {
    std::unique_ptr<Document> document;
    Year* year = nullptr;
};

Result<OpenStandards> openStandards(const CommandLine& line, CommandContext& context)
{
    auto document = context.openDocument(line.positionals().first());
    if (!document)
        return Result<OpenStandards>::failure(document.error());
    Year* year = document.value()->getCurrentYear();
    return OpenStandards { std::move(document.value()), year };
}

Standard* standardWithShortName(const Year& year, const QString& shortName)
{
    for (Standard* standard : year.allStandards()) {
        if (!standard->isRootItem() && standard->shortName() == shortName)
            return standard;
    }
    return nullptr;
}

Result<Standard*> namedStandard(const Year& year, const QString& shortName)
{
    Standard* standard = standardWithShortName(year, shortName);
    if (!standard)
        return Result<Standard*>::failure(
            QStringLiteral("there is no standard with the short name \"%1\"").arg(shortName));
    return standard;
}

QJsonObject standardJson(const Standard& standard)
{
    QJsonArray children;
    for (const Standard* child : standard.sortedChildren())
        children.append(standardJson(*child));
    return QJsonObject { { QStringLiteral("shortName"), standard.shortName() },
        { QStringLiteral("text"), standard.text() },
        { QStringLiteral("lessons"), int(standard.objects(u"standardInLesson").size()) },
        { QStringLiteral("children"), children } };
}

void printOutline(QTextStream& out, const Standard& standard, int depth)
{
    out << QString(depth * 2, u' ') << standard.shortName() << QStringLiteral(" — ") << standard.text() << '\n';
    for (const Standard* child : standard.sortedChildren())
        printOutline(out, *child, depth + 1);
}

} // namespace

namespace Commands {

Status standards(const CommandLine& line, CommandContext& context)
{
    const Result<OpenStandards> opened = openStandards(line, context);
    if (!opened)
        return Status::failure(opened.error());
    StandardsController controller(context.alerts);
    controller.setYear(opened->year);
    const Standard* root = controller.rootItem();
    if (!root)
        return Status::failure(QStringLiteral("the year has no standards tree"));
    if (line.has(QStringLiteral("json")))
        context.out << QJsonDocument(standardJson(*root)).toJson(QJsonDocument::Indented);
    else
        printOutline(context.out, *root, 0);
    return Status::success();
}

Status standardsImport(const CommandLine& line, CommandContext& context)
{
    Result<OpenStandards> opened = openStandards(line, context);
    if (!opened)
        return Status::failure(opened.error());
    StandardsController controller(context.alerts);
    controller.setYear(opened->year);
    const std::optional<StandardsImportReport> report = controller.importFile(line.positionals().at(1));
    if (!report)
        return Status::failure({});
    context.out << "added " << report->added << ", skipped " << report->skipped << ", refused " << report->refused
                << ", misplaced " << report->misplaced << Qt::endl;
    return opened.value().document->save();
}

Status standardsExport(const CommandLine& line, CommandContext& context)
{
    const Result<QString> folder = line.required(QStringLiteral("folder"));
    if (!folder)
        return Status::failure(folder.error());
    const Result<OpenStandards> opened = openStandards(line, context);
    if (!opened)
        return Status::failure(opened.error());
    StandardsController controller(context.alerts);
    controller.setYear(opened->year);
    const QString path = controller.exportToFolder(*folder);
    if (path.isEmpty())
        return Status::failure({});
    context.out << path << Qt::endl;
    return Status::success();
}

Status standardAdd(const CommandLine& line, CommandContext& context)
{
    const Result<QString> text = line.required(QStringLiteral("text"));
    if (!text || text->isEmpty())
        return Status::failure(text ? QStringLiteral("--text must not be empty") : text.error());
    Result<OpenStandards> opened = openStandards(line, context);
    if (!opened)
        return Status::failure(opened.error());
    StandardsController controller(context.alerts);
    controller.setYear(opened->year);
    if (line.has(QStringLiteral("parent"))) {
        const Result<Standard*> parent = namedStandard(*opened->year, line.value(QStringLiteral("parent")));
        if (!parent)
            return Status::failure(parent.error());
        controller.setEditedStandard(*parent);
    }
    Standard* standard = controller.addStandardPressed();
    standard->setValue(u"text", *text);
    standard->setValue(u"shortName", line.value(QStringLiteral("short")));
    return opened.value().document->save();
}

Status standardRemove(const CommandLine& line, CommandContext& context)
{
    const Result<QString> shortName = line.required(QStringLiteral("short"));
    if (!shortName)
        return Status::failure(shortName.error());
    if (!line.has(QStringLiteral("yes")))
        return Status::failure(QStringLiteral("standard-remove deletes the standard, everything below it and its "
                                              "lesson links: add --yes"));
    Result<OpenStandards> opened = openStandards(line, context);
    if (!opened)
        return Status::failure(opened.error());
    const Result<Standard*> standard = namedStandard(*opened->year, *shortName);
    if (!standard)
        return Status::failure(standard.error());
    StandardsController controller(context.alerts);
    controller.setYear(opened->year);
    controller.setEditedStandard(*standard);
    if (!controller.removeStandardPressed())
        return Status::failure(QStringLiteral("the standard was not removed"));
    return opened.value().document->save();
}

Status linkStandard(const CommandLine& line, CommandContext& context)
{
    const Result<QString> shortName = line.required(QStringLiteral("standard"));
    if (!shortName)
        return Status::failure(shortName.error());
    Result<OpenStandards> opened = openStandards(line, context);
    if (!opened)
        return Status::failure(opened.error());
    const Result<Lesson*> lesson = LessonLookup::findLesson(line, *opened->year);
    const Result<Standard*> standard = namedStandard(*opened->year, *shortName);
    if (!lesson || !standard)
        return Status::failure(lesson ? standard.error() : lesson.error());
    if (line.has(QStringLiteral("off")))
        (*lesson)->removeStandard((*lesson)->standardInLessonFromStandard(*standard));
    else if (!(*lesson)->hasStandard(*standard))
        (*lesson)->addStandard(*standard);
    return opened.value().document->save();
}

} // namespace Commands
