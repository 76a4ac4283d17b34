#include "ScriptedService.h"

#include <QTcpSocket>

ScriptedService::ScriptedService()
{
    m_server.listen(QHostAddress::LocalHost, 0);
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = m_server.nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

void ScriptedService::answer(const QString& request, int status, const QByteArray& body)
{
    m_answers.append({ request, status, body });
}

void ScriptedService::serve(QTcpSocket* socket)
{
    QByteArray& buffer = m_buffers[socket];
    buffer += socket->readAll();
    const qsizetype headerEnd = buffer.indexOf("\r\n\r\n");
    if (headerEnd < 0)
        return;
    const QByteArray head = buffer.left(headerEnd);
    qsizetype length = 0;
    for (const QByteArray& line : head.split('\n')) {
        if (line.toLower().startsWith("content-length:"))
            length = line.mid(15).trimmed().toLongLong();
    }
    if (buffer.size() < headerEnd + 4 + length)
        return;
    const QList<QByteArray> requestLine = head.left(head.indexOf("\r\n")).split(' ');
    const QString request = QString::fromLatin1(requestLine.value(0) + ' ' + requestLine.value(1));
    m_received.append(request);
    m_buffers.remove(socket);
    Answer reply { request, 404, "not found" };
    for (const Answer& scripted : std::as_const(m_answers)) {
        if (request.startsWith(scripted.request)) {
            reply = scripted;
            break;
        }
    }
    socket->write("HTTP/1.1 " + QByteArray::number(reply.status) + " Scripted\r\nContent-Length: "
        + QByteArray::number(reply.body.size()) + "\r\nConnection: close\r\n\r\n" + reply.body);
    socket->disconnectFromHost();
}
