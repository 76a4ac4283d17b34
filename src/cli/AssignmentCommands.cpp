#include "cli/AttachmentJson.h"
#include "cli/CliDates.h"
#include "cli/CommandContext.h"
#include "cli/CommandLine.h"
#include "cli/LessonLookup.h"
#include "foundation/richtext/RichText.h"
#include "model/AssignedFile.h"
#include "model/AssignedWebLink.h"
#include "model/Assignment.h"
#include "model/AttachedFile.h"
#include "model/AttachedWebLink.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Document.h"
#include "model/Lesson.h"
#include "model/Year.h"
#include "net/PageTitleFetcher.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QTextStream>

namespace {

using LessonLookup::findLesson;

// Opens the file, finds the lesson, applies a change that may fail and
// saves only when it did not.
Status changeLessonOrFail(
    const CommandLine& line, CommandContext& context, const std::function<Status(Year&, Lesson&)>& change)
{
    auto document = context.openDocument(line.positionals().first());
    if (!document)
        return Status::failure(document.error());
    Year& year = *document.value()->getCurrentYear();
    const Result<Lesson*> lesson = findLesson(line, year);
    if (!lesson)
        return Status::failure(lesson.error());
    if (const Status changed = change(year, **lesson); !changed)
        return changed;
    return document.value()->save();
}

// The assignment of that title given in, or due in, the lesson.
Result<Assignment*> findAssignment(const Lesson& lesson, const QString& title)
{
    QList<Assignment*> matching;
    for (Assignment* assignment : lesson.todaysAssignments()) {
        if (assignment->title() == title)
            matching.append(assignment);
    }
    if (matching.isEmpty())
        return Result<Assignment*>::failure(QStringLiteral("the lesson has no assignment titled \"%1\"").arg(title));
    if (matching.size() > 1)
        return Result<Assignment*>::failure(QStringLiteral("the lesson has %1 assignments titled \"%2\"")
                                                .arg(matching.size())
                                                .arg(title));
    return matching.first();
}

// The lesson of the assignment's course on --due, at or after the lesson
// it is given in.
Result<Lesson*> dueLessonFor(const Year& year, Lesson& given, const QString& dueText)
{
    using Found = Result<Lesson*>;
    const Result<Date> date = CliDates::parseDay(dueText);
    if (!date)
        return Found::failure(date.error());
    for (Lesson* candidate : year.getLessonsInCourse(Year::Relative::AfterLesson, &given)) {
        if (candidate->dayTaught() && candidate->dayTaught()->actualDate() == *date)
            return candidate;
    }
    return Found::failure(
        QStringLiteral("%1 does not meet on %2 at or after the lesson").arg(given.courseName(), dueText));
}

Status assignTo(const CommandLine& line, const Year& year, Lesson& lesson)
{
    const Result<QString> title = line.required(QStringLiteral("title"));
    if (!title)
        return Status::failure(title.error());
    const Result<int> points = line.intValue(QStringLiteral("points"), 0, 0);
    if (!points)
        return Status::failure(points.error());
    Lesson* due = lesson.lessonFollowing();
    if (line.has(QStringLiteral("due"))) {
        const Result<Lesson*> chosen = dueLessonFor(year, lesson, line.value(QStringLiteral("due")));
        if (!chosen)
            return Status::failure(chosen.error());
        due = *chosen;
    }
    Assignment* assignment = lesson.addAssignment();
    assignment->setValue(u"title", *title);
    assignment->setValue(u"points", *points);
    assignment->setObject(u"dueLesson", due);
    if (line.has(QStringLiteral("details")))
        assignment->setValue(u"details", RichText::fromPlainText(line.value(QStringLiteral("details"))));
    return Status::success();
}

// A path given on the command line, made absolute so that the record
// still finds the file from elsewhere.
QString attachedPath(const QString& given)
{
    return given.startsWith(QLatin1String("file:")) ? given : QFileInfo(given).absoluteFilePath();
}

Status attachTo(const CommandLine& line, Lesson& lesson)
{
    const bool file = line.has(QStringLiteral("file"));
    if (file == line.has(QStringLiteral("url")))
        return Status::failure(QStringLiteral("give either --file PATH or --url URL"));
    Assignment* assignment = nullptr;
    if (line.has(QStringLiteral("assignment"))) {
        const Result<Assignment*> found = findAssignment(lesson, line.value(QStringLiteral("assignment")));
        if (!found)
            return Status::failure(found.error());
        assignment = *found;
    }
    if (file) {
        const QString path = attachedPath(line.value(QStringLiteral("file")));
        if (assignment)
            assignment->addFileWithPath(path);
        else
            lesson.addFileWithPath(path);
        return Status::success();
    }
    const std::optional<QString> address = AttachedWebLink::addressFromTyped(line.value(QStringLiteral("url")));
    if (!address)
        return Status::failure(QStringLiteral("\"%1\" is not a web address").arg(line.value(QStringLiteral("url"))));
    const QString name = line.has(QStringLiteral("name")) ? line.value(QStringLiteral("name"))
                                                          : PageTitleFetcher().fetchTitle(*address).value_or(QString());
    if (assignment)
        assignment->addWebLinkWithURL(*address, name);
    else
        lesson.addWebLinkWithURL(*address, name);
    return Status::success();
}

Status detachFrom(const CommandLine& line, Lesson& lesson)
{
    const Result<QString> name = line.required(QStringLiteral("name"));
    if (!name)
        return Status::failure(name.error());
    Assignment* assignment = nullptr;
    if (line.has(QStringLiteral("assignment"))) {
        const Result<Assignment*> found = findAssignment(lesson, line.value(QStringLiteral("assignment")));
        if (!found)
            return Status::failure(found.error());
        assignment = *found;
    }
    for (Attachment* attachment : assignment ? assignment->attachments() : lesson.attachments()) {
        if (attachment->name() != *name)
            continue;
        if (assignment)
            assignment->removeAttachment(attachment);
        else
            lesson.removeAttachment(attachment);
        return Status::success();
    }
    return Status::failure(QStringLiteral("there is no attachment named \"%1\"").arg(*name));
}

QJsonObject missingJson(const AttachedFile& file)
{
    QJsonObject result = AttachmentJson::attachment(file);
    result.insert(QStringLiteral("detail"), file.detailForSSBWindow());
    const auto* assigned = dynamic_cast<const AssignedFile*>(&file);
    const Assignment* assignment = assigned ? assigned->assignment() : nullptr;
    const Lesson* lesson = assignment ? assignment->assignedLesson() : file.lesson();
    result.insert(QStringLiteral("course"), lesson ? QJsonValue(lesson->courseName()) : QJsonValue());
    result.insert(QStringLiteral("date"),
        lesson && lesson->dayTaught() ? QJsonValue(CliDates::formatDay(lesson->dayTaught()->actualDate()))
                                      : QJsonValue());
    result.insert(QStringLiteral("assignment"), assignment ? QJsonValue(assignment->title()) : QJsonValue());
    return result;
}

} // namespace

