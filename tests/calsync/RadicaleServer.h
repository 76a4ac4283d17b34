#pragma once

#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>

// Debian's Radicale CalDAV server on 127.0.0.1 and a free port, with one
// user ("teacher", password "chalk") and its storage in a temporary folder.
// Started for one test and stopped when the object goes, also when the test
// fails.
class RadicaleServer {
public:
    static const QString user;
    static const QString password;

    RadicaleServer();
    ~RadicaleServer();
    RadicaleServer(const RadicaleServer&) = delete;
    RadicaleServer& operator=(const RadicaleServer&) = delete;

    bool isRunning() const { return m_port > 0; }
    QUrl url() const { return QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(m_port)); }
    // Why it did not start.
    const QString& problem() const { return m_problem; }
    void stop();

private:
    bool writeConfiguration(int port);

    QTemporaryDir m_folder;
    QProcess m_process;
    int m_port = 0;
    QString m_problem;
};
