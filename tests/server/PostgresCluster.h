#pragma once

#include "server/ServerConfig.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A throw-away PostgreSQL cluster in a temporary folder, listening on
// 127.0.0.1 and a free port. PostgreSQL refuses to run as root, so under root
// (as in CI) it runs as the unprivileged user "nobody".
class PostgresCluster {
public:
    PostgresCluster();
    ~PostgresCluster();
    PostgresCluster(const PostgresCluster&) = delete;
    PostgresCluster& operator=(const PostgresCluster&) = delete;

    // False when Debian's postgresql package is not installed.
    static bool installed();
    bool start(QString* error);
    void stop();
    DatabaseUrl url() const;
    int port() const { return m_port; }

private:
    bool runTool(const QString& tool, const QStringList& arguments, QString* error);

    QTemporaryDir m_dir;
    int m_port = 0;
    bool m_running = false;
};
