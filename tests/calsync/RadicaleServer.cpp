#include "RadicaleServer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

const QString RadicaleServer::user = QStringLiteral("teacher");
const QString RadicaleServer::password = QStringLiteral("chalk");

namespace {

constexpr int startTimeoutMs = 15000;

sockaddr_in loopback(int port)
{
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_port = htons(uint16_t(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

// A port the system has just handed out and taken back: free unless another
// program grabs it in the moment before the server binds it.
int freePort()
{
    const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = loopback(0);
    socklen_t length = sizeof address;
    int port = 0;
    if (::bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0
        && ::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(probe);
    return port;
}

bool listens(int port)
{
    const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = loopback(port);
    const bool connected = ::connect(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(probe);
    return connected;
}

} // namespace

RadicaleServer::RadicaleServer()
{
    const int port = freePort();
    if (port == 0 || !writeConfiguration(port)) {
        m_problem = QStringLiteral("no free port or no configuration");
        return;
    }
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // Debian's interpreter: the first python3 on PATH may be a private one.
    m_process.start(QStringLiteral("/usr/bin/python3"),
        { QStringLiteral("-m"), QStringLiteral("radicale"), QStringLiteral("--config"),
            m_folder.filePath(QStringLiteral("config")) });
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < startTimeoutMs && m_process.state() != QProcess::NotRunning) {
        if (listens(port)) {
            m_port = port;
            return;
        }
        QThread::msleep(50);
    }
    m_problem = QStringLiteral("radicale did not listen on port %1").arg(port);
}

RadicaleServer::~RadicaleServer()
{
    stop();
}

void RadicaleServer::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished();
    }
}

bool RadicaleServer::writeConfiguration(int port)
{
    QFile users(m_folder.filePath(QStringLiteral("users")));
    QFile configuration(m_folder.filePath(QStringLiteral("config")));
    if (!users.open(QIODevice::WriteOnly) || !configuration.open(QIODevice::WriteOnly))
        return false;
    users.write((user + QLatin1Char(':') + password + QLatin1Char('\n')).toUtf8());
    configuration.write(QStringLiteral("[server]\nhosts = 127.0.0.1:%1\n"
                                       "[auth]\ntype = htpasswd\nhtpasswd_filename = %2\nhtpasswd_encryption = plain\n"
                                       "delay = 0\n"
                                       "[rights]\ntype = owner_only\n"
                                       "[storage]\nfilesystem_folder = %3\n"
                                       "[logging]\nlevel = warning\nmask_passwords = True\n")
                            .arg(port)
                            .arg(users.fileName(), m_folder.filePath(QStringLiteral("collections")))
                            .toUtf8());
    return true;
}
