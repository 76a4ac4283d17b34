#include "LoadServers.h"

#include "testlib/LoopbackPort.h"
#include "testlib/ServerProcess.h"

#include <QFile>

#include <csignal>

LoadServers::LoadServers(LoadOptions options)
    : m_options(std::move(options))
{ }

LoadServers::~LoadServers()
{
    for (auto& process : m_processes)
        ServerProcess::stop(*process);
    m_cluster.stop();
}

QString LoadServers::writeConfig(int port, QString* error)
{
    const QString path = m_dir.filePath(QStringLiteral("connect-%1.ini").arg(port));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = QStringLiteral("cannot write %1").arg(path);
        return {};
    }
    file.write(QStringLiteral("[server]\nlisten = 127.0.0.1:%1\nthreads = %2\n[storage]\ndatabase = %3\nfiles = %4\n")
                   .arg(port)
                   .arg(m_options.threads)
                   .arg(m_database, m_dir.filePath(QStringLiteral("files")))
                   .toUtf8());
    return path;
}

bool LoadServers::start(QString* error)
{
    if (m_options.backend == QLatin1String("postgres")) {
        if (!m_cluster.start(error))
            return false;
        m_database = QStringLiteral("postgresql://semestra@127.0.0.1:%1/postgres").arg(m_cluster.port());
    } else {
        m_database = QStringLiteral("sqlite://") + m_dir.filePath(QStringLiteral("connect.db"));
    }
    // One after the other: the first creates the schema.
    for (int i = 0; i < m_options.servers; ++i) {
        const int port = LoopbackPort::freePort();
        const QString config = writeConfig(port, error);
        if (config.isEmpty())
            return false;
        auto process = std::make_unique<QProcess>();
        process->setStandardErrorFile(m_dir.filePath(QStringLiteral("access-%1.log").arg(i)));
        process->start(
            QStringLiteral(SEMESTRA_CONNECT_BINARY), { QStringLiteral("serve"), QStringLiteral("--config"), config });
        QProcess* raw = process.get();
        m_processes.push_back(std::move(process));
        if (!LoopbackPort::waitUntilListening(port, 30000, [raw] { return raw->state() != QProcess::NotRunning; })) {
            *error = QStringLiteral("semestra-connect %1 did not start").arg(i);
            return false;
        }
        m_ports.push_back(port);
    }
    return true;
}

bool LoadServers::addTeachers(QString* error)
{
    const QString config = m_dir.filePath(QStringLiteral("connect-%1.ini").arg(m_ports.front()));
    for (int i = 0; i < m_options.teachers; ++i) {
        QProcess add;
        add.start(QStringLiteral(SEMESTRA_CONNECT_BINARY),
            { QStringLiteral("user"), QStringLiteral("add"), QStringLiteral("teacher%1").arg(i),
                QStringLiteral("--config"), config });
        add.write((password() + QLatin1Char('\n')).toUtf8());
        add.closeWriteChannel();
        if (!add.waitForFinished(30000) || add.exitCode() != 0) {
            *error = QStringLiteral("user add: ") + QString::fromUtf8(add.readAllStandardError()).trimmed();
            return false;
        }
    }
    return true;
}

bool LoadServers::stop()
{
    bool clean = true;
    for (auto& process : m_processes) {
        ::kill(pid_t(process->processId()), SIGTERM);
        clean = process->waitForFinished(30000) && process->exitStatus() == QProcess::NormalExit
            && process->exitCode() == 0 && clean;
        ServerProcess::stop(*process);
    }
    m_processes.clear();
    return clean;
}
