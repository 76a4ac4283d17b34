#include "cli/CliDates.h"
#include "cli/CommandContext.h"
#include "cli/CommandLine.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Document.h"
#include "model/LessonReportInformation.h"
#include "model/Standard.h"
#include "model/Unit.h"
#include "model/Week.h"
#include "model/Year.h"
#include "report/ReportPdf.h"
#include "report/TextReports.h"
#include "report/WeeklyReportLayout.h"

#include <QTextDocument>
#include <QTextStream>

#include <memory>

namespace {

// The weekly grid as text: each day's date line, then its lessons' text or
// the reason there is no school.
void writeWeeklyText(QTextStream& out, Week& week, LessonReportInformation& settings)
{
    WeeklyReportLayout layout(week, settings);
    layout.reload(1000);
    for (const WeeklyDayColumn& column : layout.columns()) {
        out << WeeklyReportLayout::dateText(*column.day) << '\n';
        if (column.day->isNonSchoolDay())
            out << WeeklyReportLayout::nonSchoolLabel(*column.day) << '\n';
        for (const WeeklyLessonBox& box : column.boxes)
            out << box.text->toPlainText() << '\n';
        out << '\n';
    }
}

Result<Date> dayOption(const CommandLine& line, const QString& option)
{
    const Result<QString> text = line.required(option);
    if (!text)
        return Result<Date>::failure(text.error());
    return CliDates::parseDay(*text);
}

Result<std::unique_ptr<QTextDocument>> dailyReport(const CommandLine& line, Year& year)
{
    using Made = Result<std::unique_ptr<QTextDocument>>;
    const Result<Date> from = dayOption(line, QStringLiteral("from"));
    if (!from)
        return Made::failure(from.error());
    const Result<Date> to = dayOption(line, QStringLiteral("to"));
    if (!to)
        return Made::failure(to.error());
    if (*to < *from)
        return Made::failure(QStringLiteral("--to is before --from"));
    return TextReports::dailyPlan(year, *from, *to);
}

Result<std::unique_ptr<QTextDocument>> unitReport(const CommandLine& line, Year& year)
{
    using Made = Result<std::unique_ptr<QTextDocument>>;
    const Result<QString> courseName = line.required(QStringLiteral("course"));
    if (!courseName)
        return Made::failure(courseName.error());
    const Result<QString> unitName = line.required(QStringLiteral("unit"));
    if (!unitName)
        return Made::failure(unitName.error());
    const Course* course = year.getCourseWithName(*courseName);
    if (!course)
        return Made::failure(QStringLiteral("there is no course named \"%1\"").arg(*courseName));
    const Unit* unit = course->unitWithName(*unitName);
    if (!unit)
        return Made::failure(QStringLiteral("%1 has no unit named \"%2\"").arg(*courseName, *unitName));
    return TextReports::unitReport(year, unit);
}

Result<std::unique_ptr<QTextDocument>> standardsReport(const CommandLine& line, Year& year)
{
    using Made = Result<std::unique_ptr<QTextDocument>>;
    const Result<QString> shortName = line.required(QStringLiteral("standard"));
    if (!shortName)
        return Made::failure(shortName.error());
    const QList<Standard*> standards = year.allStandards();
    const auto found = std::find_if(standards.begin(), standards.end(),
        [&](const Standard* standard) { return standard->shortName() == *shortName; });
    if (found == standards.end())
        return Made::failure(QStringLiteral("there is no standard named \"%1\"").arg(*shortName));
    return TextReports::standardsReport(year, *found);
}

Result<std::unique_ptr<QTextDocument>> textReport(const QString& kind, const CommandLine& line, Year& year)
{
    if (kind == QLatin1String("daily"))
        return dailyReport(line, year);
    if (kind == QLatin1String("unit"))
        return unitReport(line, year);
    return standardsReport(line, year);
}

Status weeklyReport(const CommandLine& line, CommandContext& context, Year& year)
{
    const Result<Date> date = dayOption(line, QStringLiteral("date"));
    if (!date)
        return Status::failure(date.error());
    Week* week = year.getWeekWithDate(*date);
    if (!week || !year.getExactDayWithDate(*date))
        return Status::failure(
            QStringLiteral("%1 is not a day of the year").arg(line.value(QStringLiteral("date"))));
    LessonReportInformation& settings = *year.reportInformation();
    if (line.has(QStringLiteral("text"))) {
        writeWeeklyText(context.out, *week, settings);
        return Status::success();
    }
    return ReportPdf::writeWeekly(*week, settings, line.value(QStringLiteral("pdf")));
}

} // namespace

namespace Commands {

// Reports only read the document, so nothing is ever saved: the settings a
// report reads are made in memory when the file has none.
Status report(const CommandLine& line, CommandContext& context)
{
    const QString kind = line.positionals().at(1);
    static const QStringList kinds { QStringLiteral("weekly"), QStringLiteral("daily"), QStringLiteral("unit"),
        QStringLiteral("standards") };
    if (!kinds.contains(kind))
        return Status::failure(QStringLiteral("unknown report \"%1\" (weekly, daily, unit or standards)").arg(kind));
    if (line.has(QStringLiteral("text")) == line.has(QStringLiteral("pdf")))
        return Status::failure(QStringLiteral("give either --pdf OUT or --text"));
    auto document = context.openDocument(line.positionals().first());
    if (!document)
        return Status::failure(document.error());
    Year& year = *document.value()->getCurrentYear();
    if (kind == QLatin1String("weekly"))
        return weeklyReport(line, context, year);
    const Result<std::unique_ptr<QTextDocument>> text = textReport(kind, line, year);
    if (!text)
        return Status::failure(text.error());
    if (line.has(QStringLiteral("text"))) {
        context.out << text.value()->toPlainText() << '\n';
        return Status::success();
    }
    return ReportPdf::writeText(*text.value(), line.value(QStringLiteral("pdf")));
}

} // namespace Commands
