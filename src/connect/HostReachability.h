#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>

// Whether a host looks reachable, found without opening a connection to
// it: an address written out (127.0.0.1, ::1) or "localhost" counts at
// once; a name must resolve within a time limit. A resolver that hangs
// (no network, a dead DNS server) therefore never holds the window up for
// longer than the limit.
class HostReachability : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds defaultLimit { 3000 };

    explicit HostReachability(QObject* parent = nullptr);
    ~HostReachability() override;

    // checked() follows: at once when no lookup is needed, otherwise from
    // the event loop when the name resolved, failed or ran out of time.
    void check(const QString& host, std::chrono::milliseconds limit = defaultLimit);
    static bool needsNoLookup(const QString& host);

signals:
    void checked(const QString& host, bool reachable);

private:
    void finish(bool reachable);

    QString m_host;
    int m_lookup = -1;
    QTimer m_limit;
};
