#include "cli/AttachmentJson.h"
#include "cli/CliDates.h"
#include "cli/CommandContext.h"
#include "cli/CommandLine.h"
#include "cli/LessonLookup.h"
#include "content/LessonContentController.h"
#include "content/TemplateWindowController.h"
#include "foundation/richtext/RichText.h"
#include "model/Assignment.h"
#include "model/Attachment.h"
#include "model/Document.h"
#include "model/Lesson.h"
#include "model/Standard.h"
#include "model/StandardInLesson.h"
#include "model/Unit.h"
#include "model/Year.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

namespace {

using LessonLookup::changeLesson;
using LessonLookup::findLesson;

QJsonObject lessonContentJson(const Lesson& lesson)
{
    const Year* year = lesson.year();
    QJsonObject fields;
    for (const QString& key : Lesson::richFieldKeys())
        fields.insert(key,
            QJsonObject { { QStringLiteral("text"), lesson.value<QString>(Lesson::shadowKey(key)) },
                { QStringLiteral("label"), year ? year->fieldTitle(key) : QString() },
                { QStringLiteral("shown"), year && year->visibleFields().contains(key) } });
    QJsonArray assignments;
    for (const Assignment* assignment : lesson.todaysAssignments())
        assignments.append(AttachmentJson::assignment(*assignment));
    QJsonArray standards;
    for (const StandardInLesson* link : lesson.objects<StandardInLesson>(u"standards")) {
        if (const Standard* standard = link->standard())
            standards.append(QJsonObject { { QStringLiteral("shortName"), standard->shortName() },
                { QStringLiteral("text"), standard->text() } });
    }
    QJsonObject result { { QStringLiteral("course"), lesson.courseName() },
        { QStringLiteral("title"), lesson.lessonTitle() }, { QStringLiteral("locked"), lesson.isAnchored() },
        { QStringLiteral("unit"), lesson.unit() ? QJsonValue(lesson.unit()->unitName()) : QJsonValue() },
        { QStringLiteral("start"), CliDates::timeJson(lesson.startTime()) },
        { QStringLiteral("end"), CliDates::timeJson(lesson.endTime()) }, { QStringLiteral("fields"), fields },
        { QStringLiteral("assignments"), assignments },
        { QStringLiteral("attachments"), AttachmentJson::attachments(lesson.attachments()) },
        { QStringLiteral("standards"), standards } };
    for (const QString& key : Lesson::richFieldKeys())
        result.insert(key, lesson.value<QString>(Lesson::shadowKey(key)));
    return result;
}

void printLesson(const Lesson& lesson, QTextStream& out)
{
    out << lesson.stringForEditingMode() << '\n';
    out << "title: " << lesson.lessonTitle() << '\n';
    if (lesson.unit())
        out << "unit: " << lesson.unit()->unitName() << '\n';
    if (lesson.isAnchored())
        out << "locked\n";
    for (const QString& key : Lesson::richFieldKeys()) {
        const QString text = lesson.value<QString>(Lesson::shadowKey(key));
        const QString label = lesson.year() ? lesson.year()->fieldTitle(key) : QString();
        if (!text.isEmpty())
            out << (label.isEmpty() ? key : label) << ": " << text << '\n';
    }
}

} // namespace

namespace Commands {

Status lesson(const CommandLine& line, CommandContext& context)
{
    auto document = context.openDocument(line.positionals().first());
    if (!document)
        return Status::failure(document.error());
    const Result<Lesson*> found = findLesson(line, *document.value()->getCurrentYear());
    if (!found)
        return Status::failure(found.error());
    if (line.has(QStringLiteral("json")))
        context.out << QJsonDocument(lessonContentJson(**found)).toJson(QJsonDocument::Indented);
    else
        printLesson(**found, context.out);
    return Status::success();
}

Status copyLesson(const CommandLine& line, CommandContext& context)
{
    auto document = context.openDocument(line.positionals().first());
    if (!document)
        return Status::failure(document.error());
    const Year& year = *document.value()->getCurrentYear();
    const Result<Lesson*> source = findLesson(line, year);
    const Result<Lesson*> target = findLesson(line, year, QStringLiteral("to-"));
    if (!source || !target)
        return Status::failure(source ? target.error() : source.error());
    LessonContentController controller(context.alerts);
    controller.copyLesson(*source);
    if (!controller.pasteLesson(*target))
        return Status::failure(QStringLiteral("the copied lesson could not be pasted"));
    return document.value()->save();
}

Status applyTemplate(const CommandLine& line, CommandContext& context)
{
    const Result<QString> fromText = line.required(QStringLiteral("from"));
    const Result<QString> toText = line.required(QStringLiteral("to"));
    if (!fromText || !toText)
        return Status::failure(fromText ? toText.error() : fromText.error());
    const Result<Date> from = CliDates::parseDay(*fromText);
    const Result<Date> to = CliDates::parseDay(*toText);
    if (!from || !to)
        return Status::failure(from ? to.error() : from.error());
    return changeLesson(line, context, [&](Year&, Lesson& lesson) {
        TemplateWindowController sheet(context.alerts);
        sheet.setLesson(&lesson);
        sheet.setStartDate(*from);
        sheet.setEndDate(*to);
        sheet.applyPressed();
    });
}

Status clear(const CommandLine& line, CommandContext& context)
{
    return changeLesson(line, context, [&](Year&, Lesson& lesson) {
        LessonContentController(context.alerts).clearLesson(&lesson);
    });
}

Status clearAll(const CommandLine& line, CommandContext& context)
{
    if (!line.has(QStringLiteral("yes")))
        return Status::failure(QStringLiteral("clear-all removes every lesson's content; give --yes to go ahead"));
    auto document = context.openDocument(line.positionals().first());
    if (!document)
        return Status::failure(document.error());
    LessonContentController(context.alerts).clearAllLessons(*document.value()->getCurrentYear());
    return document.value()->save();
}

} // namespace Commands
