#include "ConnectTestServer.h"

#include <gtest/gtest.h>

ConnectTestServer::ConnectTestServer(Backend backend, Signup signup)
    : m_backend(backend)
{
    m_config.signup = signup == Signup::Open;
}

ConnectTestServer::~ConnectTestServer()
{
    if (m_server) {
        m_server->stop();
        m_thread.join();
        m_server.reset(); // its connections close before the cluster goes
    }
    m_cluster.stop();
}

std::unique_ptr<ConnectServer> ConnectTestServer::startOn(QString* error, std::thread& thread)
{
    auto server = std::make_unique<ConnectServer>(m_config);
    const Status started = server->start();
    if (!started) {
        *error = started.error();
        return nullptr;
    }
    thread = std::thread([raw = server.get()] { raw->run(); });
    return server;
}

bool ConnectTestServer::start(QString* error)
{
    if (m_backend == Backend::Postgres) {
        if (!m_cluster.start(error))
            return false;
        m_config.database = m_cluster.url();
    } else {
        m_config.database
            = *DatabaseUrl::parse(QStringLiteral("sqlite://") + m_dir.filePath(QStringLiteral("connect.db")));
    }
    m_config.listenHost = QStringLiteral("127.0.0.1");
    m_config.listenPort = 0;
    m_config.filesFolder = m_dir.filePath(QStringLiteral("files"));
    m_config.threads = 4;
    m_config.accessLog = false;
    m_server = startOn(error, m_thread);
    if (m_server)
        m_config.baseUrl = QStringLiteral("http://127.0.0.1:%1").arg(m_server->port());
    return m_server != nullptr;
}

std::unique_ptr<ConnectServer> ConnectTestServer::startTwin(QString* error)
{
    return startOn(error, m_twinThread);
}

void ConnectTestServer::stopTwin(ConnectServer& twin)
{
    twin.stop();
    m_twinThread.join();
}

qint64 ConnectTestServer::count(const QString& sql, const QVariantList& values)
{
    return m_server->storage().scalar(sql, values).value_or(QVariant(-1)).toLongLong();
}

void ConnectTestServer::addAccount(const QString& name, const QString& password)
{
    ASSERT_TRUE(m_server->accounts().add(name, password).ok());
}
