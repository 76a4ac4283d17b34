#pragma once

#include <QProcess>
#include <QString>

// The loopback web server of title_server.py, started for one test suite.
class TitleServer {
public:
    TitleServer();
    ~TitleServer();

    bool isRunning() const { return m_port > 0; }
    QString url(const QString& path) const { return QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(path); }

private:
    QProcess m_process;
    int m_port = 0;
};
