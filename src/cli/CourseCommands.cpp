#include "cli/CliDates.h"
#include "cli/CommandContext.h"
#include "cli/CommandLine.h"
#include "model/Course.h"
#include "model/Document.h"
#include "model/Year.h"
#include "schedule/AddCourseController.h"
#include "schedule/RemoveCourseController.h"

#include <QColor>
#include <QTextStream>

#include <algorithm>
#include <optional>

namespace {

// Ticks the rows of the chosen weekdays or day types; each must have a row.
template <typename Controller> Status includeRows(Controller& controller, const QList<int>& positions)
{
    for (int position : positions) {
        const auto& rows = controller.rows();
        const auto row = std::find_if(rows.begin(), rows.end(), [&](const auto& r) { return r.position == position; });
        if (row == rows.end())
            return Status::failure(
                QStringLiteral("day %1 is not in the day table: no school days then, or the course does not meet then")
                    .arg(position));
        controller.setIncluded(row - rows.begin(), true);
    }
    return Status::success();
}

// --days or --types, as the year's kind of schedule wants them. Adding to a
// rotating year may name weekdays too (`byWeekday`); removing may not.
Result<QString> dayOption(const CommandLine& line, const Year& year, std::optional<bool> byWeekday)
{
    using Option = Result<QString>;
    const bool days = line.has(QStringLiteral("days"));
    if (days == line.has(QStringLiteral("types")))
        return Option::failure(QStringLiteral("give either --days or --types"));
    if (!days && year.isNonRotating())
        return Option::failure(QStringLiteral("--types needs a rotating year; give --days"));
    if (days && !year.isNonRotating() && !byWeekday.value_or(false))
        return Option::failure(byWeekday ? QStringLiteral("in a rotating year give --types, or --days with "
                                                          "--by-weekday (those days become custom days)")
                                         : QStringLiteral("in a rotating year give --types"));
    return QString(days ? QStringLiteral("days") : QStringLiteral("types"));
}

Status chooseDateRange(const CommandLine& line, AddCourseController& sheet)
{
    if (!line.has(QStringLiteral("from")) && !line.has(QStringLiteral("to")))
        return Status::success();
    sheet.setDateChoice(AddCourseController::DateChoice::DateRange);
    for (const QString& option : { QStringLiteral("from"), QStringLiteral("to") }) {
        if (!line.has(option))
            continue;
        const Result<Date> date = CliDates::parseDay(line.value(option));
        if (!date)
            return Status::failure(date.error());
        option == u"from" ? sheet.setStartDate(*date) : sheet.setEndDate(*date);
    }
    return Status::success();
}

Status fillAddCourseSheet(const CommandLine& line, Year& year, AddCourseController& sheet)
{
    const bool existing = line.has(QStringLiteral("existing"));
    if (existing == line.has(QStringLiteral("name")))
        return Status::failure(QStringLiteral("give either --name for a new course or --existing for an existing one"));
    const bool byWeekday = line.has(QStringLiteral("by-weekday"));
    const Result<QString> option = dayOption(line, year, byWeekday);
    if (!option)
        return Status::failure(option.error());
    sheet.windowDidLoad();
    sheet.setAddToDayOfWeek(byWeekday);
    if (existing) {
        Course* course = year.getCourseWithName(line.value(QStringLiteral("existing")));
        if (!course)
            return Status::failure(
                QStringLiteral("there is no course named \"%1\"").arg(line.value(QStringLiteral("existing"))));
        sheet.setTab(AddCourseController::Tab::ExistingCourse);
        sheet.setExistingCourse(course);
    } else {
        sheet.setCourseNameText(line.value(QStringLiteral("name")));
    }
    const Result<QList<int>> positions = CliDates::parseDayList(line.value(*option), *option);
    if (!positions)
        return Status::failure(positions.error());
    const Status included = includeRows(sheet, *positions);
    return included ? chooseDateRange(line, sheet) : included;
}

Status fillRemoveCourseSheet(const CommandLine& line, Year& year, RemoveCourseController& sheet)
{
    const Result<QString> name = line.required(QStringLiteral("name"));
    if (!name)
        return Status::failure(name.error());
    Course* course = year.getCourseWithName(*name);
    if (!course)
        return Status::failure(QStringLiteral("there is no course named \"%1\"").arg(*name));
    sheet.popUpChanged(course);
    if (line.has(QStringLiteral("all"))) {
        if (line.has(QStringLiteral("days")) || line.has(QStringLiteral("types")))
            return Status::failure(QStringLiteral("give --all or days, not both"));
        for (qsizetype row = 0; row < sheet.rows().size(); ++row)
            sheet.setIncluded(row, true);
        return Status::success();
    }
    const Result<QString> option = dayOption(line, year, std::nullopt);
    if (!option)
        return Status::failure(option.error());
    const Result<QList<int>> positions = CliDates::parseDayList(line.value(*option), *option);
    return positions ? includeRows(sheet, *positions) : Status::failure(positions.error());
}

} // namespace

namespace Commands {

Status addCourse(const CommandLine& line, CommandContext& context)
{
    auto document = context.openDocument(line.positionals().first());
    if (!document)
        return Status::failure(document.error());
    Year& year = *document.value()->getCurrentYear();
    AddCourseController sheet(year, context.alerts);
    if (const Status filled = fillAddCourseSheet(line, year, sheet); !filled)
        return filled;
    if (!sheet.addCoursePressed())
        return Status::failure({});
    return document.value()->save();
}

Status removeCourse(const CommandLine& line, CommandContext& context)
{
    if (!line.has(QStringLiteral("yes")))
        return Status::failure(QStringLiteral("remove-course deletes lessons; give --yes to go ahead"));
    auto document = context.openDocument(line.positionals().first());
    if (!document)
        return Status::failure(document.error());
    Year& year = *document.value()->getCurrentYear();
    RemoveCourseController sheet(year, context.alerts);
    if (const Status filled = fillRemoveCourseSheet(line, year, sheet); !filled)
        return filled;
    const RemoveCourseController::Check check = sheet.checkIfOkToRemove();
    // A refusal is reported through the sheet's alert.
    sheet.removePressed();
    if (check != RemoveCourseController::Check::Removable && check != RemoveCourseController::Check::AllDaysCustom)
        return Status::failure({});
    if (!sheet.resultText().isEmpty())
        context.out << sheet.resultText().trimmed() << '\n';
    return document.value()->save();
}

Status courseColor(const CommandLine& line, CommandContext& context)
{
    const Result<QString> name = line.required(QStringLiteral("course"));
    const Result<QString> rgb = line.required(QStringLiteral("rgb"));
    if (!name || !rgb)
        return Status::failure(name ? rgb.error() : name.error());
    const QColor color = QColor::fromString(*rgb);
    if (!color.isValid() || !rgb->startsWith(QLatin1Char('#')) || rgb->size() != 7)
        return Status::failure(QStringLiteral("--rgb must be a colour of the form #RRGGBB, not \"%1\"").arg(*rgb));
    auto document = context.openDocument(line.positionals().first());
    if (!document)
        return Status::failure(document.error());
    Course* course = document.value()->getCurrentYear()->getCourseWithName(*name);
    if (!course)
        return Status::failure(QStringLiteral("there is no course named \"%1\"").arg(*name));
    course->setColor(color);
    // Files of the Windows edition read the components, not the archived colour.
    course->setRGBColors();
    return document.value()->save();
}

} // namespace Commands
