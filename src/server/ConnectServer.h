#pragma once

#include "foundation/core/Result.h"
#include "server/Accounts.h"
#include "server/CourseLinks.h"
#include "server/FileStore.h"
#include "server/Records.h"
#include "server/RouteContext.h"
#include "server/ServerConfig.h"
#include "server/Storage.h"

#include <memory>

namespace httplib {
class Server;
} // namespace httplib

// The service: its storage, its routes and the HTTP server that answers them.
class ConnectServer {
public:
    // Request bodies above this are refused before they are read in full:
    // one attached file and its form.
    static constexpr size_t MaximumRequestBody = FileStore::MaximumFileSize + 1024 * 1024;

    explicit ConnectServer(ServerConfig config);
    ~ConnectServer();
    ConnectServer(const ConnectServer&) = delete;
    ConnectServer& operator=(const ConnectServer&) = delete;

    // Opens (and if new, creates) the database and the files folder and
    // binds the listen address; port 0 takes any free port.
    Status start();
    int port() const { return m_port; }
    // Answers requests until stop(); false when the server could not run.
    bool run();
    // Safe from any thread, also from a signal-watching one.
    void stop();

    Storage& storage() { return m_storage; }
    Accounts& accounts() { return m_accounts; }

private:
    void configure();

    ServerConfig m_config;
    Storage m_storage;
    FileStore m_files;
    Accounts m_accounts;
    Records m_records;
    CourseLinks m_links;
    Services m_services;
    std::unique_ptr<httplib::Server> m_http;
    int m_port = 0;
};
