#pragma once

#include "PostgresCluster.h"
#include "server/ConnectServer.h"

#include <QTemporaryDir>

#include <memory>
#include <ostream>
#include <thread>

enum class Backend { Sqlite, Postgres };

// How test names show the backend.
inline void PrintTo(Backend backend, std::ostream* out)
{
    *out << (backend == Backend::Sqlite ? "SQLite" : "PostgreSQL");
}

// A semestra-connect answering on 127.0.0.1 and a free port in this process,
// with a fresh database of its own (a SQLite file or a throw-away cluster).
class ConnectTestServer {
public:
    enum class Signup { Closed, Open };
    explicit ConnectTestServer(Backend backend, Signup signup = Signup::Closed);
    ~ConnectTestServer();
    ConnectTestServer(const ConnectTestServer&) = delete;
    ConnectTestServer& operator=(const ConnectTestServer&) = delete;

    bool start(QString* error);
    // A second server process on the same database and files folder.
    std::unique_ptr<ConnectServer> startTwin(QString* error);
    void stopTwin(ConnectServer& twin);

    int port() const { return m_server->port(); }
    ConnectServer& server() { return *m_server; }
    ServerConfig config() const { return m_config; }
    // The first column of the first row, counted on the test's own connection.
    qint64 count(const QString& sql, const QVariantList& values = {});
    void addAccount(const QString& name, const QString& password);

private:
    std::unique_ptr<ConnectServer> startOn(QString* error, std::thread& thread);

    Backend m_backend;
    QTemporaryDir m_dir;
    PostgresCluster m_cluster;
    ServerConfig m_config;
    std::unique_ptr<ConnectServer> m_server;
    std::thread m_thread;
    std::thread m_twinThread;
};
