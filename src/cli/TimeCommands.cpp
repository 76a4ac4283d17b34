#include "cli/CliDates.h"
#include "cli/CommandContext.h"
#include "cli/CommandLine.h"
#include "foundation/dates/DateFormatting.h"
#include "model/Course.h"
#include "model/Document.h"
#include "model/Year.h"
#include "schedule/AssignTimesDateFormatter.h"
#include "schedule/CourseTimeController.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <algorithm>

namespace {

// The column prefix of --day: the whole year in a traditional schedule, a
// weekday name in a weekly one, a day-type letter in a rotating one.
Result<QString> columnPrefix(const QString& day, const Year& year)
{
    using Prefix = Result<QString>;
    switch (year.typeOfSchedule()) {
    case Year::Traditional:
        if (day != u"all")
            return Prefix::failure(QStringLiteral("a traditional year has one set of times: give --day all"));
        return QString();
    case Year::WeeklyRepeating: {
        const Result<int> weekday = CliDates::parseWeekday(day);
        if (!weekday)
            return Prefix::failure(weekday.error());
        return DateFormatting::weekdaySymbols(DateFormatting::SymbolWidth::Full).at(*weekday) + QLatin1Char(' ');
    }
    default:
        if (day.size() != 1 || !day.at(0).isLetter())
            return Prefix::failure(QStringLiteral("a rotating year's --day is a day-type letter (A, B, ...)"));
        return QStringLiteral("%1 Day ").arg(day.toUpper());
    }
}

// A script's HH:MM as the sheet shows it, so that the cell reads it back
// exactly (the sheet's typing shortcuts would read 02:00 as 2 pm).
Result<QString> cellTextForTime(const QString& text)
{
    const QTime time = QTime::fromString(text, QStringLiteral("HH:mm"));
    if (!time.isValid())
        return Result<QString>::failure(QStringLiteral("\"%1\" is not a time of the form HH:MM").arg(text));
    return AssignTimesDateFormatter::string(Date::fromQDateTime(QDateTime(QDate::currentDate(), time)));
}

// The table's cells as text, "HH:MM" or null for a meeting without a time;
// days on which the row's course does not meet are left out.
QJsonObject rowJson(const CourseTimeController& sheet, qsizetype index)
{
    const CourseTimeRow& row = sheet.rows().at(index);
    QJsonObject cells;
    for (const QString& key : sheet.columnKeys()) {
        if (row.times.contains(key)) {
            const std::optional<Date> time = row.times.value(key);
            cells.insert(key, time ? QJsonValue(CliDates::formatTime(*time)) : QJsonValue());
        }
    }
    return QJsonObject { { QStringLiteral("row"), row.courseName },
        { QStringLiteral("course"), row.course->courseName() },
        { QStringLiteral("meeting"), row.courseMeetingInDay + 1 }, { QStringLiteral("cells"), cells } };
}

} // namespace

namespace Commands {

Status times(const CommandLine& line, CommandContext& context)
{
    auto document = context.openDocument(line.positionals().first());
    if (!document)
        return Status::failure(document.error());
    CourseTimeController sheet(*document.value()->getCurrentYear());
    sheet.createCourseTimeArray();
    QJsonArray rows;
    for (qsizetype index = 0; index < sheet.rows().size(); ++index)
        rows.append(rowJson(sheet, index));
    if (line.has(QStringLiteral("json"))) {
        const QJsonObject table { { QStringLiteral("columns"), QJsonArray::fromStringList(sheet.columnKeys()) },
            { QStringLiteral("rows"), rows } };
        context.out << QString::fromUtf8(QJsonDocument(table).toJson(QJsonDocument::Indented));
        return Status::success();
    }
    for (qsizetype index = 0; index < sheet.rows().size(); ++index) {
        context.out << sheet.rows().at(index).courseName;
        for (const QString& key : sheet.columnKeys())
            context.out << " | " << key << ": " << sheet.cellText(index, key);
        context.out << '\n';
    }
    return Status::success();
}

Status setTimes(const CommandLine& line, CommandContext& context)
{
    const Result<QString> name = line.required(QStringLiteral("course"));
    const Result<QString> day = line.required(QStringLiteral("day"));
    const Result<QString> start = line.required(QStringLiteral("start"));
    const Result<QString> end = line.required(QStringLiteral("end"));
    const Result<int> meeting = line.intValue(QStringLiteral("meeting"), 1, 1);
    if (!name || !day || !start || !end || !meeting)
        return Status::failure(!name ? name.error()
                : !day               ? day.error()
                : !start             ? start.error()
                : !end               ? end.error()
                                     : meeting.error());
    const Result<QString> startCell = cellTextForTime(*start);
    const Result<QString> endCell = cellTextForTime(*end);
    if (!startCell || !endCell)
        return Status::failure(startCell ? endCell.error() : startCell.error());
    auto document = context.openDocument(line.positionals().first());
    if (!document)
        return Status::failure(document.error());
    const Year& year = *document.value()->getCurrentYear();
    const Result<QString> prefix = columnPrefix(*day, year);
    if (!prefix)
        return Status::failure(prefix.error());
    CourseTimeController sheet(*document.value()->getCurrentYear());
    sheet.createCourseTimeArray();
    const Course* course = year.getCourseWithName(*name);
    const auto& rows = sheet.rows();
    const auto row = std::find_if(rows.begin(), rows.end(),
        [&](const CourseTimeRow& r) { return r.course == course && r.courseMeetingInDay == *meeting - 1; });
    if (!course || row == rows.end())
        return Status::failure(
            QStringLiteral("the course-times table has no row for meeting %1 of \"%2\"").arg(*meeting).arg(*name));
    const qsizetype index = row - rows.begin();
    const QString startKey = *prefix + (prefix->isEmpty() ? QStringLiteral("Start Time") : QStringLiteral("Start"));
    const QString endKey = *prefix + (prefix->isEmpty() ? QStringLiteral("End Time") : QStringLiteral("End"));
    if (!row->times.contains(startKey))
        return Status::failure(QStringLiteral("\"%1\" has no class in the column \"%2\"").arg(*name, startKey));
    sheet.setCellText(index, startKey, *startCell);
    sheet.setCellText(index, endKey, *endCell);
    sheet.applyChangesPressed();
    return document.value()->save();
}

} // namespace Commands
