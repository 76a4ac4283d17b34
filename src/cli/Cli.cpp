#include "cli/Cli.h"

#include "cli/CliAlertPresenter.h"
#include "cli/CliFileChooser.h"
#include "cli/CommandContext.h"
#include "cli/CommandHelp.h"
#include "cli/CommandLine.h"

#include <QCoreApplication>
#include <QTextStream>

#include <algorithm>
#include <functional>

namespace {

struct Command {
    CommandSyntax syntax;
    QString usage;
    std::function<Status(const CommandLine&, CommandContext&)> run;
    QString summary;
    // Written without the program's name, which the help puts in front.
    QString example;
    // What an option means for this command where that differs from
    // sharedMeanings().
    QHash<QString, QString> meanings = {};
};

// Every command that opens an existing file can upgrade an older one into
// a new file.
const QString upgradeOption = QStringLiteral("upgrade-to");
const QStringList lessonOptions { QStringLiteral("course"), QStringLiteral("date"), QStringLiteral("index"),
    upgradeOption };

// What an option means wherever a command does not say otherwise.
const QHash<QString, QString>& sharedMeanings()
{
    static const QHash<QString, QString> meanings {
        { QStringLiteral("course"), QStringLiteral("the course, by name") },
        { QStringLiteral("date"), QStringLiteral("the day, YYYY-MM-DD") },
        { QStringLiteral("index"), QStringLiteral("which of the course's meetings that day, from 0 (default 0)") },
        { upgradeOption, QStringLiteral("convert FILE of an earlier version into this new file and work on that") },
        { QStringLiteral("json"), QStringLiteral("print JSON instead of text") },
        { QStringLiteral("force"), QStringLiteral("replace a file that is already there") },
        { QStringLiteral("yes"), QStringLiteral("confirm a change that deletes lessons") },
        { QStringLiteral("unit"), QStringLiteral("the unit, by name") },
        { QStringLiteral("folder"), QStringLiteral("the folder to write into") },
        { QStringLiteral("bump"), QStringLiteral("move the lessons on to the course's next meetings") },
        { QStringLiteral("delete"), QStringLiteral("delete the lessons") },
        { QStringLiteral("standard"), QStringLiteral("the standard, by short name") },
        { QStringLiteral("help"), QStringLiteral("print this help") },
    };
    return meanings;
}

const QList<Command>& commands()
{
    static const QList<Command> all {
        { { QStringLiteral("new"), 1,
              { QStringLiteral("start"), QStringLiteral("end"), QStringLiteral("days"), QStringLiteral("course"),
                  QStringLiteral("schedule"), QStringLiteral("rotation"), QStringLiteral("meets") },
              { QStringLiteral("force") } },
            QStringLiteral("new FILE --start YYYY-MM-DD --end YYYY-MM-DD --days mon,tue,... --course NAME ...\n"
                           "      [--schedule traditional|weekly|ab|rotating] [--rotation N] [--meets NAME=DAYS ...] "
                           "[--force]"),
            Commands::newYear, QStringLiteral("Creates a school year with its courses and schedule."),
            QStringLiteral("new year.semestra --start 2025-09-08 --end 2026-06-19 --days mon,tue,wed,thu,fri --course "
                           "Biology --course History"),
            { { QStringLiteral("days"), QStringLiteral("the weekdays school meets, e.g. mon,tue,wed,thu,fri") },
                { QStringLiteral("course"), QStringLiteral("a course to create (repeat for more)") },
                { QStringLiteral("schedule"),
                    QStringLiteral("how courses meet: traditional (default), weekly, ab or rotating") },
                { QStringLiteral("rotation"), QStringLiteral("how many day types a rotating schedule has") },
                { QStringLiteral("meets"),
                    QStringLiteral("the days NAME meets: weekdays in weekly years, day types from 0 in ab and rotating "
                                   "ones (repeat per course)") },
                { QStringLiteral("start"), QStringLiteral("the first day of school, YYYY-MM-DD") },
                { QStringLiteral("end"), QStringLiteral("the last day of school, YYYY-MM-DD") } } },
        { { QStringLiteral("info"), 1, { upgradeOption }, { QStringLiteral("json") } },
            QStringLiteral("info FILE [--json]"), Commands::info,
            QStringLiteral("Prints the year's dates, schedule and courses."),
            QStringLiteral("info year.semestra --json") },
        { { QStringLiteral("days"), 1, { upgradeOption }, { QStringLiteral("json") } },
            QStringLiteral("days FILE [--json]"), Commands::days,
            QStringLiteral("Prints every day of the year with its lessons."), QStringLiteral("days year.semestra") },
        { { QStringLiteral("set-lesson"), 1,
              lessonOptions
                  + QStringList { QStringLiteral("title"), QStringLiteral("field"), QStringLiteral("unit"),
                      QStringLiteral("rtf"), QStringLiteral("html") },
              {} },
            QStringLiteral(
                "set-lesson FILE --course NAME --date YYYY-MM-DD [--index N] [--title T] [--field KEY=TEXT ...]\n"
                "      [--unit NAME] [--rtf KEY=FILE ...] [--html KEY=FILE ...]"),
            Commands::setLesson, QStringLiteral("Writes a lesson's title, fields or unit."),
            QStringLiteral("set-lesson year.semestra --course Biology --date 2025-09-09 --title \"Cells\" --field "
                           "homework=\"Read chapter 2\""),
            { { QStringLiteral("title"), QStringLiteral("the lesson's title") },
                { QStringLiteral("field"),
                    QStringLiteral("a lesson field as KEY=TEXT, KEY one of lessonBody, homework, publicComment, "
                                   "custom1, custom2, custom3 (repeat for more)") },
                { QStringLiteral("unit"), QStringLiteral("the unit the lesson belongs to") },
                { QStringLiteral("rtf"), QStringLiteral("a lesson field as KEY=FILE, read from an RTF file") },
                { QStringLiteral("html"), QStringLiteral("a lesson field as KEY=FILE, read from an HTML file") } } },
        { { QStringLiteral("lesson"), 1, lessonOptions, { QStringLiteral("json") } },
            QStringLiteral("lesson FILE --course NAME --date YYYY-MM-DD [--index N] [--json]"), Commands::lesson,
            QStringLiteral("Prints one lesson."),
            QStringLiteral("lesson year.semestra --course Biology --date 2025-09-09 --json") },
        { { QStringLiteral("copy-lesson"), 1,
              lessonOptions
                  + QStringList { QStringLiteral("to-course"), QStringLiteral("to-date"), QStringLiteral("to-index") },
              {} },
            QStringLiteral("copy-lesson FILE --course NAME --date YYYY-MM-DD [--index N] --to-course NAME "
                           "--to-date YYYY-MM-DD [--to-index N]"),
            Commands::copyLesson, QStringLiteral("Copies a lesson onto another meeting."),
            QStringLiteral("copy-lesson year.semestra --course Biology --date 2025-09-09 --to-course History --to-date "
                           "2025-09-10"),
            { { QStringLiteral("to-course"), QStringLiteral("the course to copy into") },
                { QStringLiteral("to-date"), QStringLiteral("the day to copy onto, YYYY-MM-DD") },
                { QStringLiteral("to-index"),
                    QStringLiteral("which of that course's meetings that day, from 0 (default 0)") } } },
        { { QStringLiteral("template"), 1, lessonOptions + QStringList { QStringLiteral("from"), QStringLiteral("to") },
              {} },
            QStringLiteral(
                "template FILE --course NAME --date YYYY-MM-DD [--index N] --from YYYY-MM-DD --to YYYY-MM-DD"),
            Commands::applyTemplate,
            QStringLiteral("Copies a lesson onto every meeting of its course in a range of days."),
            QStringLiteral(
                "template year.semestra --course Biology --date 2025-09-09 --from 2025-09-10 --to 2025-09-30"),
            { { QStringLiteral("from"), QStringLiteral("the first day to fill, YYYY-MM-DD") },
                { QStringLiteral("to"), QStringLiteral("the last day to fill, YYYY-MM-DD") } } },
        { { QStringLiteral("clear"), 1, lessonOptions, {} },
            QStringLiteral("clear FILE --course NAME --date YYYY-MM-DD [--index N]"), Commands::clear,
            QStringLiteral("Empties one lesson."),
            QStringLiteral("clear year.semestra --course Biology --date 2025-09-09") },
        { { QStringLiteral("clear-all"), 1, { upgradeOption }, { QStringLiteral("yes") } },
            QStringLiteral("clear-all FILE --yes"), Commands::clearAll,
            QStringLiteral("Empties every lesson of the year."), QStringLiteral("clear-all year.semestra --yes"),
            { { QStringLiteral("yes"), QStringLiteral("confirm that every lesson is emptied") } } },
        { { QStringLiteral("assign"), 1,
              lessonOptions
                  + QStringList { QStringLiteral("title"), QStringLiteral("due"), QStringLiteral("points"),
                      QStringLiteral("details") },
              {} },
            QStringLiteral("assign FILE --course NAME --date YYYY-MM-DD [--index N] --title T [--due YYYY-MM-DD]\n"
                           "      [--points N] [--details TEXT]"),
            Commands::assign, QStringLiteral("Adds an assignment to a lesson."),
            QStringLiteral("assign year.semestra --course Biology --date 2025-09-09 --title \"Lab report\" --due "
                           "2025-09-16 --points 10"),
            { { QStringLiteral("title"), QStringLiteral("the assignment's title") },
                { QStringLiteral("due"), QStringLiteral("the day it is due, YYYY-MM-DD") },
                { QStringLiteral("points"), QStringLiteral("how many points it is worth") },
                { QStringLiteral("details"), QStringLiteral("what the students are to do") } } },
        { { QStringLiteral("unassign"), 1, lessonOptions + QStringList { QStringLiteral("title") }, {} },
            QStringLiteral("unassign FILE --course NAME --date YYYY-MM-DD [--index N] --title T"), Commands::unassign,
            QStringLiteral("Removes an assignment from a lesson."),
            QStringLiteral("unassign year.semestra --course Biology --date 2025-09-09 --title \"Lab report\""),
            { { QStringLiteral("title"), QStringLiteral("the assignment's title") } } },
        { { QStringLiteral("attach"), 1,
              lessonOptions
                  + QStringList { QStringLiteral("file"), QStringLiteral("url"), QStringLiteral("name"),
                      QStringLiteral("assignment") },
              {} },
            QStringLiteral(
                "attach FILE --course NAME --date YYYY-MM-DD [--index N] (--file PATH | --url URL [--name N])\n"
                "      [--assignment TITLE]"),
            Commands::attach, QStringLiteral("Attaches a file or a web link to a lesson or one of its assignments."),
            QStringLiteral(
                "attach year.semestra --course Biology --date 2025-09-09 --url https://example.org/cells --name Cells"),
            { { QStringLiteral("file"), QStringLiteral("the file to attach") },
                { QStringLiteral("url"), QStringLiteral("the web address to link") },
                { QStringLiteral("name"), QStringLiteral("the name a link is shown under") },
                { QStringLiteral("assignment"), QStringLiteral("attach to this assignment of the lesson instead") } } },
        { { QStringLiteral("detach"), 1,
              lessonOptions + QStringList { QStringLiteral("name"), QStringLiteral("assignment") }, {} },
            QStringLiteral("detach FILE --course NAME --date YYYY-MM-DD [--index N] --name N [--assignment TITLE]"),
            Commands::detach, QStringLiteral("Removes an attachment from a lesson or one of its assignments."),
            QStringLiteral("detach year.semestra --course Biology --date 2025-09-09 --name Cells"),
            { { QStringLiteral("name"), QStringLiteral("the attachment's name") },
                { QStringLiteral("assignment"),
                    QStringLiteral("detach from this assignment of the lesson instead") } } },
        { { QStringLiteral("missing-attachments"), 1, { upgradeOption }, { QStringLiteral("json") } },
            QStringLiteral("missing-attachments FILE [--json]"), Commands::missingAttachments,
            QStringLiteral("Lists attached files that are no longer where they were."),
            QStringLiteral("missing-attachments year.semestra") },
        { { QStringLiteral("relink"), 1, { QStringLiteral("from"), QStringLiteral("to"), upgradeOption }, {} },
            QStringLiteral("relink FILE --from OLDPATH --to NEWPATH"), Commands::relink,
            QStringLiteral("Points attachments under one folder at another."),
            QStringLiteral("relink year.semestra --from /media/old/Biology --to ~/Biology"),
            { { QStringLiteral("from"), QStringLiteral("the folder the files were in") },
                { QStringLiteral("to"), QStringLiteral("the folder they are in now") } } },
        { { QStringLiteral("units"), 1, { QStringLiteral("course"), upgradeOption }, { QStringLiteral("json") } },
            QStringLiteral("units FILE --course NAME [--json]"), Commands::units,
            QStringLiteral("Lists a course's units."), QStringLiteral("units year.semestra --course Biology") },
        { { QStringLiteral("unit"), 2,
              { QStringLiteral("course"), QStringLiteral("unit"), QStringLiteral("name"), upgradeOption }, {} },
            QStringLiteral("unit FILE add|rename|delete --course NAME [--unit NAME] [--name NEWNAME]"), Commands::unit,
            QStringLiteral("Adds, renames or deletes a unit of a course."),
            QStringLiteral("unit year.semestra rename --course Biology --unit Cells --name \"The Cell\""),
            { { QStringLiteral("unit"), QStringLiteral("the unit to rename or delete") },
                { QStringLiteral("name"), QStringLiteral("the new unit's name, or the new name") } } },
        { { QStringLiteral("unit-copy"), 1,
              { QStringLiteral("course"), QStringLiteral("unit"), QStringLiteral("onto-date"),
                  QStringLiteral("onto-index"), upgradeOption },
              {} },
            QStringLiteral("unit-copy FILE --course NAME --unit NAME --onto-date YYYY-MM-DD [--onto-index N]"),
            Commands::unitCopy, QStringLiteral("Copies a unit's lessons onto meetings starting on a day."),
            QStringLiteral("unit-copy year.semestra --course Biology --unit Cells --onto-date 2026-01-12"),
            { { QStringLiteral("onto-date"), QStringLiteral("the day of the first copied lesson, YYYY-MM-DD") },
                { QStringLiteral("onto-index"),
                    QStringLiteral("which of the course's meetings that day, from 0 (default 0)") } } },
        { { QStringLiteral("unit-export"), 1,
              { QStringLiteral("course"), QStringLiteral("unit"), QStringLiteral("folder"), upgradeOption }, {} },
            QStringLiteral("unit-export FILE --course NAME --unit NAME --folder DIR"), Commands::unitExport,
            QStringLiteral("Writes a unit's lessons into a folder."),
            QStringLiteral("unit-export year.semestra --course Biology --unit Cells --folder cells") },
        { { QStringLiteral("lock"), 1, lessonOptions, { QStringLiteral("off") } },
            QStringLiteral("lock FILE --course NAME --date YYYY-MM-DD [--index N] [--off]"), Commands::lock,
            QStringLiteral("Locks a lesson to its day, so that bumps pass it by."),
            QStringLiteral("lock year.semestra --course Biology --date 2025-09-12"),
            { { QStringLiteral("off"), QStringLiteral("unlock the lesson instead") } } },
        { { QStringLiteral("bump"), 1, lessonOptions, {} },
            QStringLiteral("bump FILE --course NAME --date YYYY-MM-DD [--index N]"), Commands::bump,
            QStringLiteral("Moves a lesson and the ones after it on by one meeting."),
            QStringLiteral("bump year.semestra --course Biology --date 2025-09-09") },
        { { QStringLiteral("pullback"), 1, lessonOptions, {} },
            QStringLiteral("pullback FILE --course NAME --date YYYY-MM-DD [--index N]"), Commands::pullBack,
            QStringLiteral("Moves the lessons after a lesson back by one meeting onto it."),
            QStringLiteral("pullback year.semestra --course Biology --date 2025-09-09") },
        { { QStringLiteral("holiday"), 1, { QStringLiteral("date"), QStringLiteral("name"), upgradeOption }, {} },
            QStringLiteral("holiday FILE --date YYYY-MM-DD [--name N]"), Commands::holiday,
            QStringLiteral("Makes a day a non-school day."),
            QStringLiteral("holiday year.semestra --date 2025-11-27 --name Thanksgiving"),
            { { QStringLiteral("name"), QStringLiteral("the holiday's name") } } },
        { { QStringLiteral("cancel"), 1, { QStringLiteral("date"), upgradeOption },
              { QStringLiteral("bump"), QStringLiteral("delete") } },
            QStringLiteral("cancel FILE --date YYYY-MM-DD --bump|--delete"), Commands::cancel,
            QStringLiteral("Cancels a school day, moving its lessons on or deleting them."),
            QStringLiteral("cancel year.semestra --date 2025-09-10 --bump") },
        { { QStringLiteral("restore"), 1, { QStringLiteral("date"), upgradeOption }, {} },
            QStringLiteral("restore FILE --date YYYY-MM-DD"), Commands::restore,
            QStringLiteral("Makes a non-school day a school day again."),
            QStringLiteral("restore year.semestra --date 2025-11-27") },
        { { QStringLiteral("extend-nonschool"), 1, { QStringLiteral("date"), QStringLiteral("to"), upgradeOption },
              { QStringLiteral("bump"), QStringLiteral("delete") } },
            QStringLiteral("extend-nonschool FILE --date YYYY-MM-DD --to YYYY-MM-DD --bump|--delete"),
            Commands::extendNonSchool, QStringLiteral("Makes every day in a range non-school days like the first."),
            QStringLiteral("extend-nonschool year.semestra --date 2025-12-22 --to 2026-01-02 --delete"),
            { { QStringLiteral("date"), QStringLiteral("the non-school day to extend, YYYY-MM-DD") },
                { QStringLiteral("to"), QStringLiteral("the last day to make non-school, YYYY-MM-DD") } } },
        { { QStringLiteral("custom-day"), 1,
              { QStringLiteral("date"), QStringLiteral("name"), QStringLiteral("course"), QStringLiteral("apply"),
                  upgradeOption },
              {} },
            QStringLiteral("custom-day FILE --date YYYY-MM-DD [--name N] --course NAME ...\n"
                           "      custom-day FILE --date YYYY-MM-DD --apply NAME"),
            Commands::customDay, QStringLiteral("Gives a day its own list of courses, or applies a saved custom day."),
            QStringLiteral("custom-day year.semestra --date 2025-09-19 --name Assembly --course Biology"),
            { { QStringLiteral("name"), QStringLiteral("the name to save the custom day under") },
                { QStringLiteral("course"), QStringLiteral("a course that meets that day (repeat for more)") },
                { QStringLiteral("apply"), QStringLiteral("apply the saved custom day of that name") } } },
        { { QStringLiteral("convert-day"), 1, { QStringLiteral("date"), QStringLiteral("to"), upgradeOption }, {} },
            QStringLiteral("convert-day FILE --date YYYY-MM-DD --to TYPE|WEEKDAY"), Commands::convertDay,
            QStringLiteral("Makes a day meet like another day type or weekday."),
            QStringLiteral("convert-day year.semestra --date 2025-09-19 --to mon"),
            { { QStringLiteral("to"), QStringLiteral("a day type from 0 in rotating years, else a weekday name") } } },
        { { QStringLiteral("add-to-day"), 1, { QStringLiteral("date"), QStringLiteral("course"), upgradeOption }, {} },
            QStringLiteral("add-to-day FILE --date YYYY-MM-DD --course NAME"), Commands::addToDay,
            QStringLiteral("Adds a meeting of a course to a day."),
            QStringLiteral("add-to-day year.semestra --date 2025-09-19 --course History") },
        { { QStringLiteral("remove-lesson"), 1, lessonOptions, { QStringLiteral("bump"), QStringLiteral("delete") } },
            QStringLiteral("remove-lesson FILE --date YYYY-MM-DD --course NAME [--index N] --bump|--delete"),
            Commands::removeLesson, QStringLiteral("Removes a meeting of a course from a day."),
            QStringLiteral("remove-lesson year.semestra --date 2025-09-19 --course History --bump") },
        { { QStringLiteral("insert-week"), 1, { upgradeOption }, {} }, QStringLiteral("insert-week FILE"),
            Commands::insertWeek, QStringLiteral("Inserts a week of school before the first week."),
            QStringLiteral("insert-week year.semestra") },
        { { QStringLiteral("append-week"), 1, { upgradeOption }, {} }, QStringLiteral("append-week FILE"),
            Commands::appendWeek, QStringLiteral("Adds a week of school after the last week."),
            QStringLiteral("append-week year.semestra") },
        { { QStringLiteral("restart-rotation"), 1, { QStringLiteral("date"), QStringLiteral("type"), upgradeOption },
              {} },
            QStringLiteral("restart-rotation FILE --date YYYY-MM-DD --type N"), Commands::restartRotation,
            QStringLiteral("Starts the rotation again on a day, with the given day type."),
            QStringLiteral("restart-rotation year.semestra --date 2026-01-05 --type 0"),
            { { QStringLiteral("type"), QStringLiteral("the day type the day gets, from 0") } } },
        { { QStringLiteral("add-course"), 1,
              { QStringLiteral("name"), QStringLiteral("existing"), QStringLiteral("days"), QStringLiteral("types"),
                  QStringLiteral("from"), QStringLiteral("to"), upgradeOption },
              { QStringLiteral("by-weekday") } },
            QStringLiteral("add-course FILE (--name NAME | --existing NAME) (--days mon,wed,... | --types 0,2,...)\n"
                           "      [--from YYYY-MM-DD] [--to YYYY-MM-DD] [--by-weekday]"),
            Commands::addCourse, QStringLiteral("Adds a course, new or copied from an existing one."),
            QStringLiteral("add-course year.semestra --name Chemistry --days mon,wed,fri"),
            { { QStringLiteral("name"), QStringLiteral("the new course's name") },
                { QStringLiteral("existing"), QStringLiteral("an existing course that meets on more days") },
                { QStringLiteral("days"), QStringLiteral("the weekdays it meets, e.g. mon,wed") },
                { QStringLiteral("types"), QStringLiteral("the day types it meets in rotating years, from 0") },
                { QStringLiteral("from"), QStringLiteral("the first day it meets, YYYY-MM-DD") },
                { QStringLiteral("to"), QStringLiteral("the last day it meets, YYYY-MM-DD") },
                { QStringLiteral("by-weekday"), QStringLiteral("make the --days custom days in rotating years") } } },
        { { QStringLiteral("remove-course"), 1,
              { QStringLiteral("name"), QStringLiteral("days"), QStringLiteral("types"), upgradeOption },
              { QStringLiteral("all"), QStringLiteral("yes") } },
            QStringLiteral("remove-course FILE --name NAME (--days mon,wed,... | --types 0,2,... | --all) --yes"),
            Commands::removeCourse, QStringLiteral("Removes a course from some days or from the year."),
            QStringLiteral("remove-course year.semestra --name Chemistry --days fri --yes"),
            { { QStringLiteral("name"), QStringLiteral("the course's name") },
                { QStringLiteral("days"), QStringLiteral("the weekdays it no longer meets") },
                { QStringLiteral("types"), QStringLiteral("the day types it no longer meets, from 0") },
                { QStringLiteral("all"), QStringLiteral("remove the course from the year") } } },
        { { QStringLiteral("course-color"), 1, { QStringLiteral("course"), QStringLiteral("rgb"), upgradeOption }, {} },
            QStringLiteral("course-color FILE --course NAME --rgb '#RRGGBB'"), Commands::courseColor,
            QStringLiteral("Sets a course's colour."),
            QStringLiteral("course-color year.semestra --course Biology --rgb \"#2E8B57\""),
            { { QStringLiteral("rgb"), QStringLiteral("the colour as #RRGGBB") } } },
        { { QStringLiteral("set-times"), 1,
              { QStringLiteral("course"), QStringLiteral("day"), QStringLiteral("meeting"), QStringLiteral("start"),
                  QStringLiteral("end"), upgradeOption },
              {} },
            QStringLiteral("set-times FILE --course NAME --day mon|A|all [--meeting N] --start HH:MM --end HH:MM"),
            Commands::setTimes, QStringLiteral("Sets when a course meets."),
            QStringLiteral("set-times year.semestra --course Biology --day all --start 08:15 --end 09:00"),
            { { QStringLiteral("day"),
                  QStringLiteral("all (traditional years), a weekday (weekly) or a day-type letter (rotating)") },
                { QStringLiteral("meeting"), QStringLiteral("which of the course's meetings that day, from 1") },
                { QStringLiteral("start"), QStringLiteral("when the meeting starts, HH:MM") },
                { QStringLiteral("end"), QStringLiteral("when it ends, HH:MM") } } },
        { { QStringLiteral("times"), 1, { upgradeOption }, { QStringLiteral("json") } },
            QStringLiteral("times FILE [--json]"), Commands::times, QStringLiteral("Prints when each course meets."),
            QStringLiteral("times year.semestra") },
        { { QStringLiteral("migrate"), 1, { QStringLiteral("start"), QStringLiteral("output") },
              { QStringLiteral("force") } },
            QStringLiteral("migrate FILE --start YYYY-MM-DD --output NEWFILE [--force]"), Commands::migrate,
            QStringLiteral("Moves the plan onto next school year, into a new file."),
            QStringLiteral("migrate year.semestra --start 2026-09-07 --output next.semestra"),
            { { QStringLiteral("start"), QStringLiteral("a day in the first week of the new year, YYYY-MM-DD") },
                { QStringLiteral("output"), QStringLiteral("the new year's file") } } },
        { { QStringLiteral("export-course"), 1,
              { QStringLiteral("course"), QStringLiteral("from"), QStringLiteral("to"), QStringLiteral("folder"),
                  upgradeOption },
              {} },
            QStringLiteral("export-course FILE --course NAME [--from YYYY-MM-DD --to YYYY-MM-DD] --folder DIR"),
            Commands::exportCourse, QStringLiteral("Writes a course's lessons into a folder."),
            QStringLiteral("export-course year.semestra --course Biology --folder biology"),
            { { QStringLiteral("from"), QStringLiteral("the first lesson day to write, YYYY-MM-DD") },
                { QStringLiteral("to"), QStringLiteral("the last lesson day to write, YYYY-MM-DD") } } },
        { { QStringLiteral("import-course"), 2,
              { QStringLiteral("into"), QStringLiteral("days"), QStringLiteral("types"), QStringLiteral("start"),
                  upgradeOption },
              { QStringLiteral("new"), QStringLiteral("yes") } },
            QStringLiteral(
                "import-course FILE SOURCE.plist (--new [--days mon,wed,... | --types 0,2,...] | --into NAME)\n"
                "      --start YYYY-MM-DD [--yes]"),
            Commands::importCourse, QStringLiteral("Reads a course written by export-course into the year."),
            QStringLiteral("import-course year.semestra biology/Biology.plist --new --start 2025-09-08"),
            { { QStringLiteral("into"), QStringLiteral("read the lessons into this existing course") },
                { QStringLiteral("days"), QStringLiteral("the weekdays the new course meets") },
                { QStringLiteral("types"), QStringLiteral("the day types it meets in rotating years, from 0") },
                { QStringLiteral("start"), QStringLiteral("the day the first lesson goes onto, YYYY-MM-DD") },
                { QStringLiteral("new"), QStringLiteral("make a new course") },
                { QStringLiteral("yes"), QStringLiteral("confirm that existing lessons are replaced") } } },
        { { QStringLiteral("report"), 2,
              { QStringLiteral("date"), QStringLiteral("from"), QStringLiteral("to"), QStringLiteral("course"),
                  QStringLiteral("unit"), QStringLiteral("standard"), QStringLiteral("pdf"), upgradeOption },
              { QStringLiteral("text") } },
            QStringLiteral("report FILE weekly --date YYYY-MM-DD (--pdf OUT | --text)\n"
                           "      report FILE daily --from YYYY-MM-DD --to YYYY-MM-DD (--pdf OUT | --text)\n"
                           "      report FILE unit --course NAME --unit NAME (--pdf OUT | --text)\n"
                           "      report FILE standards --standard SHORT (--pdf OUT | --text)"),
            Commands::report,
            QStringLiteral("Prints a weekly, daily, unit or standards report, or writes it as a PDF."),
            QStringLiteral("report year.semestra weekly --date 2025-09-08 --pdf week.pdf"),
            { { QStringLiteral("date"), QStringLiteral("a day of the week to report, YYYY-MM-DD") },
                { QStringLiteral("from"), QStringLiteral("the first day to report, YYYY-MM-DD") },
                { QStringLiteral("to"), QStringLiteral("the last day to report, YYYY-MM-DD") },
                { QStringLiteral("standard"), QStringLiteral("the standard to report, by short name") },
                { QStringLiteral("pdf"), QStringLiteral("the PDF file to write") },
                { QStringLiteral("text"), QStringLiteral("print the report as text") } } },
        { { QStringLiteral("export-windows"), 1, { QStringLiteral("output"), upgradeOption },
              { QStringLiteral("force") } },
            QStringLiteral("export-windows FILE --output OUT.smsqlite [--force]"), Commands::exportWindows,
            QStringLiteral("Writes the year as an exchange file for the Windows edition."),
            QStringLiteral("export-windows year.semestra --output year.smsqlite"),
            { { QStringLiteral("output"), QStringLiteral("the exchange file to write") } } },
        { { QStringLiteral("import-windows"), 1, { QStringLiteral("output") }, { QStringLiteral("force") } },
            QStringLiteral("import-windows IN.smsqlite --output NEW.semestra [--force]"), Commands::importWindows,
            QStringLiteral("Builds a new year from an exchange file of the Windows edition."),
            QStringLiteral("import-windows year.smsqlite --output year.semestra"),
            { { QStringLiteral("output"), QStringLiteral("the new year's file") } } },
        { { QStringLiteral("publish"), 1,
              { QStringLiteral("folder"), QStringLiteral("theme"), QStringLiteral("from"), QStringLiteral("to"),
                  upgradeOption },
              {} },
            QStringLiteral("publish FILE --folder DIR [--theme NAME] [--from YYYY-MM-DD --to YYYY-MM-DD]"),
            Commands::publish, QStringLiteral("Writes the class web site into a folder."),
            QStringLiteral("publish year.semestra --folder site --theme Chalk"),
            { { QStringLiteral("folder"), QStringLiteral("the folder the site is written into") },
                { QStringLiteral("theme"), QStringLiteral("the site's look, one of those themes lists") },
                { QStringLiteral("from"), QStringLiteral("the first day shown, YYYY-MM-DD") },
                { QStringLiteral("to"), QStringLiteral("the last day shown, YYYY-MM-DD") } } },
        { { QStringLiteral("upload"), 1,
              { QStringLiteral("url"), QStringLiteral("user"), QStringLiteral("cacert"), upgradeOption },
              { QStringLiteral("password-stdin"), QStringLiteral("require-tls") } },
            QStringLiteral("upload FILE --url URL --user NAME [--password-stdin] [--require-tls] [--cacert FILE]"),
            Commands::upload, QStringLiteral("Publishes the class web site and sends it to a server."),
            QStringLiteral("upload year.semestra --url sftp://example.org/www/biology --user teacher --password-stdin"),
            { { QStringLiteral("url"),
                  QStringLiteral("where to send the site: ftp://, ftps:// or sftp://HOST[:PORT]/FOLDER") },
                { QStringLiteral("user"), QStringLiteral("the user name on the server") },
                { QStringLiteral("password-stdin"),
                    QStringLiteral("read the password from the first line of standard input") },
                { QStringLiteral("require-tls"), QStringLiteral("refuse to send the password in clear") },
                { QStringLiteral("cacert"),
                    QStringLiteral("trust the certificates in this file besides the system's") } } },
        { { QStringLiteral("sync"), 1, { QStringLiteral("server"), QStringLiteral("user"), upgradeOption },
              { QStringLiteral("all"), QStringLiteral("password-stdin") } },
            QStringLiteral("sync FILE --server URL [--all] [--user NAME --password-stdin]"), Commands::sync,
            QStringLiteral("Sends the year's changes, or all of it, to SemestraConnect. Prints each request; on a "
                           "terminal, a file's upload progress shows on standard error."),
            QStringLiteral("sync year.semestra --server https://connect.example.org"),
            { { QStringLiteral("server"),
                  QStringLiteral("the SemestraConnect address: https://HOST[:PORT] (http:// only for 127.0.0.1)") },
                { QStringLiteral("all"), QStringLiteral("send everything, not only what changed since the last sync") },
                { QStringLiteral("user"), QStringLiteral("log in as this SemestraConnect user for this sync only") },
                { QStringLiteral("password-stdin"),
                    QStringLiteral("read the password from the first line of standard input") } } },
        { { QStringLiteral("sync-reset"), 1, { upgradeOption }, { QStringLiteral("yes") } },
            QStringLiteral("sync-reset FILE --yes"), Commands::syncReset,
            QStringLiteral("Forgets what was sent to SemestraConnect, so the next sync sends the whole year anew."),
            QStringLiteral("sync-reset year.semestra --yes"),
            { { QStringLiteral("yes"), QStringLiteral("confirm that the sync information is forgotten") } } },
        { { QStringLiteral("sync-logout"), 0, { QStringLiteral("server") }, {} },
            QStringLiteral("sync-logout --server URL"), Commands::syncLogout,
            QStringLiteral("Ends the planner's SemestraConnect session and forgets it. Succeeds when no session "
                           "is kept (or no desktop keyring runs to keep one)."),
            QStringLiteral("sync-logout --server https://connect.example.org"),
            { { QStringLiteral("server"), QStringLiteral("the SemestraConnect address") } } },
        { { QStringLiteral("themes"), 0, {}, {} }, QStringLiteral("themes"), Commands::themes,
            QStringLiteral("Lists the web site themes."), QStringLiteral("themes") },
        { { QStringLiteral("calendar-sync"), 1,
              { QStringLiteral("folder"), QStringLiteral("caldav"), QStringLiteral("user"), upgradeOption },
              { QStringLiteral("changes"), QStringLiteral("password-stdin") } },
            QStringLiteral(
                "calendar-sync FILE [--changes] [--folder DIR | --caldav URL --user NAME [--password-stdin]]"),
            Commands::calendarSync, QStringLiteral("Writes lessons and non-school days as events into calendars."),
            QStringLiteral("calendar-sync year.semestra --changes --folder calendars"),
            { { QStringLiteral("folder"), QStringLiteral("the folder the calendar files are written into") },
                { QStringLiteral("caldav"), QStringLiteral("the CalDAV account's address") },
                { QStringLiteral("user"), QStringLiteral("the CalDAV user name") },
                { QStringLiteral("changes"), QStringLiteral("write only what changed since the last sync") },
                { QStringLiteral("password-stdin"),
                    QStringLiteral("read the password from the first line of standard input") } } },
        { { QStringLiteral("demo"), 1, { QStringLiteral("scale") }, { QStringLiteral("force") } },
            QStringLiteral("demo FILE [--scale N] [--force]"), Commands::demo,
            QStringLiteral("Writes a demonstration year full of lessons."),
            QStringLiteral("demo demo.semestra --scale 2"),
            { { QStringLiteral("scale"), QStringLiteral("how many times the usual number of courses, from 1") } } },
        { { QStringLiteral("standards"), 1, { upgradeOption }, { QStringLiteral("json") } },
            QStringLiteral("standards FILE [--json]"), Commands::standards,
            QStringLiteral("Lists the year's standards."), QStringLiteral("standards year.semestra --json") },
        { { QStringLiteral("standards-import"), 2, { upgradeOption }, {} },
            QStringLiteral("standards-import FILE SOURCE"), Commands::standardsImport,
            QStringLiteral("Reads standards from a list, a standards file or a competency framework."),
            QStringLiteral("standards-import year.semestra science.csv") },
        { { QStringLiteral("standards-export"), 1, { QStringLiteral("folder"), upgradeOption }, {} },
            QStringLiteral("standards-export FILE --folder DIR"), Commands::standardsExport,
            QStringLiteral("Writes the year's standards into a folder."),
            QStringLiteral("standards-export year.semestra --folder standards") },
        { { QStringLiteral("standard-add"), 1,
              { QStringLiteral("text"), QStringLiteral("short"), QStringLiteral("parent"), upgradeOption }, {} },
            QStringLiteral("standard-add FILE --text T [--short S] [--parent SHORT]"), Commands::standardAdd,
            QStringLiteral("Adds a standard."),
            QStringLiteral(
                "standard-add year.semestra --text \"Describe the parts of a cell\" --short BIO.1 --parent BIO"),
            { { QStringLiteral("text"), QStringLiteral("what the standard says") },
                { QStringLiteral("short"), QStringLiteral("its short name") },
                { QStringLiteral("parent"), QStringLiteral("the short name of the standard it belongs under") } } },
        { { QStringLiteral("standard-remove"), 1, { QStringLiteral("short"), upgradeOption },
              { QStringLiteral("yes") } },
            QStringLiteral("standard-remove FILE --short S --yes"), Commands::standardRemove,
            QStringLiteral("Removes a standard and its links to lessons."),
            QStringLiteral("standard-remove year.semestra --short BIO.1 --yes"),
            { { QStringLiteral("short"), QStringLiteral("the standard's short name") },
                { QStringLiteral("yes"), QStringLiteral("confirm that its links to lessons are removed") } } },
        { { QStringLiteral("link-standard"), 1, lessonOptions + QStringList { QStringLiteral("standard") },
              { QStringLiteral("off") } },
            QStringLiteral("link-standard FILE --course NAME --date YYYY-MM-DD [--index N] --standard SHORT [--off]"),
            Commands::linkStandard, QStringLiteral("Links a standard to a lesson."),
            QStringLiteral("link-standard year.semestra --course Biology --date 2025-09-09 --standard BIO.1"),
            { { QStringLiteral("off"), QStringLiteral("remove the link instead") } } },
        { { QStringLiteral("search"), 2, { upgradeOption }, { QStringLiteral("json") } },
            QStringLiteral("search FILE TERM [--json]"), Commands::search,
            QStringLiteral("Finds lessons whose text contains a term."),
            QStringLiteral("search year.semestra mitosis") },
        { { QStringLiteral("library"), 1,
              { QStringLiteral("library"), QStringLiteral("course"), QStringLiteral("date"), QStringLiteral("index"),
                  upgradeOption },
              { QStringLiteral("json") }, 1 },
            QStringLiteral("library add FILE --course NAME --date YYYY-MM-DD [--index N] | library list [--json] |\n"
                           "      library remove INDEX   [--library PATH]"),
            Commands::library, QStringLiteral("Adds lessons to the lesson library, lists it or removes from it."),
            QStringLiteral("library add year.semestra --course Biology --date 2025-09-09"),
            { { QStringLiteral("library"), QStringLiteral("the library file to use instead of the user's") } } },
    };
    return all;
}

// The notes that the overall help and the manual page end with.
const QString& notes()
{
    static const QString text = QStringLiteral(
        "DAYS in --meets are weekday names (mon,tue,...) for weekly schedules and rotation day\n"
        "numbers from 0 for ab and rotating ones. Dates are in the local time zone.\n"
        "TYPE in convert-day is a day type from 0 in rotating years; other years take a weekday name.\n"
        "add-course and remove-course take weekdays (--days) in weekly and traditional years and day\n"
        "types from 0 (--types) in rotating ones, or --days with --by-weekday, which makes those days\n"
        "custom days. set-times --day is all (traditional), a weekday (weekly) or a day-type letter\n"
        "(rotating); --meeting counts a course's meetings in a day from 1. migrate moves the plan to\n"
        "the school year starting on the Sunday on or before --start and writes it to NEWFILE.\n"
        "Commands that open FILE take --upgrade-to NEWFILE to convert a file of an earlier version\n"
        "into NEWFILE and work on that; the old file is left as it was.\n"
        "calendar-sync writes lessons, non-school days and day notes as events into calendar files\n"
        "(one .ics file per calendar, in DIR or the user's data folder under calendars/) or into the\n"
        "calendars of a CalDAV account; --changes writes only what changed since the last sync. It\n"
        "prints how many events were written, updated, deleted and failed. The CalDAV password is\n"
        "read from the first line of standard input with --password-stdin, else from the keyring.\n"
        "The lesson library is library.plist in the user's data folder; --library PATH uses another file.\n"
        "standards-import reads standards lists (CSV), standards files (.plist) and competency frameworks\n"
        "(JSON packages or their CSV form).\n"
        "export-windows cleans FILE up for the Windows edition (units without a course and assignments\n"
        "missing a lesson are deleted), writes the exchange file OUT and saves FILE. import-windows\n"
        "builds a new document from an exchange file, leaving out records that cannot be linked.\n"
        "publish writes the class web site into DIR and prints each file it wrote; files that would\n"
        "not change are left alone. --theme (one of those themes lists) and --from/--to (both the\n"
        "calendar and the lesson range) are stored in FILE; otherwise its stored settings are used.\n"
        "upload publishes the site into the working folder (FTPExport in the user's data folder) and\n"
        "sends it to URL: ftp://HOST[:PORT]/FOLDER (TLS when the server offers it; --require-tls\n"
        "refuses to send the password in clear), ftps:// (TLS from the start) or sftp:// (the host key\n"
        "must be in ~/.ssh/known_hosts; signs in with ~/.ssh/id_ed25519, id_ecdsa or id_rsa, or the\n"
        "password). The password is the first line of standard input with --password-stdin, else the\n"
        "keyring's. --cacert trusts the certificates in FILE besides the system's. It prints how many\n"
        "files were sent and failed, and saves FILE only when every file arrived.\n"
        "sync prints each request it sent to SemestraConnect with the service's status, then the counts.\n"
        "Without --user it uses the session the planner keeps in the keyring. Identifiers the service\n"
        "gave are saved even when the sync stops, so the next sync does not create records twice.\n");
    return text;
}

CommandHelp helpOf(const Command& command)
{
    CommandHelp help { command.syntax.name, command.usage, command.summary, {}, command.example };
    for (const QString& option :
        command.syntax.valueOptions + command.syntax.switches + QStringList { QStringLiteral("help") })
        help.options.append({ option, command.meanings.value(option, sharedMeanings().value(option)) });
    return help;
}

QList<CommandHelp> allHelp()
{
    QList<CommandHelp> all;
    for (const Command& command : commands())
        all.append(helpOf(command));
    return all;
}

const Command* findCommand(const QString& name)
{
    const auto found
        = std::find_if(commands().begin(), commands().end(), [&](const Command& c) { return c.syntax.name == name; });
    return found == commands().end() ? nullptr : &*found;
}

} // namespace

