#include "server/ConnectServer.h"

#include "server/AccessLog.h"
#include "server/AccountRoutes.h"
#include "server/DesktopLoginRoutes.h"
#include "server/PageRoutes.h"
#include "server/ProtocolRoutes.h"
#include "server/Secrets.h"

#include <httplib.h>

namespace {

// cpp-httplib reads multipart bodies itself and refuses the desktop program's
// (their last boundary lacks its line break, or the body ends on an opening
// boundary), answering 400 before any handler runs. Renaming the content type
// once the headers are in makes it hand the body over as it came; the routes
// read it with Multipart. The request object is not const where it lives.
void passMultipartBodiesThrough(const httplib::Request& req)
{
    auto& headers = const_cast<httplib::Headers&>(req.headers);
    const auto type = headers.find("Content-Type");
    const std::string multipart = "multipart/form-data";
    if (type != headers.end() && type->second.compare(0, multipart.size(), multipart) == 0)
        type->second = Route::RawMultipartType + type->second.substr(multipart.size());
}

// For the answers cpp-httplib gives before any route runs.
QString errorReason(int status)
{
    switch (status) {
    case 404:
        return QStringLiteral("not found");
    case 413:
        return QStringLiteral("the body is too large");
    case 414:
        return QStringLiteral("the address is too long");
    case 405:
        return QStringLiteral("method not allowed");
    default:
        return status >= 500 ? QStringLiteral("server error") : QStringLiteral("bad request");
    }
}

} // namespace

ConnectServer::ConnectServer(ServerConfig config)
    : m_config(std::move(config))
    , m_storage(m_config.database)
    , m_files(m_config.filesFolder)
    , m_accounts(m_storage)
    , m_records(m_storage, m_files)
    , m_links(m_storage, m_records)
    , m_services { m_config, m_storage, m_accounts, m_records, m_files, m_links }
    , m_http(std::make_unique<httplib::Server>())
{ }

ConnectServer::~ConnectServer()
{
    stop();
}

Status ConnectServer::start()
{
    if (!Secrets::initialise())
        return Status::failure(QStringLiteral("cannot start libsodium"));
    if (const Status files = m_files.prepare(); !files)
        return files;
    if (const Status opened = m_storage.open(); !opened)
        return opened;
    configure();
    const std::string host = m_config.listenHost.toStdString();
    if (m_config.listenPort == 0)
        m_port = m_http->bind_to_any_port(host);
    else if (m_http->bind_to_port(host, m_config.listenPort))
        m_port = m_config.listenPort;
    if (m_port <= 0)
        return Status::failure(
            QStringLiteral("cannot listen on %1:%2").arg(m_config.listenHost).arg(m_config.listenPort));
    return Status::success();
}

void ConnectServer::configure()
{
    const int threads = m_config.threads;
    m_http->new_task_queue = [threads] { return new httplib::ThreadPool(size_t(threads)); };
    m_http->set_payload_max_length(MaximumRequestBody);
    m_http->set_read_timeout(m_config.readTimeoutSeconds);
    m_http->set_write_timeout(m_config.writeTimeoutSeconds);
    m_http->set_keep_alive_timeout(5);
    // Answers are written as headers, then body: without this, Nagle's
    // algorithm holds the body back for the client's delayed ACK (~40 ms) on
    // every reused connection.
    m_http->set_tcp_nodelay(true);
    m_http->set_pre_routing_handler([](const httplib::Request& req, httplib::Response&) {
        AccessLog::markStart();
        passMultipartBodiesThrough(req);
        return httplib::Server::HandlerResponse::Unhandled;
    });
    m_http->set_error_handler([](const httplib::Request&, httplib::Response& res) {
        if (res.body.empty())
            Route::text(res, res.status, errorReason(res.status));
    });
    if (m_config.accessLog)
        AccessLog::install(*m_http);
    ProtocolRoutes::install(*m_http, m_services);
    AccountRoutes::install(*m_http, m_services);
    PageRoutes::install(*m_http, m_services);
    DesktopLoginRoutes::install(*m_http, m_services);
}

bool ConnectServer::run()
{
    return m_http->listen_after_bind();
}

void ConnectServer::stop()
{
    m_http->stop();
}
