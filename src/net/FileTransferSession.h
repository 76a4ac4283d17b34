#pragma once

#include "net/TransferAddress.h"
#include "net/TransferResult.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>

// A server's key that the known-hosts file does not hold yet.
struct HostKey {
    QString host;
    int port = 0;
    QString type;
    // "SHA256:" and the unpadded base64 digest, as ssh-keygen -l shows it.
    QString fingerprint;
};

// Creates folders and stores files on one FTP, FTPS or SFTP server over a
// single connection that every request reuses. Requests block; run them
// off the GUI thread.
class FileTransferSession {
public:
    enum class Encryption {
        // Plain FTP switches to TLS whenever the server offers it.
        WhenOffered,
        // Plain FTP stops before the password is sent unless TLS is used.
        Required,
    };

    struct Options {
        Encryption encryption = Encryption::WhenOffered;
        std::chrono::milliseconds connectTimeout { 15000 };
        // How long to wait for any reply of the server.
        std::chrono::milliseconds responseTimeout { 30000 };
        // A transfer slower than one byte a second for this long is dropped.
        std::chrono::seconds stallTimeout { 30 };
        // Certificates to trust besides the system's (a school's own CA).
        QString certificateAuthorities;
        // SFTP: the known-hosts file (~/.ssh/known_hosts when empty) and
        // the private key to sign in with (the first of ~/.ssh/id_ed25519,
        // id_ecdsa and id_rsa when empty).
        QString knownHostsFile;
        QString privateKeyFile;
    };

    // Answers whether an unknown host key may be trusted; a trusted key is
    // added to the known-hosts file, so the question comes once.
    using HostKeyCheck = std::function<bool(const HostKey&)>;

    FileTransferSession(TransferAddress address, QString user, QString password, Options options);
    ~FileTransferSession();
    FileTransferSession(const FileTransferSession&) = delete;
    FileTransferSession& operator=(const FileTransferSession&) = delete;

    const TransferAddress& address() const { return m_address; }
    void setHostKeyCheck(HostKeyCheck check) { m_hostKeyCheck = std::move(check); }
    // Requests stop soon after the flag goes up.
    void setCancelFlag(const std::atomic<bool>* cancelled) { m_cancelled = cancelled; }

    // Makes the folder and any missing parents; an existing folder is
    // fine. The empty path only signs in.
    TransferResult makeFolder(const QStringList& path);
    // Makes the file's folder when it is missing, but not the folders above.
    TransferResult storeFile(const QString& localPath, const QStringList& path);

private:
    struct Curl;
    void prepare(const QByteArray& url);
    TransferResult perform();
    TransferResult makeSftpFolder(const QStringList& path);
    TransferResult describe(int code);
    friend struct CurlCallbacks;

    TransferAddress m_address;
    QByteArray m_user;
    QByteArray m_password;
    Options m_options;
    QByteArray m_knownHosts;
    QByteArray m_privateKey;
    HostKeyCheck m_hostKeyCheck;
    const std::atomic<bool>* m_cancelled = nullptr;
    std::unique_ptr<Curl> m_curl;
    // Why the host key was refused, kept for the failure message.
    QString m_hostKeyProblem;
};
