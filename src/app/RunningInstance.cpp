#include "app/RunningInstance.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLocalSocket>
#include <QStandardPaths>

namespace {

constexpr int connectTimeout = 1000;
// A running Semestra answers before it opens anything, so only one that is
// stuck misses this; the launch then carries on by itself, and the file
// lock keeps the two from writing over each other.
constexpr int answerTimeout = 5000;

QByteArray line(const QJsonArray& array)
{
    return QJsonDocument(array).toJson(QJsonDocument::Compact) + '\n';
}

std::optional<QJsonArray> readLine(QLocalSocket& socket)
{
    const QJsonDocument parsed = QJsonDocument::fromJson(socket.readLine());
    if (!parsed.isArray())
        return std::nullopt;
    return parsed.array();
}

QString noteFor(const QStringList& files, const QJsonArray& outcomes)
{
    if (files.isEmpty())
        return QStringLiteral("Semestra is already running: its window was raised.");
    QStringList handed;
    for (qsizetype i = 0; i < files.size(); ++i)
        handed << QStringLiteral("%1 (%2)").arg(QFileInfo(files[i]).fileName(), outcomes.at(i).toString());
    return QStringLiteral("Handed to the running Semestra: %1").arg(handed.join(QStringLiteral(", ")));
}

} // namespace

RunningInstance::RunningInstance(FileHandler takeFile, FrontHandler raiseFront, QObject* parent)
    : QObject(parent)
    , m_takeFile(std::move(takeFile))
    , m_raiseFront(std::move(raiseFront))
{
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server.nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { answer(socket); });
        }
    });
}

QString RunningInstance::socketPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation))
        .filePath(QStringLiteral("semestra.socket"));
}

std::optional<QString> RunningInstance::handOver(const QStringList& files)
{
    QLocalSocket socket;
    socket.connectToServer(socketPath());
    if (!socket.waitForConnected(connectTimeout))
        return std::nullopt;
    QStringList absolute;
    for (const QString& file : files)
        absolute << QFileInfo(file).absoluteFilePath();
    socket.write(line(QJsonArray::fromStringList(absolute)));
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(answerTimeout))
            return std::nullopt;
    }
    const std::optional<QJsonArray> outcomes = readLine(socket);
    if (!outcomes || outcomes->size() != std::max<qsizetype>(files.size(), 1))
        return std::nullopt;
    return noteFor(files, *outcomes);
}

bool RunningInstance::listen()
{
    const QString path = socketPath();
    if (m_server.listen(path))
        return true;
    if (m_server.serverError() != QAbstractSocket::AddressInUseError)
        return false;
    // Nobody answered on it a moment ago: it is left over.
    QLocalServer::removeServer(path);
    return m_server.listen(path);
}

void RunningInstance::answer(QLocalSocket* socket)
{
    if (!socket->canReadLine())
        return;
    const std::optional<QJsonArray> files = readLine(*socket);
    if (!files) {
        socket->disconnectFromServer();
        return;
    }
    QJsonArray outcomes;
    for (const QJsonValue& file : *files)
        outcomes.append(m_takeFile(file.toString()));
    if (files->isEmpty())
        outcomes.append(m_raiseFront());
    socket->write(line(outcomes));
    socket->flush();
    socket->disconnectFromServer();
}
