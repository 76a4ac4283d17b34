#include "cli/CliDates.h"
#include "cli/CommandContext.h"
#include "cli/CommandLine.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Document.h"
#include "model/Lesson.h"
#include "model/Week.h"
#include "model/Year.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <algorithm>

namespace {

QString scheduleName(const Year& year)
{
    switch (year.typeOfSchedule()) {
    case Year::Traditional:
        return QStringLiteral("traditional");
    case Year::WeeklyRepeating:
        return QStringLiteral("weekly");
    default:
        return QStringLiteral("rotating");
    }
}

QString dayKind(const Day& day)
{
    if (day.isHoliday())
        return QStringLiteral("holiday");
    return day.isCancelled() ? QStringLiteral("cancelled") : QStringLiteral("school");
}

QJsonObject lessonJson(const Lesson& lesson)
{
    return QJsonObject { { QStringLiteral("course"), lesson.courseName() },
        { QStringLiteral("position"), lesson.lessonPosition() }, { QStringLiteral("title"), lesson.lessonTitle() },
        { QStringLiteral("locked"), lesson.isAnchored() },
        { QStringLiteral("start"), CliDates::timeJson(lesson.startTime()) },
        { QStringLiteral("end"), CliDates::timeJson(lesson.endTime()) }, { QStringLiteral("hasData"), lesson.hasData() } };
}

QJsonObject dayJson(const Day& day)
{
    QJsonArray lessons;
    for (const Lesson* lesson : day.lessonsInOrder())
        lessons.append(lessonJson(*lesson));
    const Week* week = day.week();
    return QJsonObject { { QStringLiteral("date"), CliDates::formatDay(day.actualDate()) },
        { QStringLiteral("week"), week ? week->weekNumber() : 0 }, { QStringLiteral("kind"), dayKind(day) },
        { QStringLiteral("custom"), day.isCustom() }, { QStringLiteral("name"), day.holidayName() },
        { QStringLiteral("dayType"), day.typeOfDay() }, { QStringLiteral("notes"), day.notes() },
        { QStringLiteral("lessons"), lessons } };
}

QJsonObject yearJson(Year& year)
{
    QJsonArray courses;
    for (const Course* course : year.courses()) {
        const QList<Lesson*> lessons = course->lessons();
        const auto withData
            = std::count_if(lessons.begin(), lessons.end(), [](const Lesson* l) { return l->hasData(); });
        courses.append(QJsonObject { { QStringLiteral("name"), course->courseName() },
            { QStringLiteral("lessons"), int(lessons.size()) }, { QStringLiteral("lessonsWithData"), int(withData) },
            { QStringLiteral("color"), course->color().name() } });
    }
    return QJsonObject { { QStringLiteral("schedule"), scheduleName(year) },
        { QStringLiteral("rotationLength"), year.repeatInterval() },
        { QStringLiteral("startDate"), CliDates::formatDay(year.startDate()) },
        { QStringLiteral("endDate"), CliDates::formatDay(year.endDate()) },
        { QStringLiteral("weeks"), int(year.weeks().size()) }, { QStringLiteral("courses"), courses } };
}

void writeJson(QTextStream& out, const QJsonDocument& json)
{
    out << QString::fromUtf8(json.toJson(QJsonDocument::Indented));
}

// The readable forms are drawn from the same objects as the JSON, so that
// both always tell the same.
void writeYearText(QTextStream& out, const QJsonObject& year)
{
    out << "schedule: " << year.value(u"schedule").toString() << '\n'
        << "rotation length: " << year.value(u"rotationLength").toInt() << '\n'
        << "dates: " << year.value(u"startDate").toString() << " to " << year.value(u"endDate").toString() << '\n'
        << "weeks: " << year.value(u"weeks").toInt() << '\n';
    for (const QJsonValue& course : year.value(u"courses").toArray()) {
        out << "course " << course[u"name"].toString() << ": " << course[u"lessons"].toInt() << " lessons, "
            << course[u"lessonsWithData"].toInt() << " with data\n";
    }
}

void writeDayText(QTextStream& out, const QJsonObject& day)
{
    out << day.value(u"date").toString() << " week " << day.value(u"week").toInt() << ' '
        << day.value(u"kind").toString();
    for (const QJsonValue& lesson : day.value(u"lessons").toArray()) {
        out << " | " << lesson[u"course"].toString();
        if (!lesson[u"title"].toString().isEmpty())
            out << ": " << lesson[u"title"].toString();
    }
    out << '\n';
}

} // namespace

namespace Commands {

Status info(const CommandLine& line, CommandContext& context)
{
    auto document = context.openDocument(line.positionals().first());
    if (!document)
        return Status::failure(document.error());
    const QJsonObject year = yearJson(*document.value()->getCurrentYear());
    if (line.has(QStringLiteral("json")))
        writeJson(context.out, QJsonDocument(year));
    else
        writeYearText(context.out, year);
    return Status::success();
}

Status days(const CommandLine& line, CommandContext& context)
{
    auto document = context.openDocument(line.positionals().first());
    if (!document)
        return Status::failure(document.error());
    QJsonArray days;
    for (const Day* day : document.value()->getCurrentYear()->getAllDaysOrderedAscending())
        days.append(dayJson(*day));
    if (line.has(QStringLiteral("json"))) {
        writeJson(context.out, QJsonDocument(days));
        return Status::success();
    }
    for (const QJsonValue& day : days)
        writeDayText(context.out, day.toObject());
    return Status::success();
}

} // namespace Commands
