#include "PostgresCluster.h"

#include "testlib/LoopbackPort.h"

#include <QFile>
#include <QProcess>

#include <pwd.h>
#include <unistd.h>

namespace {

const QString binaries = QStringLiteral("/usr/lib/postgresql/15/bin/");

bool asRoot()
{
    return ::geteuid() == 0;
}

} // namespace

PostgresCluster::PostgresCluster() = default;

PostgresCluster::~PostgresCluster()
{
    stop();
}

bool PostgresCluster::installed()
{
    return QFile::exists(binaries + QStringLiteral("initdb")) && QFile::exists(binaries + QStringLiteral("pg_ctl"));
}

bool PostgresCluster::runTool(const QString& tool, const QStringList& arguments, QString* error)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (asRoot())
        process.start(QStringLiteral("runuser"),
            QStringList { QStringLiteral("-u"), QStringLiteral("nobody"), QStringLiteral("--"), binaries + tool }
                + arguments);
    else
        process.start(binaries + tool, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        *error = tool + QStringLiteral(": ") + QString::fromLocal8Bit(process.readAll()).trimmed();
        return false;
    }
    return true;
}

bool PostgresCluster::start(QString* error)
{
    if (!m_dir.isValid())
        return false;
    if (asRoot()) {
        const passwd* nobody = ::getpwnam("nobody");
        if (!nobody || ::chown(m_dir.path().toLocal8Bit().constData(), nobody->pw_uid, nobody->pw_gid) != 0) {
            *error = QStringLiteral("cannot hand the cluster folder to nobody");
            return false;
        }
    }
    const QString data = m_dir.filePath(QStringLiteral("data"));
    if (!runTool(QStringLiteral("initdb"),
            { QStringLiteral("-D"), data, QStringLiteral("-U"), QStringLiteral("semestra"),
                QStringLiteral("--auth=trust"), QStringLiteral("--no-sync"), QStringLiteral("-E"),
                QStringLiteral("UTF8"), QStringLiteral("--locale=C") },
            error))
        return false;
    m_port = LoopbackPort::freePort();
    const QString options = QStringLiteral("-p %1 -h 127.0.0.1 -k %2 -c fsync=off -c synchronous_commit=off"
                                           " -c full_page_writes=off -c max_connections=80")
                                .arg(m_port)
                                .arg(m_dir.path());
    m_running = runTool(QStringLiteral("pg_ctl"),
        { QStringLiteral("-D"), data, QStringLiteral("-l"), m_dir.filePath(QStringLiteral("log")), QStringLiteral("-o"),
            options, QStringLiteral("-w"), QStringLiteral("-t"), QStringLiteral("60"), QStringLiteral("start") },
        error);
    return m_running;
}

void PostgresCluster::stop()
{
    if (!m_running)
        return;
    QString ignored;
    runTool(QStringLiteral("pg_ctl"),
        { QStringLiteral("-D"), m_dir.filePath(QStringLiteral("data")), QStringLiteral("-m"), QStringLiteral("fast"),
            QStringLiteral("-w"), QStringLiteral("stop") },
        &ignored);
    m_running = false;
}

DatabaseUrl PostgresCluster::url() const
{
    return *DatabaseUrl::parse(QStringLiteral("postgresql://semestra@127.0.0.1:%1/postgres").arg(m_port));
}
