#include "ConnectProcess.h"

#include "testlib/LoopbackPort.h"
#include "testlib/ServerProcess.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <csignal>
#include <sys/types.h>

ConnectProcess::ConnectProcess() = default;

ConnectProcess::~ConnectProcess()
{
    stop();
}

bool ConnectProcess::start(QString* error)
{
    m_port = LoopbackPort::freePort();
    QFile config(configPath());
    if (!config.open(QIODevice::WriteOnly)) {
        *error = QStringLiteral("cannot write %1").arg(configPath());
        return false;
    }
    config.write(QStringLiteral("[server]\nlisten = 127.0.0.1:%1\nthreads = 4\n[storage]\ndatabase = sqlite://%2\n"
                                "files = %3\n")
                     .arg(m_port)
                     .arg(m_dir.filePath(QStringLiteral("connect.db")), m_dir.filePath(QStringLiteral("files")))
                     .toUtf8());
    config.close();
    return launch(error);
}

bool ConnectProcess::restart(QString* error)
{
    stop();
    return launch(error);
}

bool ConnectProcess::launch(QString* error)
{
    m_process.setStandardErrorFile(
        m_dir.filePath(QStringLiteral("access-%1.log").arg(m_launches++)), QIODevice::Truncate);
    m_process.start(
        QStringLiteral(SEMESTRA_CONNECT_BINARY), { QStringLiteral("serve"), QStringLiteral("--config"), configPath() });
    if (!LoopbackPort::waitUntilListening(
            m_port, 30000, [this] { return m_process.state() != QProcess::NotRunning; })) {
        *error = QStringLiteral("semestra-connect did not start");
        return false;
    }
    return true;
}

void ConnectProcess::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    thaw();
    ServerProcess::stop(m_process);
}

void ConnectProcess::freeze()
{
    if (m_process.state() != QProcess::NotRunning)
        ::kill(pid_t(m_process.processId()), SIGSTOP);
}

void ConnectProcess::thaw()
{
    if (m_process.state() != QProcess::NotRunning)
        ::kill(pid_t(m_process.processId()), SIGCONT);
}

bool ConnectProcess::addUser(const QString& name, const QString& password, QString* error)
{
    QProcess add;
    add.start(QStringLiteral(SEMESTRA_CONNECT_BINARY),
        { QStringLiteral("user"), QStringLiteral("add"), name, QStringLiteral("--config"), configPath() });
    add.write((password + QLatin1Char('\n')).toUtf8());
    add.closeWriteChannel();
    if (!add.waitForFinished(30000) || add.exitCode() != 0) {
        *error = QStringLiteral("user add: ") + QString::fromUtf8(add.readAllStandardError()).trimmed();
        return false;
    }
    return true;
}

QString ConnectProcess::feedbackList() const
{
    QProcess list;
    list.start(QStringLiteral(SEMESTRA_CONNECT_BINARY),
        { QStringLiteral("feedback"), QStringLiteral("list"), QStringLiteral("--config"), configPath() });
    list.waitForFinished(30000);
    return QString::fromUtf8(list.readAllStandardOutput());
}

QStringList ConnectProcess::requests() const
{
    static const QRegularExpression line(QStringLiteral("method=(\\S+) path=\"([^\"]*)\" status=(\\d+)"));
    QStringList requests;
    for (int launch = 0; launch < m_launches; ++launch) {
        QFile log(m_dir.filePath(QStringLiteral("access-%1.log").arg(launch)));
        if (!log.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray& text : log.readAll().split('\n')) {
            const auto match = line.match(QString::fromUtf8(text));
            if (match.hasMatch())
                requests.append(
                    match.captured(1) + QLatin1Char(' ') + match.captured(2) + QLatin1Char(' ') + match.captured(3));
        }
    }
    return requests;
}
