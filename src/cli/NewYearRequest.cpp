#include "cli/NewYearRequest.h"

#include "cli/CliDates.h"
#include "foundation/dates/DateFormatting.h"
#include "schedule/CreateNewSemestraController.h"

namespace {

Result<NewYearPlan::Schedule> parseSchedule(const QString& text)
{
    static const QHash<QString, NewYearPlan::Schedule> schedules { { QStringLiteral("traditional"),
                                                                       NewYearPlan::Schedule::Traditional },
        { QStringLiteral("weekly"), NewYearPlan::Schedule::WeeklyRepeating },
        { QStringLiteral("ab"), NewYearPlan::Schedule::AlternatingAB },
        { QStringLiteral("rotating"), NewYearPlan::Schedule::Rotating } };
    if (!schedules.contains(text))
        return Result<NewYearPlan::Schedule>::failure(
            QStringLiteral("--schedule must be traditional, weekly, ab or rotating, not \"%1\"").arg(text));
    return schedules.value(text);
}

Result<QList<int>> parseWeekdays(const QString& list)
{
    QList<int> weekdays;
    for (const QString& name : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const Result<int> weekday = CliDates::parseWeekday(name);
        if (!weekday)
            return Result<QList<int>>::failure(weekday.error());
        weekdays.append(*weekday);
    }
    return weekdays;
}

// A meeting day of a weekly schedule must be one of the teaching days; its
// column is named by the locale's weekday name.
Result<QString> weeklyColumn(const QString& dayText, const QList<int>& teachingDays)
{
    const Result<int> weekday = CliDates::parseWeekday(dayText);
    if (!weekday)
        return Result<QString>::failure(weekday.error());
    if (!teachingDays.contains(*weekday))
        return Result<QString>::failure(QStringLiteral("--meets names %1, which is not in --days").arg(dayText));
    return DateFormatting::weekdaySymbols(DateFormatting::SymbolWidth::Full).at(*weekday);
}

Result<QString> rotationColumn(const QString& dayText, int rotationDays)
{
    bool ok = false;
    const int day = dayText.toInt(&ok);
    if (!ok || day < 0 || day >= rotationDays)
        return Result<QString>::failure(
            QStringLiteral("--meets rotation day \"%1\" is not between 0 and %2").arg(dayText).arg(rotationDays - 1));
    return QString::number(day);
}

} // namespace

Result<NewYearRequest> NewYearRequest::fromCommandLine(const CommandLine& line)
{
    using Failure = Result<NewYearRequest>;
    for (const char* option : { "start", "end", "days" }) {
        if (!line.has(QLatin1String(option)))
            return Failure::failure(QStringLiteral("--%1 is required").arg(QLatin1String(option)));
    }
    const Result<Date> start = CliDates::parseDay(line.value(QStringLiteral("start")));
    const Result<Date> end = CliDates::parseDay(line.value(QStringLiteral("end")));
    const Result<QList<int>> days = parseWeekdays(line.value(QStringLiteral("days")));
    const Result<NewYearPlan::Schedule> schedule
        = parseSchedule(line.value(QStringLiteral("schedule"), QStringLiteral("traditional")));
    for (const QString& error : { start.error(), end.error(), days.error(), schedule.error() }) {
        if (!error.isEmpty())
            return Failure::failure(error);
    }
    NewYearRequest request;
    request.startDate = *start;
    request.endDate = *end;
    request.teachingDays = *days;
    request.schedule = *schedule;
    request.courseNames = line.values(QStringLiteral("course"));
    // The meetings are checked against the rotation length, so it comes first.
    Status read = request.readRotation(line);
    if (read)
        read = request.readMeetings(line.values(QStringLiteral("meets")));
    if (!read)
        return Failure::failure(read.error());
    return request;
}

// Only the rotating row asks for a length; A/B years always have two days.
Status NewYearRequest::readRotation(const CommandLine& line)
{
    const bool rotating = schedule == NewYearPlan::Schedule::Rotating;
    if (line.has(QStringLiteral("rotation")) != rotating)
        return Status::failure(rotating ? QStringLiteral("a rotating schedule needs --rotation N")
                                        : QStringLiteral("--rotation applies to rotating schedules only"));
    const Result<int> rotation = line.intValue(QStringLiteral("rotation"), 0, 1);
    if (!rotation)
        return Status::failure(rotation.error());
    rotationLength = *rotation;
    return Status::success();
}

Status NewYearRequest::readMeetings(const QStringList& meets)
{
    if (!meets.isEmpty() && schedule == NewYearPlan::Schedule::Traditional)
        return Status::failure(QStringLiteral("--meets applies to weekly, ab and rotating schedules only"));
    NewYearPlan plan;
    plan.schedule = schedule;
    plan.rotationLength = rotationLength;
    for (const QString& meeting : meets) {
        const qsizetype equals = meeting.indexOf(QLatin1Char('='));
        const QString course = meeting.left(equals);
        if (equals < 0 || !courseNames.contains(course))
            return Status::failure(
                QStringLiteral("--meets \"%1\" does not start with a --course name and '='").arg(meeting));
        for (const QString& day : meeting.mid(equals + 1).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const Result<QString> column
                = plan.isRotating() ? rotationColumn(day, plan.rotationDays()) : weeklyColumn(day, teachingDays);
            if (!column)
                return Status::failure(column.error());
            meetings[course].append(*column);
        }
    }
    return Status::success();
}

Year* NewYearRequest::build(ObjectContext& context, AlertPresenter& alerts) const
{
    CreateNewSemestraController wizard(context, alerts);
    wizard.setStartDate(startDate);
    wizard.setEndDate(endDate);
    for (int weekday = 0; weekday < 7; ++weekday)
        wizard.setTeachingDay(weekday, teachingDays.contains(weekday));
    wizard.setSchedule(schedule);
    wizard.setRotationLength(rotationLength);
    for (const QString& name : courseNames) {
        if (wizard.addCourse(name) == CreateNewSemestraController::AddCourseResult::AlreadyExists)
            return nullptr;
    }
    const CreateNewSemestraController::Outcome outcome = wizard.continuePressed();
    if (outcome == CreateNewSemestraController::Outcome::StayOnPage)
        return nullptr;
    if (outcome == CreateNewSemestraController::Outcome::ShowCourseSelection) {
        CourseSelectionTable& table = wizard.courseSelection();
        for (qsizetype row = 0; row < table.courseNames().size(); ++row) {
            for (const QString& column : meetings.value(table.courseNames().at(row)))
                table.setTicked(row, column, true);
        }
        wizard.createPressed();
    }
    return wizard.year();
}
