#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QStringList>
#include <QTcpServer>

// A stand-in for a misbehaving SemestraConnect on 127.0.0.1: each request
// gets the first scripted answer whose "METHOD /path" prefix matches (404
// without one). Only for the faults the real service never makes: error
// pages, gateways that answer 200 with HTML, records that vanish.
class ScriptedService : public QObject {
    Q_OBJECT
public:
    struct Answer {
        QString request;
        int status = 200;
        QByteArray body;
    };

    ScriptedService();
    void answer(const QString& request, int status, const QByteArray& body = {});
    QString address() const { return QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort()); }
    // "METHOD /path" of every request, in order.
    const QStringList& received() const { return m_received; }

private:
    void serve(QTcpSocket* socket);

    QTcpServer m_server;
    QList<Answer> m_answers;
    QStringList m_received;
    // What each connection sent so far, until a whole request is in.
    QHash<QTcpSocket*, QByteArray> m_buffers;
};
