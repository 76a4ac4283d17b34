#pragma once

#include "LoadServers.h"
#include "ProtocolClient.h"

#include <QStringList>

#include <functional>
#include <string>
#include <vector>

// One simulated teacher: logs in, sends a whole year as a full sync does,
// then an update sync, and afterwards reads every record back.
class LoadTeacher {
public:
    LoadTeacher(int number, int port, const LoadOptions& options);

    void sync();
    // Every record as sent (or gone when deleted), and none of the
    // neighbour's records visible.
    void verify(const LoadTeacher& neighbour);

    const std::vector<double>& latencies() const { return m_latencies; }
    int requests() const { return int(m_latencies.size()); }
    int checked() const { return m_checked; }
    const QStringList& problems() const { return m_problems; }
    int retries() const { return m_retries; }
    const QStringList& retryReasons() const { return m_retryReasons; }

private:
    static constexpr int MaximumAttempts = 3;

    // A record sent, the path it is read back under and a piece its XML must hold.
    struct Sent {
        std::string path;
        std::string mustHold;
    };

    Reply timed(const std::function<Reply()>& request);
    qint64 create(const std::string& resource, const std::string& xml, const std::string& mustHold);
    qint64 upload(const std::string& resource, const std::string& body, const std::string& mustHold);
    void sendFiles(const std::vector<qint64>& lessons, const std::vector<qint64>& assignments);
    void updateSync(const std::vector<qint64>& lessons, qint64 day, qint64 course);
    void problem(const QString& what);
    std::string name(const char* kind, int n) const;

    int m_number;
    LoadOptions m_options;
    ProtocolClient m_client;
    qint64 m_year = 0;
    std::vector<Sent> m_sent;
    std::vector<std::string> m_deleted;
    std::vector<std::pair<std::string, std::string>> m_files; // download path, bytes
    std::vector<double> m_latencies; // milliseconds, sync requests only
    int m_checked = 0;
    int m_retries = 0;
    QStringList m_retryReasons;
    QStringList m_problems;
};
