#include "cli/CliPassword.h"
#include "cli/CommandContext.h"
#include "cli/CommandLine.h"
#include "connect/ConnectSession.h"
#include "connect/SemestraConnectSyncController.h"
#include "connect/SyncConnection.h"
#include "model/Document.h"
#include "net/KeychainPasswordStore.h"

#include <QEventLoop>
#include <QTextStream>

#include <cstdio>
#include <unistd.h>
#include <utility>

namespace {

Result<ServiceAddress> serverOf(const CommandLine& line)
{
    const Result<QString> server = line.required(QStringLiteral("server"));
    if (!server)
        return Result<ServiceAddress>::failure(server.error());
    return ServiceAddress::parse(*server);
}

// A session from a user name and password on standard input, or the one
// the planner kept in the keyring.
Status startSession(const CommandLine& line, ConnectSession& session)
{
    const QString user = line.value(QStringLiteral("user"));
    if (!user.isEmpty()) {
        if (!CliPassword::isGivenOnStandardInput(line))
            return Status::failure(QStringLiteral("--user wants --password-stdin"));
        return session.logIn(user, CliPassword::readStandardInput());
    }
    if (const Status restored = session.restore(); !restored)
        return Status::failure(
            restored.error() + QStringLiteral(" Log in from the planner or give --user NAME --password-stdin."));
    return Status::success();
}

void printOutcome(QTextStream& out, const SyncOutcome& outcome)
{
    out << outcome.recordsSent << " records sent, " << outcome.filesSent << " files sent, " << outcome.filesFailed
        << " files failed, " << outcome.deletesDone << " deletes done, " << outcome.deletesLeft << " deletes left\n";
    out.flush();
}

Status failureOf(const SyncOutcome& outcome)
{
    // Stops, a foreign year and files left behind were told through an alert.
    const bool told = outcome.state == SyncOutcome::State::Failed || outcome.state == SyncOutcome::State::WrongAccount
        || (outcome.completed() && outcome.filesFailed > 0);
    if (told)
        return Status::failure({});
    return outcome.completed() ? Status::success() : Status::failure(outcome.reason);
}

} // namespace

namespace Commands {

Status sync(const CommandLine& line, CommandContext& context)
{
    const Result<ServiceAddress> address = serverOf(line);
    if (!address)
        return Status::failure(address.error());
    auto document = context.openDocumentToChange(line.positionals().first());
    if (!document)
        return Status::failure(document.error());
    SyncConnection connection(*address);
    KeychainPasswordStore keyring;
    ConnectSession session(connection, keyring);
    if (const Status started = startSession(line, session); !started)
        return started;
    const auto scope = line.has(QStringLiteral("all")) ? SemestraConnectSyncController::Scope::Everything
                                                       : SemestraConnectSyncController::Scope::Changes;
    SemestraConnectSyncController sync(*document.value(), connection, context.alerts, scope);
    sync.setReminder(SemestraConnectSyncController::Reminder::Skip);
    // Upload progress redraws one line of a terminal; a log or a pipe gets
    // only the requests.
    const bool terminal = isatty(fileno(stderr)) != 0;
    bool progressShown = false;
    QObject::connect(&sync, &SemestraConnectSyncController::requestSent, [&](const QString& sent) {
        if (std::exchange(progressShown, false))
            std::fputs("\r\x1b[K", stderr);
        context.out << sent << '\n';
        context.out.flush();
    });
    if (terminal) {
        QObject::connect(&sync, &SemestraConnectSyncController::uploadProgressed, [&](const QString& text) {
            std::fprintf(stderr, "\r%s\x1b[K", text.toLocal8Bit().constData());
            progressShown = true;
        });
    }
    QEventLoop loop;
    QObject::connect(&sync, &SemestraConnectSyncController::finished, &loop, &QEventLoop::quit);
    sync.login();
    if (sync.isRunning())
        loop.exec();
    printOutcome(context.out, sync.outcome());
    return failureOf(sync.outcome());
}

Status syncReset(const CommandLine& line, CommandContext& context)
{
    if (!line.has(QStringLiteral("yes")))
        return Status::failure(
            QStringLiteral("sync-reset forgets what was sent to SemestraConnect; give --yes to go ahead"));
    auto document = context.openDocumentToChange(line.positionals().first());
    if (!document)
        return Status::failure(document.error());
    SemestraConnectSyncController::purgeSyncIDSWithoutAsking(*document.value()->getCurrentYear());
    if (const Status saved = document.value()->save(); !saved)
        return saved;
    context.out << "Sync information reset: the next sync sends the whole year as new\n";
    return Status::success();
}

Status syncLogout(const CommandLine& line, CommandContext& context)
{
    const Result<ServiceAddress> address = serverOf(line);
    if (!address)
        return Status::failure(address.error());
    SyncConnection connection(*address);
    KeychainPasswordStore keyring;
    ConnectSession session(connection, keyring);
    const Result<ConnectSession::Ending> ended = session.logOut();
    if (!ended)
        return Status::failure(ended.error());
    context.out << ConnectSession::describe(*ended, address->base()) << '\n';
    return Status::success();
}

} // namespace Commands
