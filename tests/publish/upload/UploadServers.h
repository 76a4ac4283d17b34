#pragma once

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// Real servers on 127.0.0.1 for the upload tests, each started for one
// test in its own temporary folder and stopped when the object goes, also
// when the test fails. problem() says why one did not start.

// pyftpdlib serving `root()` to "teacher" with the password "chalk".
class FtpServer {
public:
    enum class Tls { None, Explicit, Implicit };

    static const QString user;
    static const QString password;

    explicit FtpServer(Tls tls = Tls::None);
    ~FtpServer();
    FtpServer(const FtpServer&) = delete;
    FtpServer& operator=(const FtpServer&) = delete;

    bool isRunning() const { return m_port > 0; }
    const QString& problem() const { return m_problem; }
    int port() const { return m_port; }
    QString root() const { return m_folder.filePath(QStringLiteral("root")); }
    // The certificate the TLS server shows, to be trusted by the client.
    QString certificate() const { return m_folder.filePath(QStringLiteral("cert.pem")); }
    // The command words clients sent, in order.
    QStringList commands() const;
    void stop();

private:
    bool makeCertificate();

    QTemporaryDir m_folder;
    QProcess m_process;
    int m_port = 0;
    QString m_problem;
};

// OpenSSH's sshd with SFTP only, for the user running the test, signing in
// with a key made for the test; SFTP sessions start in `root()`.
class SftpServer {
public:
    SftpServer();
    ~SftpServer();
    SftpServer(const SftpServer&) = delete;
    SftpServer& operator=(const SftpServer&) = delete;

    bool isRunning() const { return m_port > 0; }
    const QString& problem() const { return m_problem; }
    int port() const { return m_port; }
    QString root() const { return m_folder.filePath(QStringLiteral("root")); }
    QString userKey() const { return m_folder.filePath(QStringLiteral("userkey")); }
    static QString userName();
    // The known-hosts line for this server, as ssh would write it.
    QString knownHostsLine() const;
    void stop();

private:
    bool writeConfiguration(int port);

    QTemporaryDir m_folder;
    QProcess m_process;
    int m_port = 0;
    QString m_problem;
};

// Takes connections and never answers: a server that hangs.
class SilentServer {
public:
    SilentServer();
    ~SilentServer();
    SilentServer(const SilentServer&) = delete;
    SilentServer& operator=(const SilentServer&) = delete;

    int port() const { return m_port; }

private:
    int m_socket = -1;
    int m_port = 0;
};
