#include "server/CommandLine.h"

#include "server/ConnectServer.h"
#include "server/FeedbackBox.h"
#include "server/Secrets.h"

#include <QDateTime>

#include <csignal>
#include <pthread.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

enum Exit { Done = 0, Failed = 1, Usage = 2 };

struct Command {
    const char* name; // "user add"
    const char* usage;
    const char* help;
};

const Command commands[] = {
    { "serve", "semestra-connect serve --config FILE",
        "Answers the desktop program's sync and the web pages on the configured address until\n"
        "SIGTERM or SIGINT. Creates the database and the files folder on first start and logs\n"
        "one line per request to standard error." },
    { "user add", "semestra-connect user add NAME --config FILE",
        "Adds an account. Reads its password (at least 8 characters) from the first line of\n"
        "standard input." },
    { "user list", "semestra-connect user list --config FILE",
        "Lists the accounts: name, state and the id of the year each holds (-1: none)." },
    { "user disable", "semestra-connect user disable NAME --config FILE",
        "Disables an account and ends its sessions; `user reset` enables it again." },
    { "user admin", "semestra-connect user admin NAME --config FILE",
        "Lets an account read the feedback from the desktop program at /admin/feedback." },
    { "user reset", "semestra-connect user reset NAME --config FILE",
        "Sets a new password, read from the first line of standard input, enables the account\n"
        "and ends its sessions." },
    { "feedback list", "semestra-connect feedback list --config FILE",
        "Prints the feedback sent from the desktop program, newest first." },
};

void print(std::FILE* stream, const QString& text)
{
    std::fputs(text.toUtf8().constData(), stream);
}

void printOverview(std::FILE* out)
{
    print(out, QStringLiteral("semestra-connect: the SemestraConnect service.\n\nCommands:\n"));
    for (const Command& command : commands)
        print(out, QStringLiteral("  %1\n").arg(QLatin1String(command.usage)));
    print(out, QStringLiteral("\n`semestra-connect COMMAND --help` explains a command.\n"));
}

struct Parsed {
    const Command* command = nullptr;
    QString name; // the NAME argument of user commands
    QString configPath;
    bool help = false;
};

const Command* findCommand(const QStringList& words)
{
    for (const Command& command : commands) {
        const QStringList name = QString::fromLatin1(command.name).split(QLatin1Char(' '));
        if (words.mid(0, name.size()) == name)
            return &command;
    }
    return nullptr;
}

std::optional<Parsed> parse(QStringList arguments, QString* error)
{
    Parsed parsed;
    parsed.help = arguments.removeAll(QStringLiteral("--help")) + arguments.removeAll(QStringLiteral("-h")) > 0;
    const qsizetype config = arguments.indexOf(QStringLiteral("--config"));
    if (config >= 0) {
        if (config + 1 >= arguments.size()) {
            *error = QStringLiteral("--config needs a FILE");
            return std::nullopt;
        }
        parsed.configPath = arguments.takeAt(config + 1);
        arguments.removeAt(config);
    }
    parsed.command = findCommand(arguments);
    if (!parsed.command) {
        *error = arguments.isEmpty() ? QStringLiteral("no command given")
                                     : QStringLiteral("unknown command %1").arg(arguments.join(QLatin1Char(' ')));
        return std::nullopt;
    }
    const qsizetype words = QString::fromLatin1(parsed.command->name).count(QLatin1Char(' ')) + 1;
    const QStringList rest = arguments.mid(words);
    const bool wantsName = QString::fromLatin1(parsed.command->usage).contains(QLatin1String("NAME"));
    if (!parsed.help && (rest.size() != (wantsName ? 1 : 0) || parsed.configPath.isEmpty())) {
        *error = QStringLiteral("usage: %1").arg(QLatin1String(parsed.command->usage));
        return std::nullopt;
    }
    parsed.name = rest.value(0);
    return parsed;
}

// The first line of standard input, without echo when a person types it.
QString readPassword(std::FILE* in)
{
    const int fd = fileno(in);
    termios saved {};
    const bool terminal = isatty(fd) && tcgetattr(fd, &saved) == 0;
    if (terminal) {
        termios quiet = saved;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        tcsetattr(fd, TCSANOW, &quiet);
        std::fputs("Password: ", stderr);
    }
    char line[1100];
    const bool read = std::fgets(line, sizeof line, in) != nullptr;
    if (terminal) {
        tcsetattr(fd, TCSANOW, &saved);
        std::fputs("\n", stderr);
    }
    return read ? QString::fromUtf8(line).remove(QLatin1Char('\n')).remove(QLatin1Char('\r')) : QString();
}

