#pragma once

#include "foundation/core/Result.h"

#include <QString>

// Where SemestraConnect answers. HTTPS, except on the loopback address
// where a teacher or a test runs the service on the same machine: the
// session cookie must never cross a network in clear.
class ServiceAddress {
public:
    // "host", "host:port", "https://host[:port][/prefix]" or
    // "http://127.0.0.1:port". A missing scheme means HTTPS.
    static Result<ServiceAddress> parse(const QString& text);

    // The address with "/path" appended (path starts with "/").
    QString url(const QString& path) const { return m_base + path; }
    const QString& base() const { return m_base; }
    QString host() const { return m_host; }

private:
    QString m_base;
    QString m_host;
};
