#pragma once

#include "foundation/core/Result.h"
#include "net/FileTransferSession.h"
#include "net/PasswordStore.h"
#include "publish/PublishOutcome.h"
#include "publish/UploadOutcome.h"

#include <memory>

class AlertPresenter;
class PublishController;
class PublishInfo;

// The upload side of the publish sheet: the server settings of the "ftp"
// tab, the password (kept in the keyring, never in the document), the
// working folder the site is generated into, and what the teacher is told
// when the upload ends.
class SiteUploadController {
public:
    struct Server {
        // "host" or "ftp://host", "ftps://host", "sftp://host".
        QString address;
        // 0 for the scheme's own port.
        int port = 0;
        QString user;
        QString remotePath;
        bool requireEncryption = false;
    };

    static const QString passwordService;
    static const QString requireEncryptionKey;
    static const QString loginFailedTitle;
    static const QString loginFailedMessage;
    static const QString stoppedTitle;
    static const QString badServerTitle;

    SiteUploadController(PublishController& publisher, PasswordStore& passwords, AlertPresenter& alerts);

    Server server() const;
    void setServer(const Server& server);
    // The address to upload to, or a message saying what is wrong with it.
    Result<TransferAddress> address() const;
    // The same, after telling the teacher what is wrong when it is not.
    std::optional<TransferAddress> checkedAddress();
    static QString passwordAccount(const TransferAddress& address, const QString& user);

    // The password of `user` on the server: one an older file kept in the
    // document first (it moves to the keyring and leaves the document),
    // then the keyring's. Not found says why, for asking the teacher.
    PasswordStore::Lookup password(const TransferAddress& address, const QString& user);
    // Keeps a password the teacher typed; a failure says why it will be
    // asked for again.
    Status rememberPassword(const TransferAddress& address, const QString& user, const QString& password);

    // The folder the site is generated into before it is sent, emptied.
    // Tells the teacher and answers an empty path when it cannot be made.
    QString prepareWorkingFolder();
    static QString workingFolder();
    // Reports a generator failure; answers whether the upload may start.
    bool siteGenerated(const PublishOutcome& outcome);

    // A session as the "ftp" tab describes it (user, encryption).
    std::unique_ptr<FileTransferSession> makeSession(
        const TransferAddress& address, const QString& password, FileTransferSession::Options options = {}) const;

    enum class Next { Done, ShowLog };
    // Tells the teacher how the upload ended; only a complete upload marks
    // the courses as published. ShowLog when the teacher asked for the log.
    Next uploadFinished(const UploadOutcome& outcome);

private:
    PublishInfo& info() const;

    PublishController& m_publisher;
    PasswordStore& m_passwords;
    AlertPresenter& m_alerts;
};
