#include "cli/Cli.h"

#include "cli/CliAlertPresenter.h"
#include "cli/CliFileChooser.h"
#include "cli/CommandContext.h"
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
};

// Every command that opens an existing file can upgrade an older one into
// a new file.
const QString upgradeOption = QStringLiteral("upgrade-to");
const QStringList lessonOptions { QStringLiteral("course"), QStringLiteral("date"), QStringLiteral("index"),
    upgradeOption };

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
            Commands::newYear },
        { { QStringLiteral("info"), 1, { upgradeOption }, { QStringLiteral("json") } },
            QStringLiteral("info FILE [--json]"), Commands::info },
        { { QStringLiteral("days"), 1, { upgradeOption }, { QStringLiteral("json") } },
            QStringLiteral("days FILE [--json]"), Commands::days },
        { { QStringLiteral("set-lesson"), 1,
              lessonOptions
                  + QStringList { QStringLiteral("title"), QStringLiteral("field"), QStringLiteral("unit"),
                      QStringLiteral("rtf"), QStringLiteral("html") },
              {} },
            QStringLiteral(
                "set-lesson FILE --course NAME --date YYYY-MM-DD [--index N] [--title T] [--field KEY=TEXT ...]\n"
                "      [--unit NAME] [--rtf KEY=FILE ...] [--html KEY=FILE ...]"),
            Commands::setLesson },
        { { QStringLiteral("lesson"), 1, lessonOptions, { QStringLiteral("json") } },
            QStringLiteral("lesson FILE --course NAME --date YYYY-MM-DD [--index N] [--json]"), Commands::lesson },
        { { QStringLiteral("copy-lesson"), 1,
              lessonOptions
                  + QStringList { QStringLiteral("to-course"), QStringLiteral("to-date"), QStringLiteral("to-index") },
              {} },
            QStringLiteral("copy-lesson FILE --course NAME --date YYYY-MM-DD [--index N] --to-course NAME "
                           "--to-date YYYY-MM-DD [--to-index N]"),
            Commands::copyLesson },
        { { QStringLiteral("template"), 1, lessonOptions + QStringList { QStringLiteral("from"), QStringLiteral("to") },
              {} },
            QStringLiteral(
                "template FILE --course NAME --date YYYY-MM-DD [--index N] --from YYYY-MM-DD --to YYYY-MM-DD"),
            Commands::applyTemplate },
        { { QStringLiteral("clear"), 1, lessonOptions, {} },
            QStringLiteral("clear FILE --course NAME --date YYYY-MM-DD [--index N]"), Commands::clear },
        { { QStringLiteral("clear-all"), 1, { upgradeOption }, { QStringLiteral("yes") } },
            QStringLiteral("clear-all FILE --yes"), Commands::clearAll },
        { { QStringLiteral("assign"), 1,
              lessonOptions
                  + QStringList { QStringLiteral("title"), QStringLiteral("due"), QStringLiteral("points"),
                      QStringLiteral("details") },
              {} },
            QStringLiteral("assign FILE --course NAME --date YYYY-MM-DD [--index N] --title T [--due YYYY-MM-DD]\n"
                           "      [--points N] [--details TEXT]"),
            Commands::assign },
        { { QStringLiteral("unassign"), 1, lessonOptions + QStringList { QStringLiteral("title") }, {} },
            QStringLiteral("unassign FILE --course NAME --date YYYY-MM-DD [--index N] --title T"), Commands::unassign },
        { { QStringLiteral("attach"), 1,
              lessonOptions
                  + QStringList { QStringLiteral("file"), QStringLiteral("url"), QStringLiteral("name"),
                      QStringLiteral("assignment") },
              {} },
            QStringLiteral(
                "attach FILE --course NAME --date YYYY-MM-DD [--index N] (--file PATH | --url URL [--name N])\n"
                "      [--assignment TITLE]"),
            Commands::attach },
        { { QStringLiteral("detach"), 1,
              lessonOptions + QStringList { QStringLiteral("name"), QStringLiteral("assignment") }, {} },
            QStringLiteral("detach FILE --course NAME --date YYYY-MM-DD [--index N] --name N [--assignment TITLE]"),
            Commands::detach },
        { { QStringLiteral("missing-attachments"), 1, { upgradeOption }, { QStringLiteral("json") } },
            QStringLiteral("missing-attachments FILE [--json]"), Commands::missingAttachments },
        { { QStringLiteral("relink"), 1, { QStringLiteral("from"), QStringLiteral("to"), upgradeOption }, {} },
            QStringLiteral("relink FILE --from OLDPATH --to NEWPATH"), Commands::relink },
        { { QStringLiteral("units"), 1, { QStringLiteral("course"), upgradeOption }, { QStringLiteral("json") } },
            QStringLiteral("units FILE --course NAME [--json]"), Commands::units },
        { { QStringLiteral("unit"), 2,
              { QStringLiteral("course"), QStringLiteral("unit"), QStringLiteral("name"), upgradeOption }, {} },
            QStringLiteral("unit FILE add|rename|delete --course NAME [--unit NAME] [--name NEWNAME]"),
            Commands::unit },
        { { QStringLiteral("unit-copy"), 1,
              { QStringLiteral("course"), QStringLiteral("unit"), QStringLiteral("onto-date"),
                  QStringLiteral("onto-index"), upgradeOption },
              {} },
            QStringLiteral("unit-copy FILE --course NAME --unit NAME --onto-date YYYY-MM-DD [--onto-index N]"),
            Commands::unitCopy },
        { { QStringLiteral("unit-export"), 1,
              { QStringLiteral("course"), QStringLiteral("unit"), QStringLiteral("folder"), upgradeOption }, {} },
            QStringLiteral("unit-export FILE --course NAME --unit NAME --folder DIR"), Commands::unitExport },
        { { QStringLiteral("lock"), 1, lessonOptions, { QStringLiteral("off") } },
            QStringLiteral("lock FILE --course NAME --date YYYY-MM-DD [--index N] [--off]"), Commands::lock },
        { { QStringLiteral("bump"), 1, lessonOptions, {} },
            QStringLiteral("bump FILE --course NAME --date YYYY-MM-DD [--index N]"), Commands::bump },
        { { QStringLiteral("pullback"), 1, lessonOptions, {} },
            QStringLiteral("pullback FILE --course NAME --date YYYY-MM-DD [--index N]"), Commands::pullBack },
        { { QStringLiteral("holiday"), 1, { QStringLiteral("date"), QStringLiteral("name"), upgradeOption }, {} },
            QStringLiteral("holiday FILE --date YYYY-MM-DD [--name N]"), Commands::holiday },
        { { QStringLiteral("cancel"), 1, { QStringLiteral("date"), upgradeOption },
              { QStringLiteral("bump"), QStringLiteral("delete") } },
            QStringLiteral("cancel FILE --date YYYY-MM-DD --bump|--delete"), Commands::cancel },
        { { QStringLiteral("restore"), 1, { QStringLiteral("date"), upgradeOption }, {} },
            QStringLiteral("restore FILE --date YYYY-MM-DD"), Commands::restore },
        { { QStringLiteral("extend-nonschool"), 1, { QStringLiteral("date"), QStringLiteral("to"), upgradeOption },
              { QStringLiteral("bump"), QStringLiteral("delete") } },
            QStringLiteral("extend-nonschool FILE --date YYYY-MM-DD --to YYYY-MM-DD --bump|--delete"),
            Commands::extendNonSchool },
        { { QStringLiteral("custom-day"), 1,
              { QStringLiteral("date"), QStringLiteral("name"), QStringLiteral("course"), QStringLiteral("apply"),
                  upgradeOption },
              {} },
            QStringLiteral("custom-day FILE --date YYYY-MM-DD [--name N] --course NAME ...\n"
                           "      custom-day FILE --date YYYY-MM-DD --apply NAME"),
            Commands::customDay },
        { { QStringLiteral("convert-day"), 1, { QStringLiteral("date"), QStringLiteral("to"), upgradeOption }, {} },
            QStringLiteral("convert-day FILE --date YYYY-MM-DD --to TYPE|WEEKDAY"), Commands::convertDay },
        { { QStringLiteral("add-to-day"), 1, { QStringLiteral("date"), QStringLiteral("course"), upgradeOption }, {} },
            QStringLiteral("add-to-day FILE --date YYYY-MM-DD --course NAME"), Commands::addToDay },
        { { QStringLiteral("remove-lesson"), 1, lessonOptions, { QStringLiteral("bump"), QStringLiteral("delete") } },
            QStringLiteral("remove-lesson FILE --date YYYY-MM-DD --course NAME [--index N] --bump|--delete"),
            Commands::removeLesson },
        { { QStringLiteral("insert-week"), 1, { upgradeOption }, {} }, QStringLiteral("insert-week FILE"),
            Commands::insertWeek },
        { { QStringLiteral("append-week"), 1, { upgradeOption }, {} }, QStringLiteral("append-week FILE"),
            Commands::appendWeek },
        { { QStringLiteral("restart-rotation"), 1, { QStringLiteral("date"), QStringLiteral("type"), upgradeOption },
              {} },
            QStringLiteral("restart-rotation FILE --date YYYY-MM-DD --type N"), Commands::restartRotation },
        { { QStringLiteral("add-course"), 1,
              { QStringLiteral("name"), QStringLiteral("existing"), QStringLiteral("days"), QStringLiteral("types"),
                  QStringLiteral("from"), QStringLiteral("to"), upgradeOption },
              { QStringLiteral("by-weekday") } },
            QStringLiteral("add-course FILE (--name NAME | --existing NAME) (--days mon,wed,... | --types 0,2,...)\n"
                           "      [--from YYYY-MM-DD] [--to YYYY-MM-DD] [--by-weekday]"),
            Commands::addCourse },
        { { QStringLiteral("remove-course"), 1,
              { QStringLiteral("name"), QStringLiteral("days"), QStringLiteral("types"), upgradeOption },
              { QStringLiteral("all"), QStringLiteral("yes") } },
            QStringLiteral("remove-course FILE --name NAME (--days mon,wed,... | --types 0,2,... | --all) --yes"),
            Commands::removeCourse },
        { { QStringLiteral("course-color"), 1, { QStringLiteral("course"), QStringLiteral("rgb"), upgradeOption }, {} },
            QStringLiteral("course-color FILE --course NAME --rgb '#RRGGBB'"), Commands::courseColor },
        { { QStringLiteral("set-times"), 1,
              { QStringLiteral("course"), QStringLiteral("day"), QStringLiteral("meeting"), QStringLiteral("start"),
                  QStringLiteral("end"), upgradeOption },
              {} },
            QStringLiteral("set-times FILE --course NAME --day mon|A|all [--meeting N] --start HH:MM --end HH:MM"),
            Commands::setTimes },
        { { QStringLiteral("times"), 1, { upgradeOption }, { QStringLiteral("json") } },
            QStringLiteral("times FILE [--json]"), Commands::times },
        { { QStringLiteral("migrate"), 1, { QStringLiteral("start"), QStringLiteral("output") },
              { QStringLiteral("force") } },
            QStringLiteral("migrate FILE --start YYYY-MM-DD --output NEWFILE [--force]"), Commands::migrate },
        { { QStringLiteral("export-course"), 1,
              { QStringLiteral("course"), QStringLiteral("from"), QStringLiteral("to"), QStringLiteral("folder"),
                  upgradeOption },
              {} },
            QStringLiteral("export-course FILE --course NAME [--from YYYY-MM-DD --to YYYY-MM-DD] --folder DIR"),
            Commands::exportCourse },
        { { QStringLiteral("import-course"), 2,
              { QStringLiteral("into"), QStringLiteral("days"), QStringLiteral("types"), QStringLiteral("start"),
                  upgradeOption },
              { QStringLiteral("new"), QStringLiteral("yes") } },
            QStringLiteral(
                "import-course FILE SOURCE.plist (--new [--days mon,wed,... | --types 0,2,...] | --into NAME)\n"
                "      --start YYYY-MM-DD [--yes]"),
            Commands::importCourse },
        { { QStringLiteral("report"), 2,
              { QStringLiteral("date"), QStringLiteral("from"), QStringLiteral("to"), QStringLiteral("course"),
                  QStringLiteral("unit"), QStringLiteral("standard"), QStringLiteral("pdf"), upgradeOption },
              { QStringLiteral("text") } },
            QStringLiteral("report FILE weekly --date YYYY-MM-DD (--pdf OUT | --text)\n"
                           "      report FILE daily --from YYYY-MM-DD --to YYYY-MM-DD (--pdf OUT | --text)\n"
                           "      report FILE unit --course NAME --unit NAME (--pdf OUT | --text)\n"
                           "      report FILE standards --standard SHORT (--pdf OUT | --text)"),
            Commands::report },
        { { QStringLiteral("export-windows"), 1, { QStringLiteral("output"), upgradeOption },
              { QStringLiteral("force") } },
            QStringLiteral("export-windows FILE --output OUT.smsqlite [--force]"), Commands::exportWindows },
        { { QStringLiteral("import-windows"), 1, { QStringLiteral("output") }, { QStringLiteral("force") } },
            QStringLiteral("import-windows IN.smsqlite --output NEW.semestra [--force]"), Commands::importWindows },
        { { QStringLiteral("publish"), 1,
              { QStringLiteral("folder"), QStringLiteral("theme"), QStringLiteral("from"), QStringLiteral("to"),
                  upgradeOption },
              {} },
            QStringLiteral("publish FILE --folder DIR [--theme NAME] [--from YYYY-MM-DD --to YYYY-MM-DD]"),
            Commands::publish },
        { { QStringLiteral("upload"), 1,
              { QStringLiteral("url"), QStringLiteral("user"), QStringLiteral("cacert"), upgradeOption },
              { QStringLiteral("password-stdin"), QStringLiteral("require-tls") } },
            QStringLiteral("upload FILE --url URL --user NAME [--password-stdin] [--require-tls] [--cacert FILE]"),
            Commands::upload },
        { { QStringLiteral("themes"), 0, {}, {} }, QStringLiteral("themes"), Commands::themes },
        { { QStringLiteral("calendar-sync"), 1,
              { QStringLiteral("folder"), QStringLiteral("caldav"), QStringLiteral("user"), upgradeOption },
              { QStringLiteral("changes"), QStringLiteral("password-stdin") } },
            QStringLiteral(
                "calendar-sync FILE [--changes] [--folder DIR | --caldav URL --user NAME [--password-stdin]]"),
            Commands::calendarSync },
        { { QStringLiteral("demo"), 1, { QStringLiteral("scale") }, { QStringLiteral("force") } },
            QStringLiteral("demo FILE [--scale N] [--force]"), Commands::demo },
        { { QStringLiteral("standards"), 1, { upgradeOption }, { QStringLiteral("json") } },
            QStringLiteral("standards FILE [--json]"), Commands::standards },
        { { QStringLiteral("standards-import"), 2, { upgradeOption }, {} },
            QStringLiteral("standards-import FILE SOURCE"), Commands::standardsImport },
        { { QStringLiteral("standards-export"), 1, { QStringLiteral("folder"), upgradeOption }, {} },
            QStringLiteral("standards-export FILE --folder DIR"), Commands::standardsExport },
        { { QStringLiteral("standard-add"), 1,
              { QStringLiteral("text"), QStringLiteral("short"), QStringLiteral("parent"), upgradeOption }, {} },
            QStringLiteral("standard-add FILE --text T [--short S] [--parent SHORT]"), Commands::standardAdd },
        { { QStringLiteral("standard-remove"), 1, { QStringLiteral("short"), upgradeOption },
              { QStringLiteral("yes") } },
            QStringLiteral("standard-remove FILE --short S --yes"), Commands::standardRemove },
        { { QStringLiteral("link-standard"), 1, lessonOptions + QStringList { QStringLiteral("standard") },
              { QStringLiteral("off") } },
            QStringLiteral("link-standard FILE --course NAME --date YYYY-MM-DD [--index N] --standard SHORT [--off]"),
            Commands::linkStandard },
        { { QStringLiteral("search"), 2, { upgradeOption }, { QStringLiteral("json") } },
            QStringLiteral("search FILE TERM [--json]"), Commands::search },
        { { QStringLiteral("library"), 1,
              { QStringLiteral("library"), QStringLiteral("course"), QStringLiteral("date"), QStringLiteral("index"),
                  upgradeOption },
              { QStringLiteral("json") }, 1 },
            QStringLiteral("library add FILE --course NAME --date YYYY-MM-DD [--index N] | library list [--json] |\n"
                           "      library remove INDEX   [--library PATH]"),
            Commands::library },
    };
    return all;
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
        printHelp();
        return Success;
    }
    if (name == QLatin1String("--version")) {
        m_out << "semestra-cli " << QCoreApplication::applicationVersion() << Qt::endl;
        return Success;
    }
    const auto command
        = std::find_if(commands().begin(), commands().end(), [&](const Command& c) { return c.syntax.name == name; });
    if (command == commands().end()) {
        m_errors << "semestra-cli: unknown command \"" << name << "\" (see --help)" << Qt::endl;
        return UsageError;
    }
    if (arguments.contains(QLatin1String("--help"))) {
        m_out << "usage: semestra-cli " << command->usage << Qt::endl;
        return Success;
    }
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

void Cli::printHelp()
{
    m_out << "usage: semestra-cli COMMAND FILE [OPTIONS]\n"
             "       semestra-cli --version\n\ncommands:\n";
    for (const Command& command : commands())
        m_out << "  " << command.usage << '\n';
    m_out << "\nDAYS in --meets are weekday names (mon,tue,...) for weekly schedules and rotation day\n"
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
             "files were sent and failed, and saves FILE only when every file arrived.\n";
    m_out.flush();
}