int serve(ConnectServer& server, const ServerConfig& config, std::FILE* err)
{
    // Signals wait for one thread (sigwait below); blocked before the worker
    // threads start, so they inherit the mask.
    sigset_t stopping;
    sigemptyset(&stopping);
    sigaddset(&stopping, SIGTERM);
    sigaddset(&stopping, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stopping, nullptr);
    std::thread watcher([&server, &stopping] {
        int signal = 0;
        sigwait(&stopping, &signal);
        server.stop();
    });
    print(err,
        QStringLiteral("semestra-connect listening on %1:%2 (%3)\n")
            .arg(config.listenHost)
            .arg(server.port())
            .arg(config.baseUrl));
    std::fflush(err);
    const bool ran = server.run();
    kill(getpid(), SIGTERM); // wakes the watcher when the server ended by itself
    watcher.join();
    print(err, QStringLiteral("semestra-connect stopped\n"));
    std::fflush(err);
    return ran ? Done : Failed;
}

int listUsers(Accounts& accounts, std::FILE* out)
{
    const auto all = accounts.list();
    if (!all)
        return Failed;
    for (const Account& account : *all) {
        print(out,
            QStringLiteral("%1\t%2%3\t%4\n")
                .arg(account.username, account.disabled ? QStringLiteral("disabled") : QStringLiteral("enabled"),
                    account.administrator ? QStringLiteral(",administrator") : QString())
                .arg(account.yearId));
    }
    return Done;
}

int listFeedback(Storage& storage, std::FILE* out)
{
    const auto all = FeedbackBox(storage).list();
    if (!all)
        return Failed;
    for (const FeedbackView& feedback : *all) {
        print(out,
            QStringLiteral("%1 %2 from %3 <%4> (%5 %6)\n%7\n\n")
                .arg(feedback.received.toString(Qt::ISODate), feedback.feedbackType, feedback.name, feedback.email,
                    feedback.appName, feedback.version, feedback.feedback));
    }
    return Done;
}

int report(const Status& status, std::FILE* err)
{
    if (!status) {
        print(err, QStringLiteral("semestra-connect: %1\n").arg(status.error()));
        return Failed;
    }
    return Done;
}

int runCommand(const Parsed& parsed, const ServerConfig& config, std::FILE* in, std::FILE* out, std::FILE* err)
{
    const QString command = QString::fromLatin1(parsed.command->name);
    ConnectServer server(config);
    if (command == QLatin1String("serve")) {
        if (const Status started = server.start(); !started)
            return report(started, err);
        return serve(server, config, err);
    }
    if (!Secrets::initialise())
        return report(Status::failure(QStringLiteral("cannot start libsodium")), err);
    if (const Status opened = server.storage().open(); !opened)
        return report(opened, err);
    Accounts& accounts = server.accounts();
    if (command == QLatin1String("user add"))
        return report(accounts.add(parsed.name, readPassword(in)), err);
    if (command == QLatin1String("user reset"))
        return report(accounts.resetPassword(parsed.name, readPassword(in)), err);
    if (command == QLatin1String("user disable"))
        return report(accounts.disable(parsed.name), err);
    if (command == QLatin1String("user admin"))
        return report(accounts.setAdministrator(parsed.name, true), err);
    if (command == QLatin1String("user list"))
        return listUsers(accounts, out);
    return listFeedback(server.storage(), out);
}

} // namespace

int CommandLine::run(const QStringList& arguments, std::FILE* in, std::FILE* out, std::FILE* err)
{
    if (arguments.isEmpty() || arguments == QStringList { QStringLiteral("--help") }
        || arguments == QStringList { QStringLiteral("help") }) {
        printOverview(arguments.isEmpty() ? err : out);
        return arguments.isEmpty() ? Usage : Done;
    }
    QString error;
    const auto parsed = parse(arguments, &error);
    if (!parsed) {
        print(err, QStringLiteral("semestra-connect: %1\n").arg(error));
        return Usage;
    }
    if (parsed->help) {
        print(out,
            QStringLiteral("usage: %1\n\n%2\n")
                .arg(QLatin1String(parsed->command->usage), QLatin1String(parsed->command->help)));
        return Done;
    }
    const auto config = ServerConfig::load(parsed->configPath, &error);
    if (!config) {
        print(err, QStringLiteral("semestra-connect: %1\n").arg(error));
        return Failed;
    }
    return runCommand(*parsed, *config, in, out, err);
}
