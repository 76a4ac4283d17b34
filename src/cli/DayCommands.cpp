#include "cli/CliDates.h"
#include "cli/CommandContext.h"
#include "cli/CommandLine.h"
#include "foundation/dates/DateFormatting.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Document.h"
#include "model/Lesson.h"
#include "model/Year.h"
#include "schedule/AddCourseToSingleDayController.h"
#include "schedule/ConvertDayMenu.h"
#include "schedule/CustomDayController.h"
#include "schedule/ExtendHolidayController.h"
#include "schedule/MakeNonSchoolDayController.h"
#include "schedule/RemoveLessonFromDay.h"
#include "schedule/YearFrameCommands.h"

#include <algorithm>
#include <functional>

namespace {

using ExistingLessons = MakeNonSchoolDayController::ExistingLessons;
using Change = std::function<Status(Year&, Day&)>;

Result<Day*> findDay(const CommandLine& line, const Year& year, const QString& option = QStringLiteral("date"))
{
    const Result<QString> text = line.required(option);
    if (!text)
        return Result<Day*>::failure(text.error());
    const Result<Date> date = CliDates::parseDay(*text);
    if (!date)
        return Result<Day*>::failure(date.error());
    Day* day = year.getExactDayWithDate(*date);
    if (!day)
        return Result<Day*>::failure(QStringLiteral("the schedule has no day on %1").arg(*text));
    return day;
}

// --bump or --delete, exactly one.
Result<ExistingLessons> existingLessons(const CommandLine& line)
{
    const bool bump = line.has(QStringLiteral("bump"));
    if (bump == line.has(QStringLiteral("delete")))
        return Result<ExistingLessons>::failure(QStringLiteral("give either --bump or --delete"));
    return bump ? ExistingLessons::Bump : ExistingLessons::Delete;
}

// Opens the file, runs the change and saves; nothing is saved when the
// change fails.
Status changeYear(const CommandLine& line, CommandContext& context, const std::function<Status(Year&)>& change)
{
    auto document = context.openDocument(line.positionals().first());
    if (!document)
        return Status::failure(document.error());
    const Status changed = change(*document.value()->getCurrentYear());
    if (!changed)
        return changed;
    return document.value()->save();
}

Status changeDay(const CommandLine& line, CommandContext& context, const Change& change)
{
    return changeYear(line, context, [&](Year& year) {
        const Result<Day*> day = findDay(line, year);
        return day ? change(year, **day) : Status::failure(day.error());
    });
}

Status needSchoolDay(const Day& day)
{
    if (day.isNonSchoolDay())
        return Status::failure(
            QStringLiteral("%1 is already a non-school day").arg(CliDates::formatDay(day.actualDate())));
    return Status::success();
}

Status needNonSchoolDay(const Day& day)
{
    if (!day.isNonSchoolDay())
        return Status::failure(QStringLiteral("%1 is a school day").arg(CliDates::formatDay(day.actualDate())));
    return Status::success();
}

const QString noTemplate = QStringLiteral("the year has no other school day to copy");

// A day type from 0 in a rotating year, a weekday name in the others.
Result<ConvertDayMenu::Item> convertItem(const Year& year, const QString& target)
{
    bool isNumber = false;
    const int type = target.toInt(&isNumber);
    const Result<int> weekday = CliDates::parseWeekday(target);
    const QString weekdayName
        = weekday ? DateFormatting::weekdaySymbols(DateFormatting::SymbolWidth::Full).value(*weekday) : QString();
    for (const ConvertDayMenu::Item& item : ConvertDayMenu::items(year)) {
        const bool matches
            = year.isNonRotating() ? weekday && item.weekdayName == weekdayName : isNumber && item.dayType == type;
        if (matches)
            return item;
    }
    return Result<ConvertDayMenu::Item>::failure(
        QStringLiteral("\"%1\" is not a schedule of this year (a day type from 0 in rotating years, a weekday the "
                       "year has days on in the others)")
            .arg(target));
}

Result<Course*> findCourse(const Year& year, const QString& name)
{
    Course* course = year.getCourseWithName(name);
    if (!course)
        return Result<Course*>::failure(QStringLiteral("there is no course named \"%1\"").arg(name));
    return course;
}

// Marks the named courses in the sheet's table.
Status markCourses(CustomDayController& sheet, const QStringList& names)
{
    for (const QString& name : names) {
        const QList<CustomDayController::CourseRow>& rows = sheet.courseRows();
        const auto row = std::find_if(rows.begin(), rows.end(),
            [&](const CustomDayController::CourseRow& r) { return r.course->courseName() == name; });
        if (row == rows.end())
            return Status::failure(QStringLiteral("there is no course named \"%1\"").arg(name));
        sheet.setCourseMarked(row - rows.begin(), true);
    }
    return Status::success();
}

Status selectCustomDay(CustomDayController& sheet, const QString& name)
{
    const QList<CustomDayController::CustomDayRow>& rows = sheet.customDayRows();
    const auto row = std::find_if(
        rows.begin(), rows.end(), [&](const CustomDayController::CustomDayRow& r) { return r.name == name; });
    if (row == rows.end())
        return Status::failure(QStringLiteral("there is no custom day named \"%1\"").arg(name));
    sheet.setTab(CustomDayController::ExistingCustomDay);
    sheet.setSelectedCustomDay(row - rows.begin());
    return Status::success();
}

} // namespace

