#include "UploadServers.h"

#include "testlib/LoopbackPort.h"
#include "testlib/ServerProcess.h"

#include <QDir>
#include <QFile>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

const QString FtpServer::user = QStringLiteral("teacher");
const QString FtpServer::password = QStringLiteral("chalk");

namespace {

constexpr int startTimeoutMs = 15000;

bool runTool(const QString& program, const QStringList& arguments)
{
    QProcess tool;
    tool.setProcessChannelMode(QProcess::MergedChannels);
    tool.start(program, arguments);
    return tool.waitForFinished(30000) && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
}

} // namespace

FtpServer::FtpServer(Tls tls)
{
    QDir().mkpath(root());
    QStringList arguments { QStringLiteral(SEMESTRA_FTP_SERVER_SCRIPT), QStringLiteral("--root"), root(),
        QStringLiteral("--user"), user, QStringLiteral("--password"), password, QStringLiteral("--commands"),
        m_folder.filePath(QStringLiteral("commands")) };
    if (tls != Tls::None) {
        if (!makeCertificate()) {
            m_problem = QStringLiteral("openssl could not make a certificate");
            return;
        }
        arguments << QStringLiteral("--tls") << certificate() << m_folder.filePath(QStringLiteral("key.pem"));
    }
    if (tls == Tls::Implicit)
        arguments << QStringLiteral("--implicit");
    m_process.setStandardErrorFile(m_folder.filePath(QStringLiteral("server.log")));
    // Debian's interpreter: the first python3 on PATH may be a private one.
    m_process.start(QStringLiteral("/usr/bin/python3"), arguments);
    if (!m_process.waitForReadyRead(startTimeoutMs)) {
        m_problem = QStringLiteral("pyftpdlib did not start");
        return;
    }
    const QByteArray line = m_process.readLine().trimmed();
    const int port = line.startsWith("PORT ") ? line.mid(5).toInt() : 0;
    if (port > 0 && LoopbackPort::waitUntilListening(port, startTimeoutMs, [this] {
            return m_process.state() != QProcess::NotRunning;
        }))
        m_port = port;
    else
        m_problem = QStringLiteral("pyftpdlib did not listen: %1").arg(QString::fromUtf8(line));
}

FtpServer::~FtpServer()
{
    stop();
}

void FtpServer::stop()
{
    ServerProcess::stop(m_process);
}

bool FtpServer::makeCertificate()
{
    return runTool(QStringLiteral("openssl"),
        { QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"), QStringLiteral("rsa:2048"),
            QStringLiteral("-nodes"), QStringLiteral("-days"), QStringLiteral("2"), QStringLiteral("-subj"),
            QStringLiteral("/CN=127.0.0.1"), QStringLiteral("-addext"), QStringLiteral("subjectAltName=IP:127.0.0.1"),
            QStringLiteral("-keyout"), m_folder.filePath(QStringLiteral("key.pem")), QStringLiteral("-out"),
            certificate() });
}

QStringList FtpServer::commands() const
{
    QFile file(m_folder.filePath(QStringLiteral("commands")));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

SftpServer::SftpServer()
{
    QDir().mkpath(root());
    const int port = LoopbackPort::freePort();
    const QString hostKey = m_folder.filePath(QStringLiteral("hostkey"));
    const auto makeKey = [](const QString& path) {
        return runTool(QStringLiteral("ssh-keygen"),
            { QStringLiteral("-q"), QStringLiteral("-t"), QStringLiteral("ed25519"), QStringLiteral("-N"), QString(),
                QStringLiteral("-f"), path });
    };
    if (port == 0 || !makeKey(hostKey) || !makeKey(userKey()) || !writeConfiguration(port)) {
        m_problem = QStringLiteral("no free port, keys or configuration");
        return;
    }
    // A root sshd wants its privilege separation folder, which only the
    // service's start-up makes.
    if (::geteuid() == 0)
        QDir().mkpath(QStringLiteral("/run/sshd"));
    m_process.setStandardErrorFile(m_folder.filePath(QStringLiteral("sshd.log")));
    m_process.start(QStringLiteral("/usr/sbin/sshd"),
        { QStringLiteral("-D"), QStringLiteral("-e"), QStringLiteral("-f"),
            m_folder.filePath(QStringLiteral("sshd_config")) });
    if (LoopbackPort::waitUntilListening(
            port, startTimeoutMs, [this] { return m_process.state() != QProcess::NotRunning; }))
        m_port = port;
    else
        m_problem = QStringLiteral("sshd did not listen on port %1").arg(port);
}

SftpServer::~SftpServer()
{
    stop();
}

void SftpServer::stop()
{
    ServerProcess::stop(m_process);
}

QString SftpServer::userName()
{
    const passwd* entry = ::getpwuid(::geteuid());
    return entry ? QString::fromLocal8Bit(entry->pw_name) : QString();
}

QString SftpServer::knownHostsLine() const
{
    QFile key(m_folder.filePath(QStringLiteral("hostkey.pub")));
    if (!key.open(QIODevice::ReadOnly))
        return {};
    const QList<QByteArray> parts = key.readAll().trimmed().split(' ');
    return QStringLiteral("[127.0.0.1]:%1 %2 %3\n")
        .arg(m_port)
        .arg(QString::fromLatin1(parts.value(0)), QString::fromLatin1(parts.value(1)));
}

bool SftpServer::writeConfiguration(int port)
{
    if (!QFile::copy(userKey() + QStringLiteral(".pub"), m_folder.filePath(QStringLiteral("authorized_keys"))))
        return false;
    QFile configuration(m_folder.filePath(QStringLiteral("sshd_config")));
    if (!configuration.open(QIODevice::WriteOnly))
        return false;
    configuration.write(QStringLiteral("Port %1\nListenAddress 127.0.0.1\nHostKey %2\nAuthorizedKeysFile %3\n"
                                       "PasswordAuthentication no\nKbdInteractiveAuthentication no\n"
                                       "PubkeyAuthentication yes\nUsePAM no\nStrictModes no\nPidFile none\n"
                                       "AllowUsers %4\nSubsystem sftp internal-sftp -d %5\n")
                            .arg(port)
                            .arg(m_folder.filePath(QStringLiteral("hostkey")),
                                m_folder.filePath(QStringLiteral("authorized_keys")), userName(), root())
                            .toUtf8());
    return true;
}

SilentServer::SilentServer()
{
    m_socket = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 && ::listen(m_socket, 4) == 0
        && ::getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        m_port = ntohs(address.sin_port);
}

SilentServer::~SilentServer()
{
    ::close(m_socket);
}
