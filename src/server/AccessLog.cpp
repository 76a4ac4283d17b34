#include "server/AccessLog.h"

#include <QDateTime>

#include <chrono>
#include <cstdio>
#include <httplib.h>

namespace {

// Set when a request has been read, on the worker thread that then answers
// it and writes its log line.
thread_local std::chrono::steady_clock::time_point t_started;

std::string quoted(const std::string& text)
{
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += (static_cast<unsigned char>(c) < 0x20) ? '?' : c;
    }
    return out + '"';
}

} // namespace

void AccessLog::install(httplib::Server& http)
{
    http.set_logger([](const httplib::Request& req, const httplib::Response& res) {
        const double ms
            = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t_started).count();
        const QByteArray time = QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs).toLatin1();
        std::fprintf(stderr, "time=%s remote=%s method=%s path=%s status=%d bytes=%zu ms=%.1f\n", time.constData(),
            req.remote_addr.c_str(), req.method.c_str(), quoted(req.path).c_str(), res.status, res.body.size(), ms);
    });
}

void AccessLog::markStart()
{
    t_started = std::chrono::steady_clock::now();
}