namespace Commands {

Status assign(const CommandLine& line, CommandContext& context)
{
    return changeLessonOrFail(line, context, [&](Year& year, Lesson& lesson) { return assignTo(line, year, lesson); });
}

Status unassign(const CommandLine& line, CommandContext& context)
{
    const Result<QString> title = line.required(QStringLiteral("title"));
    if (!title)
        return Status::failure(title.error());
    return changeLessonOrFail(line, context, [&](Year&, Lesson& lesson) {
        const Result<Assignment*> found = findAssignment(lesson, *title);
        if (!found)
            return Status::failure(found.error());
        (*found)->remove();
        return Status::success();
    });
}

Status attach(const CommandLine& line, CommandContext& context)
{
    return changeLessonOrFail(line, context, [&](Year&, Lesson& lesson) { return attachTo(line, lesson); });
}

Status detach(const CommandLine& line, CommandContext& context)
{
    return changeLessonOrFail(line, context, [&](Year&, Lesson& lesson) { return detachFrom(line, lesson); });
}

Status missingAttachments(const CommandLine& line, CommandContext& context)
{
    auto document = context.openDocument(line.positionals().first());
    if (!document)
        return Status::failure(document.error());
    const QList<AttachedFile*> missing = document.value()->getCurrentYear()->getAllMissingFiles();
    if (line.has(QStringLiteral("json"))) {
        QJsonArray list;
        for (const AttachedFile* file : missing)
            list.append(missingJson(*file));
        context.out << QJsonDocument(list).toJson(QJsonDocument::Indented);
        return Status::success();
    }
    for (const AttachedFile* file : missing)
        context.out << file->filePath() << '\t' << file->detailForSSBWindow() << '\n';
    return Status::success();
}

Status relink(const CommandLine& line, CommandContext& context)
{
    const Result<QString> from = line.required(QStringLiteral("from"));
    const Result<QString> to = line.required(QStringLiteral("to"));
    if (!from || !to)
        return Status::failure(from ? to.error() : from.error());
    const QString target = attachedPath(*to);
    if (!QFileInfo(AttachedFile::plainPath(target)).isFile())
        return Status::failure(QStringLiteral("there is no file at %1").arg(*to));
    auto document = context.openDocument(line.positionals().first());
    if (!document)
        return Status::failure(document.error());
    const QList<AttachedFile*> changed = document.value()->getCurrentYear()->relinkFiles(*from, target);
    if (changed.isEmpty())
        return Status::failure(QStringLiteral("no attachment refers to %1").arg(*from));
    context.out << changed.size() << " attachment(s) now refer to " << target << '\n';
    return document.value()->save();
}

} // namespace Commands
