#include "calsync/CalDavStore.h"
#include "calsync/CalendarFileStore.h"
#include "calsync/CalendarSyncSettings.h"
#include "calsync/ICalSyncController.h"
#include "cli/CliPassword.h"
#include "cli/CommandContext.h"
#include "cli/CommandLine.h"
#include "model/Document.h"
#include "model/Year.h"
#include "net/KeychainPasswordStore.h"

#include <QTextStream>

namespace {

struct StoreChoice {
    std::unique_ptr<CalendarStore> store;
    QString error;
};

// The password of a CalDAV account: the first line of standard input when
// asked for, else the one the desktop planner kept in the keyring.
Result<QString> passwordFor(const CommandLine& line, const QUrl& address, const QString& user)
{
    if (CliPassword::isGivenOnStandardInput(line))
        return CliPassword::readStandardInput();
    return CliPassword::fromLookup(
        KeychainPasswordStore().readPassword(CalDavStore::passwordService, CalDavStore::passwordAccount(address, user)),
        user, address.host());
}

// The options name the store; without any, the store the teacher chose in
// the planner's calendar sync window.
Result<std::unique_ptr<CalendarStore>> storeFor(const CommandLine& line, Year& year)
{
    using Chosen = Result<std::unique_ptr<CalendarStore>>;
    const CalendarSyncSettings settings(year);
    const bool calDav = line.has(QStringLiteral("caldav"))
        || (!line.has(QStringLiteral("folder")) && settings.storeKind() == CalendarSyncSettings::StoreKind::CalDav);
    if (!calDav) {
        const QString folder = line.value(QStringLiteral("folder"), CalendarFileStore::defaultFolder());
        return Chosen(std::make_unique<CalendarFileStore>(folder));
    }
    const QUrl address(line.value(QStringLiteral("caldav"), settings.serverAddress()));
    const QString user = line.value(QStringLiteral("user"), settings.userName());
    if (line.has(QStringLiteral("caldav")) && !line.has(QStringLiteral("user")))
        return Chosen::failure(QStringLiteral("--caldav needs --user NAME"));
    const Result<QString> password = passwordFor(line, address, user);
    if (!password)
        return Chosen::failure(password.error());
    return Chosen(std::make_unique<CalDavStore>(address, user, *password));
}

Status checkOptions(const CommandLine& line)
{
    if (line.has(QStringLiteral("folder")) && line.has(QStringLiteral("caldav")))
        return Status::failure(QStringLiteral("give either --folder or --caldav, not both"));
    if (line.has(QStringLiteral("password-stdin")) && !line.has(QStringLiteral("caldav")))
        return Status::failure(QStringLiteral("--password-stdin goes with --caldav URL --user NAME"));
    return Status::success();
}

} // namespace

namespace Commands {

// Events that reached the calendar are recorded in FILE even when others
// failed: forgetting their UIDs would make the next sync write them twice.
Status calendarSync(const CommandLine& line, CommandContext& context)
{
    if (const Status options = checkOptions(line); !options)
        return options;
    auto document = context.openDocumentToChange(line.positionals().first());
    if (!document)
        return Status::failure(document.error());
    Year& year = *document.value()->getCurrentYear();
    Result<std::unique_ptr<CalendarStore>> store = storeFor(line, year);
    if (!store)
        return Status::failure(store.error());
    ICalSyncController controller(year, context.alerts);
    if (line.has(QStringLiteral("changes")))
        controller.syncChangesToiCal();
    else
        controller.syncAllToiCal();
    const CalendarSyncCounts counts = controller.startSync(*store.value());
    context.out << QStringLiteral("written: %1, updated: %2, deleted: %3, failed: %4")
                       .arg(counts.written)
                       .arg(counts.updated)
                       .arg(counts.deleted)
                       .arg(counts.failed)
                << Qt::endl;
    if (counts.written + counts.updated + counts.deleted > 0 || (counts.failed == 0 && !counts.storeFailed)) {
        if (const Status saved = document.value()->save(); !saved)
            return saved;
    }
    if (counts.failed > 0)
        return Status::failure(QStringLiteral("%1 event(s) could not be synced").arg(counts.failed));
    // The store's failure was told through the alerts.
    if (counts.storeFailed)
        return Status::failure(QString());
    return Status::success();
}

} // namespace Commands
