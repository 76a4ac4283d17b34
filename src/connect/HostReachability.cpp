#include "connect/HostReachability.h"

#include <QHostAddress>
#include <QHostInfo>

#include <utility>

HostReachability::HostReachability(QObject* parent)
    : QObject(parent)
{
    m_limit.setSingleShot(true);
    connect(&m_limit, &QTimer::timeout, this, [this] { finish(false); });
}

HostReachability::~HostReachability()
{
    if (m_lookup != -1)
        QHostInfo::abortHostLookup(m_lookup);
}

bool HostReachability::needsNoLookup(const QString& host)
{
    return host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0 || !QHostAddress(host).isNull();
}

void HostReachability::check(const QString& host, std::chrono::milliseconds limit)
{
    m_host = host;
    if (host.isEmpty() || needsNoLookup(host))
        return finish(!host.isEmpty());
    m_limit.start(limit);
    m_lookup = QHostInfo::lookupHost(host, this, [this](const QHostInfo& info) {
        // An answer after the limit has already been taken for "unreachable".
        if (info.lookupId() != m_lookup)
            return;
        finish(info.error() == QHostInfo::NoError && !info.addresses().isEmpty());
    });
}

void HostReachability::finish(bool reachable)
{
    if (m_lookup != -1)
        QHostInfo::abortHostLookup(std::exchange(m_lookup, -1));
    m_limit.stop();
    emit checked(m_host, reachable);
}