namespace Commands {

// A non-rotating year only cancels days, as its menu command does.
Status holiday(const CommandLine& line, CommandContext& context)
{
    return changeDay(line, context, [&](Year& year, Day& day) {
        if (year.isNonRotating())
            return Status::failure(QStringLiteral("a year that does not rotate has no holidays; use cancel"));
        if (const Status school = needSchoolDay(day); !school)
            return school;
        MakeNonSchoolDayController::apply(day, MakeNonSchoolDayController::Kind::Holiday, ExistingLessons::Bump);
        if (line.has(QStringLiteral("name")))
            day.setValue(u"holidayName", line.value(QStringLiteral("name")));
        return Status::success();
    });
}

Status cancel(const CommandLine& line, CommandContext& context)
{
    const Result<ExistingLessons> choice = existingLessons(line);
    if (!choice)
        return Status::failure(choice.error());
    return changeDay(line, context, [&](Year&, Day& day) {
        if (const Status school = needSchoolDay(day); !school)
            return school;
        MakeNonSchoolDayController::apply(day, MakeNonSchoolDayController::Kind::Cancelled, *choice);
        return Status::success();
    });
}

Status restore(const CommandLine& line, CommandContext& context)
{
    return changeDay(line, context, [](Year&, Day& day) {
        if (const Status nonSchool = needNonSchoolDay(day); !nonSchool)
            return nonSchool;
        return day.restoreNonSchoolDay() ? Status::success() : Status::failure(noTemplate);
    });
}

// A holiday of a rotating year slides the rotation and asks nothing, so it
// takes neither --bump nor --delete.
Status extendNonSchool(const CommandLine& line, CommandContext& context)
{
    return changeDay(line, context, [&](Year& year, Day& day) {
        if (const Status nonSchool = needNonSchoolDay(day); !nonSchool)
            return nonSchool;
        const Result<Day*> last = findDay(line, year, QStringLiteral("to"));
        if (!last)
            return Status::failure(last.error());
        if ((*last)->actualDate() < day.actualDate())
            return Status::failure(QStringLiteral("--to is before --date"));
        ExistingLessons choice = ExistingLessons::Bump;
        if (ExtendHolidayController::asksAboutLessons(day)) {
            const Result<ExistingLessons> given = existingLessons(line);
            if (!given)
                return Status::failure(given.error());
            choice = *given;
        }
        ExtendHolidayController::extend(day, (*last)->actualDate(), choice);
        return Status::success();
    });
}

// With --apply the day takes an existing custom day's courses and times;
// otherwise it becomes a new custom day of the given courses.
Status customDay(const CommandLine& line, CommandContext& context)
{
    if (line.has(QStringLiteral("apply")) == !line.values(QStringLiteral("course")).isEmpty())
        return Status::failure(QStringLiteral("give either --course (a new custom day) or --apply NAME"));
    return changeDay(line, context, [&](Year&, Day& day) {
        CustomDayController sheet(context.alerts);
        sheet.showFor(&day);
        const Status chosen = line.has(QStringLiteral("apply"))
            ? selectCustomDay(sheet, line.value(QStringLiteral("apply")))
            : markCourses(sheet, line.values(QStringLiteral("course")));
        if (!chosen)
            return chosen;
        sheet.setName(line.value(QStringLiteral("name")));
        return sheet.createCustomPressed() == CustomDayController::Outcome::Closed ? Status::success()
                                                                                   : Status::failure({});
    });
}

Status convertDay(const CommandLine& line, CommandContext& context)
{
    const Result<QString> target = line.required(QStringLiteral("to"));
    if (!target)
        return Status::failure(target.error());
    return changeDay(line, context, [&](Year& year, Day& day) {
        if (const Status school = needSchoolDay(day); !school)
            return school;
        const Result<ConvertDayMenu::Item> item = convertItem(year, *target);
        if (!item)
            return Status::failure(item.error());
        return ConvertDayMenu::convert(day, *item, context.alerts) ? Status::success() : Status::failure({});
    });
}

Status addToDay(const CommandLine& line, CommandContext& context)
{
    const Result<QString> name = line.required(QStringLiteral("course"));
    if (!name)
        return Status::failure(name.error());
    return changeDay(line, context, [&](Year& year, Day& day) {
        if (const Status school = needSchoolDay(day); !school)
            return school;
        if (const Result<Course*> course = findCourse(year, *name); !course)
            return Status::failure(course.error());
        AddCourseToSingleDayController sheet;
        sheet.setDay(&day);
        sheet.setChosenCourse(*name);
        sheet.addCoursePressed();
        return Status::success();
    });
}

// An empty meeting is simply taken off; one with content wants --bump or --delete.
Status removeLesson(const CommandLine& line, CommandContext& context)
{
    const Result<QString> name = line.required(QStringLiteral("course"));
    const Result<int> index = line.intValue(QStringLiteral("index"), 0, 0);
    if (!name || !index)
        return Status::failure(name ? index.error() : name.error());
    return changeDay(line, context, [&](Year& year, Day& day) {
        const Result<Course*> course = findCourse(year, *name);
        if (!course)
            return Status::failure(course.error());
        Lesson* lesson = day.lessonInCourse(*course, *index);
        if (!lesson)
            return Status::failure(QStringLiteral("%1 has no meeting %2 on that day").arg(*name).arg(*index));
        ExistingLessons choice = ExistingLessons::Delete;
        if (lesson->hasData()) {
            const Result<ExistingLessons> given = existingLessons(line);
            if (!given)
                return Status::failure(given.error());
            choice = *given;
        }
        RemoveLessonFromDay::remove(*lesson,
            choice == ExistingLessons::Bump ? RemoveLessonFromDay::Content::Bump
                                            : RemoveLessonFromDay::Content::Delete);
        return Status::success();
    });
}

Status insertWeek(const CommandLine& line, CommandContext& context)
{
    return changeYear(line, context, [&](Year& year) {
        return YearFrameCommands::insertWeekAtBeginning(year, context.alerts) ? Status::success() : Status::failure({});
    });
}

Status appendWeek(const CommandLine& line, CommandContext& context)
{
    return changeYear(line, context, [&](Year& year) {
        return YearFrameCommands::extendYearByOneWeek(year, context.alerts) ? Status::success() : Status::failure({});
    });
}

Status restartRotation(const CommandLine& line, CommandContext& context)
{
    const Result<int> type = line.intValue(QStringLiteral("type"), -1, 0);
    if (!type)
        return Status::failure(type.error());
    return changeDay(line, context, [&](Year& year, Day& day) {
        if (year.isNonRotating())
            return Status::failure(QStringLiteral("the year does not rotate"));
        if (*type < 0 || *type >= year.repeatInterval())
            return Status::failure(QStringLiteral("--type must be from 0 to %1").arg(year.repeatInterval() - 1));
        if (!year.restartRotation(&day, *type))
            return Status::failure(QStringLiteral(
                "Can't Restart Rotation: Semestra was unable to find non-custom days matching each type of day in "
                "your rotation"));
        return Status::success();
    });
}

} // namespace Commands