Cli::Cli(QTextStream& out, QTextStream& errors)
    : m_out(out)
    , m_errors(errors)
{ }

int Cli::run(const QStringList& arguments)
{
    if (arguments.isEmpty()) {
        printHelp();
        return UsageError;
    }
    const QString& name = arguments.first();
    if (name == QLatin1String("--help") || name == QLatin1String("help")) {
        if (arguments.size() > 1)
            return printCommandHelp(arguments.mid(1));
        printHelp();
        return Success;
    }
    if (name == QLatin1String("--version")) {
        m_out << "semestra-cli " << QCoreApplication::applicationVersion() << Qt::endl;
        return Success;
    }
    if (name == QLatin1String("--man") || name == QLatin1String("--completion"))
        return writeDocumentation(arguments);
    const Command* command = findCommand(name);
    if (!command) {
        m_errors << "semestra-cli: unknown command \"" << name << "\" (see --help)" << Qt::endl;
        return UsageError;
    }
    if (arguments.contains(QLatin1String("--help")))
        return printCommandHelp({ name });
    const Result<CommandLine> line = CommandLine::parse(arguments.mid(1), command->syntax);
    if (!line) {
        m_errors << "semestra-cli: " << line.error() << Qt::endl;
        return UsageError;
    }
    CliAlertPresenter alerts(m_errors);
    CliFileChooser files(line->has(upgradeOption) ? std::optional(line->value(upgradeOption)) : std::nullopt);
    CommandContext context { m_out, alerts, files };
    const Status status = command->run(*line, context);
    if (!status.error().isEmpty())
        m_errors << "semestra-cli: " << status.error() << Qt::endl;
    m_out.flush();
    return status ? Success : Failure;
}

