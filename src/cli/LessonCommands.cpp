#include "cli/CommandContext.h"
#include "cli/CommandLine.h"
#include "cli/LessonLookup.h"
#include "foundation/richtext/RichText.h"
#include "foundation/richtext/RtfWriter.h"
#include "model/Course.h"
#include "model/Lesson.h"
#include "model/Unit.h"
#include "model/Year.h"

#include <QFile>
#include <QTextDocument>

namespace {

using LessonLookup::changeLesson;

using FieldValues = QList<std::pair<QString, QString>>;

// "key=value" pairs of one option for the lesson's rich fields.
Result<FieldValues> parseFields(const CommandLine& line, const QString& option, const QString& valueName)
{
    FieldValues fields;
    for (const QString& assignment : line.values(option)) {
        const qsizetype equals = assignment.indexOf(QLatin1Char('='));
        const QString key = assignment.left(equals);
        if (equals < 0 || !Lesson::richFieldKeys().contains(key))
            return Result<FieldValues>::failure(QStringLiteral("--%1 \"%2\" must be one of %3, then '=' and the %4")
                                                    .arg(option, assignment,
                                                        Lesson::richFieldKeys().join(QStringLiteral(", ")), valueName));
        fields.append({ key, assignment.mid(equals + 1) });
    }
    return fields;
}

Result<QByteArray> readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Result<QByteArray>::failure(QStringLiteral("%1: %2").arg(path, file.errorString()));
    return file.readAll();
}

// The rich text of each field from --field text, --rtf files and --html
// files, read before the document is opened so that a missing file changes
// nothing.
Result<QList<std::pair<QString, QByteArray>>> richFields(const CommandLine& line)
{
    using Rich = Result<QList<std::pair<QString, QByteArray>>>;
    QList<std::pair<QString, QByteArray>> result;
    const Result<FieldValues> texts = parseFields(line, QStringLiteral("field"), QStringLiteral("text"));
    const Result<FieldValues> rtfFiles = parseFields(line, QStringLiteral("rtf"), QStringLiteral("file"));
    const Result<FieldValues> htmlFiles = parseFields(line, QStringLiteral("html"), QStringLiteral("file"));
    for (const auto* parsed : { &texts, &rtfFiles, &htmlFiles }) {
        if (!*parsed)
            return Rich::failure(parsed->error());
    }
    for (const auto& [key, text] : *texts)
        result.append({ key, RichText::fromPlainText(text) });
    for (const auto& [key, path] : *rtfFiles) {
        const Result<QByteArray> rtf = readFile(path);
        if (!rtf)
            return Rich::failure(rtf.error());
        result.append({ key, *rtf });
    }
    for (const auto& [key, path] : *htmlFiles) {
        const Result<QByteArray> html = readFile(path);
        if (!html)
            return Rich::failure(html.error());
        QTextDocument document;
        document.setHtml(QString::fromUtf8(*html));
        result.append({ key, RtfWriter::write(document) });
    }
    return result;
}

} // namespace

namespace Commands {

Status setLesson(const CommandLine& line, CommandContext& context)
{
    const auto fields = richFields(line);
    if (!fields)
        return Status::failure(fields.error());
    const QString unitName = line.value(QStringLiteral("unit"));
    if (line.has(QStringLiteral("unit")) && unitName.isEmpty())
        return Status::failure(QStringLiteral("--unit needs a name"));
    if (fields->isEmpty() && !line.has(QStringLiteral("title")) && unitName.isEmpty())
        return Status::failure(QStringLiteral("set-lesson needs --title, --unit, --field, --rtf or --html"));
    return changeLesson(line, context, [&](Year&, Lesson& lesson) {
        if (line.has(QStringLiteral("title")))
            lesson.setValue(u"lessonTitle", line.value(QStringLiteral("title")));
        for (const auto& [key, rtf] : *fields)
            lesson.setValue(key, rtf);
        if (!unitName.isEmpty()) {
            Unit* unit = lesson.course()->unitWithName(unitName);
            lesson.setObject(u"unit", unit ? unit : lesson.course()->addUnitWithName(unitName));
        }
    });
}

Status lock(const CommandLine& line, CommandContext& context)
{
    return changeLesson(
        line, context, [&](Year&, Lesson& lesson) { lesson.setValue(u"anchored", !line.has(QStringLiteral("off"))); });
}

Status bump(const CommandLine& line, CommandContext& context)
{
    return changeLesson(line, context, [](Year& year, Lesson& lesson) { year.bumpLesson(&lesson); });
}

Status pullBack(const CommandLine& line, CommandContext& context)
{
    return changeLesson(line, context, [](Year& year, Lesson& lesson) { year.pullLessonsBack(&lesson); });
}

} // namespace Commands
