#include "cli/CliDates.h"
#include "cli/CommandContext.h"
#include "cli/CommandLine.h"
#include "foundation/richtext/RichText.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Document.h"
#include "model/Lesson.h"
#include "model/Year.h"

#include <functional>

namespace {

// The meeting of --course on --date; --index picks among several meetings
// of the course on that day.
Result<Lesson*> findLesson(const CommandLine& line, const Year& year)
{
    using Found = Result<Lesson*>;
    const Result<QString> courseName = line.required(QStringLiteral("course"));
    const Result<QString> dateText = line.required(QStringLiteral("date"));
    if (!courseName || !dateText)
        return Found::failure(courseName ? dateText.error() : courseName.error());
    const Result<Date> date = CliDates::parseDay(*dateText);
    const Result<int> index = line.intValue(QStringLiteral("index"), 0, 0);
    if (!date || !index)
        return Found::failure(date ? index.error() : date.error());
    const Course* course = year.getCourseWithName(*courseName);
    if (!course)
        return Found::failure(QStringLiteral("there is no course named \"%1\"").arg(*courseName));
    const Day* day = year.getExactDayWithDate(*date);
    if (!day)
        return Found::failure(QStringLiteral("the schedule has no day on %1").arg(*dateText));
    Lesson* lesson = day->lessonInCourse(course, *index);
    if (!lesson)
        return Found::failure(QStringLiteral("%1 has no meeting %2 on %3").arg(*courseName).arg(*index).arg(*dateText));
    return lesson;
}

// Opens the file, applies the change to the lesson and saves; nothing is
// saved when any step fails.
Status changeLesson(const CommandLine& line, CommandContext& context, const std::function<void(Year&, Lesson&)>& change)
{
    auto document = context.openDocument(line.positionals().first());
    if (!document)
        return Status::failure(document.error());
    Year& year = *document.value()->getCurrentYear();
    const Result<Lesson*> lesson = findLesson(line, year);
    if (!lesson)
        return Status::failure(lesson.error());
    change(year, **lesson);
    return document.value()->save();
}

// "key=text" pairs for the lesson's rich fields.
Result<QList<std::pair<QString, QString>>> parseFields(const QStringList& assignments)
{
    using Parsed = Result<QList<std::pair<QString, QString>>>;
    QList<std::pair<QString, QString>> fields;
    for (const QString& assignment : assignments) {
        const qsizetype equals = assignment.indexOf(QLatin1Char('='));
        const QString key = assignment.left(equals);
        if (equals < 0 || !Lesson::richFieldKeys().contains(key))
            return Parsed::failure(QStringLiteral("--field \"%1\" must be one of %2, then '=' and the text")
                                       .arg(assignment, Lesson::richFieldKeys().join(QStringLiteral(", "))));
        fields.append({ key, assignment.mid(equals + 1) });
    }
    return fields;
}

} // namespace

namespace Commands {

Status setLesson(const CommandLine& line, CommandContext& context)
{
    const auto fields = parseFields(line.values(QStringLiteral("field")));
    if (!fields)
        return Status::failure(fields.error());
    if (fields->isEmpty() && !line.has(QStringLiteral("title")))
        return Status::failure(QStringLiteral("set-lesson needs --title or --field"));
    return changeLesson(line, context, [&](Year&, Lesson& lesson) {
        if (line.has(QStringLiteral("title")))
            lesson.setValue(u"lessonTitle", line.value(QStringLiteral("title")));
        for (const auto& [key, text] : *fields)
            lesson.setValue(key, RichText::fromPlainText(text));
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
