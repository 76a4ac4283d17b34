#include "cli/CliPassword.h"
#include "cli/CommandContext.h"
#include "cli/CommandLine.h"
#include "model/Document.h"
#include "model/Year.h"
#include "net/KeychainPasswordStore.h"
#include "publish/ExportManager.h"
#include "publish/PublishController.h"
#include "publish/SiteUploadController.h"

#include <QTextStream>

namespace {

// The first line of standard input when asked for, else the keyring's (or
// one an older document still holds). An SFTP account may sign in with
// the user's key and no password.
Result<QString> passwordFor(
    const CommandLine& line, SiteUploadController& uploads, const TransferAddress& address, const QString& user)
{
    // Asked even with --password-stdin: an old password leaves the document.
    const PasswordStore::Lookup lookup = uploads.password(address, user);
    if (CliPassword::isGivenOnStandardInput(line))
        return CliPassword::readStandardInput();
    if (address.scheme() == TransferAddress::Scheme::Sftp)
        return lookup.password;
    return CliPassword::fromLookup(lookup, user, address.host());
}

void printCounts(QTextStream& out, const UploadOutcome& outcome)
{
    out << outcome.filesSent << " files sent, " << outcome.filesFailed << " failed, "
        << outcome.filesToSend - outcome.filesSent - outcome.filesFailed << " not tried\n";
}

} // namespace

namespace Commands {

// The document is saved only after a complete upload: that is when the
// courses count as published (and an old password leaves the file).
Status upload(const CommandLine& line, CommandContext& context)
{
    const Result<QString> url = line.required(QStringLiteral("url"));
    const Result<QString> user = line.required(QStringLiteral("user"));
    if (!url || !user)
        return Status::failure(url ? user.error() : url.error());
    const Result<TransferAddress> address = TransferAddress::parse(*url);
    if (!address)
        return Status::failure(address.error());
    auto document = context.openDocumentToChange(line.positionals().first());
    if (!document)
        return Status::failure(document.error());
    PublishController publisher(*document.value()->getCurrentYear(), context.alerts, context.files);
    KeychainPasswordStore keyring;
    SiteUploadController uploads(publisher, keyring, context.alerts);
    const Result<QString> password = passwordFor(line, uploads, *address, *user);
    if (!password)
        return Status::failure(password.error());
    const QString root = uploads.prepareWorkingFolder();
    if (root.isEmpty() || !uploads.siteGenerated(publisher.generate(root)))
        return Status::failure({});
    FileTransferSession::Options options;
    options.encryption = line.has(QStringLiteral("require-tls")) ? FileTransferSession::Encryption::Required
                                                                 : FileTransferSession::Encryption::WhenOffered;
    options.certificateAuthorities = line.value(QStringLiteral("cacert"));
    FileTransferSession session(*address, *user, *password, options);
    const UploadOutcome outcome = ExportManager(session).uploadFiles(root);
    printCounts(context.out, outcome);
    for (const QString& entry : outcome.log) {
        if (entry.startsWith(QLatin1String("failed: ")))
            context.out << entry << '\n';
    }
    context.out.flush();
    uploads.uploadFinished(outcome);
    if (!outcome.succeeded())
        return Status::failure({});
    return document.value()->save();
}

} // namespace Commands
