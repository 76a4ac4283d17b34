#pragma once

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// A semestra-connect process of this build on 127.0.0.1 and a free port,
// with a SQLite database and files folder of its own. Its access log (one
// line per request) is kept for counting what the desktop sent.
class ConnectProcess {
public:
    ConnectProcess();
    ~ConnectProcess();
    ConnectProcess(const ConnectProcess&) = delete;
    ConnectProcess& operator=(const ConnectProcess&) = delete;

    bool start(QString* error);
    // Starts it again on the same port and database.
    bool restart(QString* error);
    void stop();
    // Freezes the process (SIGSTOP) until thaw(): the kernel still takes
    // connections and their bytes, but nothing answers, as with a hung service.
    void freeze();
    void thaw();
    bool addUser(const QString& name, const QString& password, QString* error);
    // What `semestra-connect feedback list` prints.
    QString feedbackList() const;

    QString address() const { return QStringLiteral("http://127.0.0.1:%1").arg(m_port); }
    // The access log's lines so far, as "METHOD /path STATUS".
    QStringList requests() const;

private:
    bool launch(QString* error);
    QString configPath() const { return m_dir.filePath(QStringLiteral("connect.ini")); }

    QTemporaryDir m_dir;
    QProcess m_process;
    int m_port = 0;
    int m_launches = 0;
};
