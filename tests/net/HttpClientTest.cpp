#include "net/HttpClient.h"

#include "net/HttpTransfer.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <future>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

// A port on 127.0.0.1 that takes connections (the kernel completes them)
// and never answers: a service that hangs.
class SilentPort {
public:
    SilentPort()
    {
        m_socket = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (::bind(m_socket, reinterpret_cast<sockaddr*>(&address), length) == 0 && ::listen(m_socket, 4) == 0
            && ::getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length) == 0)
            m_port = ntohs(address.sin_port);
    }
    ~SilentPort() { ::close(m_socket); }
    SilentPort(const SilentPort&) = delete;
    SilentPort& operator=(const SilentPort&) = delete;

    int port() const { return m_port; }

private:
    int m_socket = -1;
    int m_port = 0;
};

} // namespace

TEST(HttpClientTest, AStoppedRequestEndsWithoutWaitingForTheAnswer)
{
    SilentPort silent;
    ASSERT_NE(silent.port(), 0);
    HttpRequest request;
    request.method = "POST";
    request.url = QStringLiteral("http://127.0.0.1:%1/upload").arg(silent.port());
    request.body = QByteArray(1000, 'x');
    request.transfer = std::make_shared<HttpTransfer>();
    auto running = std::async(std::launch::async, [&] { return HttpClient().send(request); });
    // Let it connect and send its body first, so it is stopped while waiting.
    while (request.transfer->bytesSent.load() < request.body.size()
        && running.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready) { }
    request.transfer->stopRequested = true;
    // Only a guard against a hang: the client's own timeout is 60 s.
    ASSERT_EQ(running.wait_for(std::chrono::seconds(20)), std::future_status::ready);
    const HttpResponse response = running.get();
    EXPECT_FALSE(response.answered());
    EXPECT_EQ(response.transportError, QStringLiteral("the request was stopped"));
    EXPECT_EQ(request.transfer->bytesSent.load(), request.body.size());
}
