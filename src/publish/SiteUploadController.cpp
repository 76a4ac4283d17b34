#include "publish/SiteUploadController.h"

#include "foundation/alerts/AlertPresenter.h"
#include "foundation/paths/UserPaths.h"
#include "foundation/prefs/Preferences.h"
#include "model/PublishInfo.h"
#include "publish/PublishController.h"

#include <QDir>

const QString SiteUploadController::passwordService = QStringLiteral("Semestra Site Upload");
const QString SiteUploadController::requireEncryptionKey = QStringLiteral("SemestraRequireUploadEncryption");
const QString SiteUploadController::loginFailedTitle = QStringLiteral("Error Logging In");
const QString SiteUploadController::loginFailedMessage
    = QStringLiteral("Please check your account username and password");
const QString SiteUploadController::stoppedTitle = QStringLiteral("The web site could not be uploaded");
const QString SiteUploadController::badServerTitle = QStringLiteral("No Server to Upload To");

SiteUploadController::SiteUploadController(
    PublishController& publisher, PasswordStore& passwords, AlertPresenter& alerts)
    : m_publisher(publisher)
    , m_passwords(passwords)
    , m_alerts(alerts)
{ }

PublishInfo& SiteUploadController::info() const
{
    return m_publisher.publishInfo();
}

SiteUploadController::Server SiteUploadController::server() const
{
    const PublishInfo& settings = info();
    return { settings.text(u"ftpServerName"), settings.text(u"ftpPortNumber").toInt(), settings.text(u"ftpUsername"),
        settings.text(u"ftpPath"), Preferences::shared().boolValue(requireEncryptionKey) };
}

void SiteUploadController::setServer(const Server& server)
{
    PublishInfo& settings = info();
    const auto store = [&](QStringView key, const QString& value) {
        if (settings.text(key) != value)
            settings.setValue(key, value);
    };
    store(u"ftpServerName", server.address.trimmed());
    store(u"ftpPortNumber", server.port > 0 ? QString::number(server.port) : QString());
    store(u"ftpUsername", server.user.trimmed());
    store(u"ftpPath", server.remotePath.trimmed());
    Preferences::shared().setValue(requireEncryptionKey, server.requireEncryption);
}

Result<TransferAddress> SiteUploadController::address() const
{
    const Server settings = server();
    Result<TransferAddress> address = TransferAddress::parse(settings.address);
    if (!address)
        return address;
    if (settings.port > 0)
        address.value().setPort(settings.port);
    address.value().setFolder(settings.remotePath);
    return address;
}

std::optional<TransferAddress> SiteUploadController::checkedAddress()
{
    const Result<TransferAddress> checked = address();
    if (checked)
        return *checked;
    m_alerts.inform(badServerTitle,
        QStringLiteral("%1. Give the server's name, such as sftp://www.school.org.").arg(checked.error()));
    return std::nullopt;
}

QString SiteUploadController::passwordAccount(const TransferAddress& address, const QString& user)
{
    return QStringLiteral("%1@%2").arg(user, address.host());
}

PasswordStore::Lookup SiteUploadController::password(const TransferAddress& address, const QString& user)
{
    const QString account = passwordAccount(address, user);
    const QString kept = info().text(u"ftpPassword");
    if (!kept.isEmpty()) {
        // Whatever the keyring says, the document no longer holds it.
        info().setValue(u"ftpPassword", QString());
        m_passwords.writePassword(passwordService, account, kept);
        return { PasswordStore::Lookup::State::Found, kept, {} };
    }
    return m_passwords.readPassword(passwordService, account);
}

Status SiteUploadController::rememberPassword(
    const TransferAddress& address, const QString& user, const QString& password)
{
    return m_passwords.writePassword(passwordService, passwordAccount(address, user), password);
}

QString SiteUploadController::workingFolder()
{
    return UserPaths::filePath(QStringLiteral("FTPExport"));
}

QString SiteUploadController::prepareWorkingFolder()
{
    QDir folder(workingFolder());
    if ((folder.exists() && !folder.removeRecursively()) || !QDir().mkpath(folder.path())) {
        m_alerts.inform(PublishController::failedTitle,
            QStringLiteral("The working folder “%1” could not be emptied. Nothing was uploaded.").arg(folder.path()));
        return {};
    }
    return folder.path();
}

bool SiteUploadController::siteGenerated(const PublishOutcome& outcome)
{
    if (outcome.result == PublishOutcome::Result::Failed) {
        m_alerts.inform(PublishController::failedTitle,
            QStringLiteral("“%1” could not be written: %2. Nothing was uploaded.")
                .arg(outcome.failedPath, outcome.reason));
    }
    return outcome.published();
}

std::unique_ptr<FileTransferSession> SiteUploadController::makeSession(
    const TransferAddress& address, const QString& password, FileTransferSession::Options options) const
{
    options.encryption = server().requireEncryption ? FileTransferSession::Encryption::Required
                                                    : FileTransferSession::Encryption::WhenOffered;
    return std::make_unique<FileTransferSession>(address, server().user, password, std::move(options));
}

SiteUploadController::Next SiteUploadController::uploadFinished(const UploadOutcome& outcome)
{
    switch (outcome.result) {
    case UploadOutcome::Result::Uploaded:
        m_publisher.markPublished(PublishInfo::Ftp);
        return Next::Done;
    case UploadOutcome::Result::Cancelled:
        return Next::Done;
    case UploadOutcome::Result::Stopped:
        if (outcome.loginRefused) {
            m_alerts.runModal({ loginFailedTitle, loginFailedMessage, QStringLiteral("Ok"), {}, {} });
        } else {
            m_alerts.inform(stoppedTitle,
                QStringLiteral("%1. %2 of %3 files were sent before that; nothing was marked as published.")
                    .arg(outcome.failure)
                    .arg(outcome.filesSent)
                    .arg(outcome.filesToSend));
        }
        return Next::Done;
    case UploadOutcome::Result::FilesFailed:
        break;
    }
    const int answer = m_alerts.runModal({ QStringLiteral("%1 files could not be uploaded").arg(outcome.filesFailed),
        QStringLiteral("The other %1 files arrived. Nothing was marked as published; publish again to send the "
                       "missing files.")
            .arg(outcome.filesSent),
        QStringLiteral("OK"), QStringLiteral("Show Log"), {} });
    return answer == AlertAlternateReturn ? Next::ShowLog : Next::Done;
}
