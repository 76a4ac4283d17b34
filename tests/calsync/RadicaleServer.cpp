#include "RadicaleServer.h"

#include "testlib/LoopbackPort.h"
#include "testlib/ServerProcess.h"

#include <QDir>
#include <QFile>

const QString RadicaleServer::user = QStringLiteral("teacher");
const QString RadicaleServer::password = QStringLiteral("chalk");

namespace {

constexpr int startTimeoutMs = 15000;

} // namespace

RadicaleServer::RadicaleServer()
{
    const int port = LoopbackPort::freePort();
    if (port == 0 || !writeConfiguration(port)) {
        m_problem = QStringLiteral("no free port or no configuration");
        return;
    }
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // Debian's interpreter: the first python3 on PATH may be a private one.
    m_process.start(QStringLiteral("/usr/bin/python3"),
        { QStringLiteral("-m"), QStringLiteral("radicale"), QStringLiteral("--config"),
            m_folder.filePath(QStringLiteral("config")) });
    if (LoopbackPort::waitUntilListening(
            port, startTimeoutMs, [this] { return m_process.state() != QProcess::NotRunning; })) {
        m_port = port;
        return;
    }
    m_problem = QStringLiteral("radicale did not listen on port %1").arg(port);
}

RadicaleServer::~RadicaleServer()
{
    stop();
}

void RadicaleServer::stop()
{
    ServerProcess::stop(m_process);
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
