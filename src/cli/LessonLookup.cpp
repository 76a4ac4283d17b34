#include "cli/LessonLookup.h"

#include "cli/CliDates.h"
#include "cli/CommandContext.h"
#include "cli/CommandLine.h"
#include "model/Day.h"
#include "model/Document.h"
#include "model/Lesson.h"
#include "model/Year.h"

namespace LessonLookup {

Result<Lesson*> findLesson(const CommandLine& line, const Year& year, const QString& prefix)
{
    using Found = Result<Lesson*>;
    const Result<QString> courseName = line.required(prefix + QStringLiteral("course"));
    const Result<QString> dateText = line.required(prefix + QStringLiteral("date"));
    if (!courseName || !dateText)
        return Found::failure(courseName ? dateText.error() : courseName.error());
    const Result<Date> date = CliDates::parseDay(*dateText);
    const Result<int> index = line.intValue(prefix + QStringLiteral("index"), 0, 0);
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

} // namespace LessonLookup
