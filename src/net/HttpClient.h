#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPair>
#include <QString>

#include <chrono>
#include <memory>

struct HttpTransfer;

// One HTTP exchange.
struct HttpRequest {
    QByteArray method = "GET";
    QString url;
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray body;
    // Sent with basic authentication when not empty.
    QString user;
    QString password;
    // Watched and stoppable from another thread when set.
    std::shared_ptr<HttpTransfer> transfer;
};

struct HttpResponse {
    // Zero when no answer came (see transportError).
    long status = 0;
    // Header names in lower case; several Set-Cookie lines are kept apart
    // by line feeds.
    QHash<QByteArray, QByteArray> headers;
    QByteArray body;
    QString transportError;

    bool answered() const { return status != 0; }
    bool succeeded() const { return status >= 200 && status < 300; }
};

// Blocking HTTP and HTTPS over libcurl, any method, with the peer's
// certificate and host name checked. Run it off the GUI thread.
class HttpClient {
public:
    struct Limits {
        std::chrono::milliseconds connectTimeout { 10000 };
        std::chrono::milliseconds timeout { 60000 };
        qint64 maxBytes = 64 * 1024 * 1024;
    };

    HttpClient() = default;
    explicit HttpClient(Limits limits)
        : m_limits(limits)
    { }

    HttpResponse send(const HttpRequest& request) const;

private:
    Limits m_limits;
};
