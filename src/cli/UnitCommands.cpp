#include "cli/CliDates.h"
#include "cli/CommandContext.h"
#include "cli/CommandLine.h"
#include "content/LessonContentController.h"
#include "content/UnitManagerController.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Document.h"
#include "model/Lesson.h"
#include "model/Unit.h"
#include "model/Year.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

namespace {

struct OpenCourse {
    std::unique_ptr<Document> document;
    Course* course = nullptr;
};

Result<OpenCourse> openCourse(const CommandLine& line, CommandContext& context)
{
    using Opened = Result<OpenCourse>;
    const Result<QString> courseName = line.required(QStringLiteral("course"));
    if (!courseName)
        return Opened::failure(courseName.error());
    auto document = context.openDocument(line.positionals().first());
    if (!document)
        return Opened::failure(document.error());
    Course* course = document.value()->getCurrentYear()->getCourseWithName(*courseName);
    if (!course)
        return Opened::failure(QStringLiteral("there is no course named \"%1\"").arg(*courseName));
    return OpenCourse { std::move(document.value()), course };
}

Result<Unit*> namedUnit(const CommandLine& line, const Course& course)
{
    const Result<QString> name = line.required(QStringLiteral("unit"));
    if (!name)
        return Result<Unit*>::failure(name.error());
    Unit* unit = course.unitWithName(*name);
    if (!unit)
        return Result<Unit*>::failure(
            QStringLiteral("%1 has no unit named \"%2\"").arg(course.courseName(), *name));
    return unit;
}

QJsonObject unitJson(const Unit& unit)
{
    QJsonArray dates;
    for (const Lesson* lesson : unit.allLessonsInOrder()) {
        if (lesson->dayTaught())
            dates.append(CliDates::formatDay(lesson->dayTaught()->actualDate()));
    }
    return QJsonObject { { QStringLiteral("name"), unit.unitName() },
        { QStringLiteral("lessons"), int(dates.size()) }, { QStringLiteral("dates"), dates } };
}

Status addUnit(const CommandLine& line, UnitManagerController& manager, CommandContext& context)
{
    Unit* unit = manager.addUnit();
    if (line.has(QStringLiteral("name")) && !manager.renameUnit(unit, line.value(QStringLiteral("name"))))
        return Status::failure(
            QStringLiteral("the course already has a unit named \"%1\"").arg(line.value(QStringLiteral("name"))));
    context.out << unit->unitName() << Qt::endl;
    return Status::success();
}

} // namespace

namespace Commands {

Status units(const CommandLine& line, CommandContext& context)
{
    const Result<OpenCourse> opened = openCourse(line, context);
    if (!opened)
        return Status::failure(opened.error());
    QJsonArray list;
    for (const Unit* unit : opened->course->unitsArray())
        list.append(unitJson(*unit));
    if (line.has(QStringLiteral("json"))) {
        context.out << QJsonDocument(list).toJson(QJsonDocument::Indented);
        return Status::success();
    }
    for (const QJsonValue& unit : list)
        context.out << unit[u"name"].toString() << " (" << unit[u"lessons"].toInt() << " lessons)\n";
    return Status::success();
}

// add [--name N] | rename --unit OLD --name NEW | delete --unit NAME
Status unit(const CommandLine& line, CommandContext& context)
{
    const QString action = line.positionals().at(1);
    if (action != u"add" && action != u"rename" && action != u"delete")
        return Status::failure(QStringLiteral("unit takes add, rename or delete, not \"%1\"").arg(action));
    Result<OpenCourse> opened = openCourse(line, context);
    if (!opened)
        return Status::failure(opened.error());
    UnitManagerController manager(context.alerts);
    manager.setYear(opened->course->year());
    manager.selectCourse(opened->course);
    Status done = Status::success();
    if (action == u"add") {
        done = addUnit(line, manager, context);
    } else {
        const Result<Unit*> unit = namedUnit(line, *opened->course);
        if (!unit)
            return Status::failure(unit.error());
        if (action == u"delete")
            manager.deleteUnit(*unit);
        else if (!manager.renameUnit(*unit, line.value(QStringLiteral("name"))))
            done = Status::failure(QStringLiteral("a unit cannot be renamed to \"%1\": the name is empty or taken")
                                       .arg(line.value(QStringLiteral("name"))));
    }
    if (!done)
        return done;
    return opened.value().document->save();
}

Status unitCopy(const CommandLine& line, CommandContext& context)
{
    Result<OpenCourse> opened = openCourse(line, context);
    if (!opened)
        return Status::failure(opened.error());
    const Result<Unit*> unit = namedUnit(line, *opened->course);
    const Result<QString> dateText = line.required(QStringLiteral("onto-date"));
    if (!unit || !dateText)
        return Status::failure(unit ? dateText.error() : unit.error());
    const Result<Date> date = CliDates::parseDay(*dateText);
    const Result<int> index = line.intValue(QStringLiteral("onto-index"), 0, 0);
    if (!date || !index)
        return Status::failure(date ? index.error() : date.error());
    const Day* day = opened->course->year()->getExactDayWithDate(*date);
    Lesson* target = day ? day->lessonInCourse(opened->course, *index) : nullptr;
    if (!target)
        return Status::failure(
            QStringLiteral("%1 has no meeting %2 on %3").arg(opened->course->courseName()).arg(*index).arg(*dateText));
    if (!LessonContentController(context.alerts).dropUnit(target, *unit))
        return Status::failure({});
    return opened.value().document->save();
}

Status unitExport(const CommandLine& line, CommandContext& context)
{
    const Result<OpenCourse> opened = openCourse(line, context);
    if (!opened)
        return Status::failure(opened.error());
    const Result<Unit*> unit = namedUnit(line, *opened->course);
    const Result<QString> folder = line.required(QStringLiteral("folder"));
    if (!unit || !folder)
        return Status::failure(unit ? folder.error() : unit.error());
    UnitManagerController manager(context.alerts);
    const QString path = manager.exportUnit(*unit, *folder);
    if (path.isEmpty())
        return Status::failure({});
    context.out << path << Qt::endl;
    return Status::success();
}

} // namespace Commands
