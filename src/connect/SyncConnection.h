#pragma once

#include "connect/ServiceAddress.h"
#include "net/HttpClient.h"

#include <QMap>
#include <QObject>

#include <functional>
#include <thread>

// The conversation with SemestraConnect: its address, the session cookie
// and one request at a time. A request runs on a worker thread and its
// reply arrives on the thread that asked, through the event loop, so the
// window keeps drawing while the service thinks.
class SyncConnection : public QObject {
    Q_OBJECT
public:
    static const QByteArray sessionCookieName;

    explicit SyncConnection(ServiceAddress address, QObject* parent = nullptr);
    ~SyncConnection() override;

    const ServiceAddress& address() const { return m_address; }
    QString sessionCookie() const { return m_cookies.value(sessionCookieName); }
    void setSessionCookie(const QString& value);

    // A POST of an HTML form's fields, percent-encoded, to a path on the
    // service: how the service's login pages take what they are sent.
    static HttpRequest formPost(const QString& path, const QList<QPair<QString, QString>>& fields);

    using ReplyHandler = std::function<void(const HttpResponse&)>;
    // `request.url` is a path on the service ("/years/create"). The handler
    // runs later on this object's thread, unless abandon() came first.
    // `request.transfer`, when set, shows how far the upload has come.
    void send(HttpRequest request, ReplyHandler handler);
    // Stops the request in flight at once and forgets it: its handler never
    // runs, and the next request need not wait for the service to answer.
    void abandon();
    bool isBusy() const { return bool(m_handler); }
    // The same exchange, waited for: for the command line's short logins.
    HttpResponse sendAndWait(HttpRequest request);
    int requestsSent() const { return m_requestsSent; }

private:
    HttpRequest prepared(HttpRequest request) const;
    void keepCookies(const HttpResponse& response);
    void deliver(quint64 serial, const HttpResponse& response);
    void joinWorker();

    ServiceAddress m_address;
    HttpClient m_client;
    QMap<QByteArray, QString> m_cookies;
    std::thread m_worker;
    std::shared_ptr<HttpTransfer> m_transfer;
    ReplyHandler m_handler;
    quint64 m_serial = 0;
    int m_requestsSent = 0;
};