int Cli::printCommandHelp(const QStringList& names)
{
    const Command* command = names.size() == 1 ? findCommand(names.first()) : nullptr;
    if (!command) {
        m_errors << "semestra-cli: help takes one command name, not \"" << names.join(u' ') << "\" (see --help)"
                 << Qt::endl;
        return UsageError;
    }
    writeCommandHelp(m_out, helpOf(*command));
    return Success;
}

// The manual page and the bash completion are written at build time from
// the same help that the commands print.
int Cli::writeDocumentation(const QStringList& arguments)
{
    if (arguments == QStringList { QStringLiteral("--man") }) {
        writeManPage(m_out, allHelp(), notes(), QCoreApplication::applicationVersion());
        return Success;
    }
    if (arguments == QStringList { QStringLiteral("--completion"), QStringLiteral("bash") }) {
        writeBashCompletion(m_out, allHelp());
        return Success;
    }
    m_errors << "semestra-cli: the documentation is written by --man or --completion bash" << Qt::endl;
    return UsageError;
}

void Cli::printHelp()
{
    m_out << "usage: semestra-cli COMMAND FILE [OPTIONS]\n"
             "       semestra-cli COMMAND --help   (or: semestra-cli help COMMAND)\n"
             "       semestra-cli --version\n\ncommands:\n";
    for (const Command& command : commands())
        m_out << "  " << command.usage << '\n';
    m_out << '\n' << notes();
    m_out.flush();
}
