#include "cli/CliDates.h"
#include "cli/CommandContext.h"
#include "cli/CommandLine.h"
#include "exchange/ExportCourseController.h"
#include "exchange/ImportCourseController.h"
#include "foundation/alerts/AlertPresenter.h"
#include "model/Course.h"
#include "model/Document.h"
#include "model/Year.h"

#include <QTextStream>

#include <algorithm>

namespace {

// Shows every alert; a question (an alert with a second button) is answered
// with its first button only when the script said --yes, else with "Cancel".
class AnsweringPresenter : public AlertPresenter {
public:
    AnsweringPresenter(AlertPresenter& shown, bool yes)
        : m_shown(shown)
        , m_yes(yes)
    { }

    int runModal(const Alert& alert) override
    {
        const int answer = m_shown.runModal(alert);
        if (alert.alternateButton.isEmpty() || m_yes)
            return answer;
        m_refused = true;
        return AlertAlternateReturn;
    }
    bool refused() const { return m_refused; }

private:
    AlertPresenter& m_shown;
    bool m_yes;
    bool m_refused = false;
};

Status chooseRange(const CommandLine& line, ExportCourseController& sheet)
{
    const bool from = line.has(QStringLiteral("from"));
    if (from != line.has(QStringLiteral("to")))
        return Status::failure(QStringLiteral("give both --from and --to, or neither"));
    if (!from)
        return Status::success();
    const Result<Date> start = CliDates::parseDay(line.value(QStringLiteral("from")));
    const Result<Date> end = CliDates::parseDay(line.value(QStringLiteral("to")));
    if (!start || !end)
        return Status::failure(start ? end.error() : start.error());
    sheet.dateChanged(*start, *end);
    return Status::success();
}

// Without --days or --types every row stays ticked.
Status tickRows(const CommandLine& line, const Year& year, ImportCourseController& sheet)
{
    const bool days = line.has(QStringLiteral("days"));
    const bool types = line.has(QStringLiteral("types"));
    if (!days && !types)
        return Status::success();
    if (days && types)
        return Status::failure(QStringLiteral("give --days or --types, not both"));
    const bool wanted = year.typeOfSchedule() == (days ? Year::WeeklyRepeating : Year::Rotating);
    if (!wanted)
        return Status::failure(days ? QStringLiteral("--days needs a weekly repeating year")
                                    : QStringLiteral("--types needs a rotating year"));
    const QString option = days ? QStringLiteral("days") : QStringLiteral("types");
    const Result<QList<int>> positions = CliDates::parseDayList(line.value(option), option);
    if (!positions)
        return Status::failure(positions.error());
    const QList<ImportScheduleRow> rows = sheet.tableViewArray();
    for (int position : *positions) {
        if (std::none_of(
                rows.begin(), rows.end(), [&](const ImportScheduleRow& row) { return row.position == position; }))
            return Status::failure(QStringLiteral("day %1 is not in the year's schedule").arg(position));
    }
    for (qsizetype row = 0; row < rows.size(); ++row)
        sheet.setIncluded(row, positions->contains(rows[row].position));
    return Status::success();
}

Status runImport(const CommandLine& line, const Year& year, ImportCourseController& sheet, Date start)
{
    if (line.has(QStringLiteral("new")) == line.has(QStringLiteral("into")))
        return Status::failure(QStringLiteral("give either --new or --into NAME"));
    if (line.has(QStringLiteral("new"))) {
        const Status ticked = tickRows(line, year, sheet);
        if (!ticked)
            return ticked;
        sheet.setAddNewDate(start);
        return sheet.importNewPressed() ? Status::success() : Status::failure({});
    }
    Course* course = year.getCourseWithName(line.value(QStringLiteral("into")));
    if (!course)
        return Status::failure(
            QStringLiteral("there is no course named \"%1\"").arg(line.value(QStringLiteral("into"))));
    sheet.setChosenCourse(course);
    sheet.setAddExistingDate(start);
    return sheet.importExistingPressed() ? Status::success() : Status::failure({});
}

} // namespace

namespace Commands {

Status exportCourse(const CommandLine& line, CommandContext& context)
{
    const Result<QString> courseName = line.required(QStringLiteral("course"));
    const Result<QString> folder = line.required(QStringLiteral("folder"));
    if (!courseName || !folder)
        return Status::failure(courseName ? folder.error() : courseName.error());
    auto document = context.openDocument(line.positionals().first());
    if (!document)
        return Status::failure(document.error());
    Year& year = *document.value()->getCurrentYear();
    if (!year.getCourseWithName(*courseName))
        return Status::failure(QStringLiteral("there is no course named \"%1\"").arg(*courseName));
    ExportCourseController sheet(year, context.alerts, context.files);
    sheet.windowDidLoad();
    sheet.setSelectedCourseName(*courseName);
    if (const Status range = chooseRange(line, sheet); !range)
        return range;
    const QString path = sheet.exportToFolder(*folder);
    if (path.isEmpty())
        return Status::failure({});
    context.out << path << Qt::endl;
    return Status::success();
}

Status importCourse(const CommandLine& line, CommandContext& context)
{
    const Result<QString> startText = line.required(QStringLiteral("start"));
    if (!startText)
        return Status::failure(startText.error());
    const Result<Date> start = CliDates::parseDay(*startText);
    if (!start)
        return Status::failure(start.error());
    auto document = context.openDocument(line.positionals().first());
    if (!document)
        return Status::failure(document.error());
    Year& year = *document.value()->getCurrentYear();
    if (*start < year.startDate().midnightDate() || *start > year.endDate())
        return Status::failure(QStringLiteral("%1 is not within the year").arg(*startText));
    AnsweringPresenter alerts(context.alerts, line.has(QStringLiteral("yes")));
    ImportCourseController sheet(year, alerts);
    sheet.setFilePath(line.positionals().at(1));
    const Status imported = runImport(line, year, sheet, *start);
    if (!imported)
        return alerts.refused() ? Status::failure(QStringLiteral("nothing imported: give --yes to go on")) : imported;
    return document.value()->save();
}

} // namespace Commands
