#include "connect/SyncConnection.h"

#include "net/HttpTransfer.h"

#include <QUrl>

const QByteArray SyncConnection::sessionCookieName = QByteArrayLiteral("semestra_session");

SyncConnection::SyncConnection(ServiceAddress address, QObject* parent)
    : QObject(parent)
    , m_address(std::move(address))
{ }

SyncConnection::~SyncConnection()
{
    abandon();
    joinWorker();
}

void SyncConnection::setSessionCookie(const QString& value)
{
    if (value.isEmpty())
        m_cookies.remove(sessionCookieName);
    else
        m_cookies.insert(sessionCookieName, value);
}

HttpRequest SyncConnection::formPost(const QString& path, const QList<QPair<QString, QString>>& fields)
{
    QByteArray body;
    for (const auto& [name, value] : fields)
        body += (body.isEmpty() ? "" : "&") + name.toUtf8() + '=' + QUrl::toPercentEncoding(value);
    HttpRequest request;
    request.method = "POST";
    request.url = path;
    request.headers = { { "Content-Type", "application/x-www-form-urlencoded" } };
    request.body = body;
    return request;
}

HttpRequest SyncConnection::prepared(HttpRequest request) const
{
    request.url = m_address.url(request.url);
    QByteArray cookies;
    for (auto it = m_cookies.begin(); it != m_cookies.end(); ++it)
        cookies += (cookies.isEmpty() ? "" : "; ") + it.key() + '=' + it.value().toUtf8();
    if (!cookies.isEmpty())
        request.headers.append({ "Cookie", cookies });
    return request;
}

void SyncConnection::keepCookies(const HttpResponse& response)
{
    for (const QByteArray& line : response.headers.value("set-cookie").split('\n')) {
        const QByteArray pair = line.left(line.indexOf(';')).trimmed();
        const qsizetype equals = pair.indexOf('=');
        if (equals <= 0)
            continue;
        const QByteArray name = pair.left(equals);
        const QByteArray value = pair.mid(equals + 1);
        if (value.isEmpty() || line.contains("Max-Age=0"))
            m_cookies.remove(name);
        else
            m_cookies.insert(name, QString::fromUtf8(value));
    }
}

void SyncConnection::send(HttpRequest request, ReplyHandler handler)
{
    joinWorker();
    m_handler = std::move(handler);
    const quint64 serial = ++m_serial;
    ++m_requestsSent;
    if (!request.transfer)
        request.transfer = std::make_shared<HttpTransfer>();
    m_transfer = request.transfer;
    m_worker = std::thread([this, serial, client = m_client, request = prepared(std::move(request))] {
        const HttpResponse response = client.send(request);
        QMetaObject::invokeMethod(
            this, [this, serial, response] { deliver(serial, response); }, Qt::QueuedConnection);
    });
}

void SyncConnection::deliver(quint64 serial, const HttpResponse& response)
{
    if (serial != m_serial || !m_handler)
        return;
    keepCookies(response);
    const ReplyHandler handler = std::exchange(m_handler, nullptr);
    handler(response);
}

void SyncConnection::abandon()
{
    m_handler = nullptr;
    ++m_serial;
    if (m_transfer)
        m_transfer->stopRequested = true;
}

HttpResponse SyncConnection::sendAndWait(HttpRequest request)
{
    joinWorker();
    ++m_requestsSent;
    const HttpResponse response = m_client.send(prepared(std::move(request)));
    keepCookies(response);
    return response;
}

void SyncConnection::joinWorker()
{
    if (m_worker.joinable())
        m_worker.join();
}
