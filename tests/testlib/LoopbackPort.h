#pragma once

// Ports on 127.0.0.1 for test servers.
namespace LoopbackPort {

// A port the system has just handed out and taken back: free unless another
// program grabs it in the moment before the server binds it.
int freePort();
bool listens(int port);
// Waits up to `timeoutMs` for a server to listen on the port, while
// `alive` says the server is still starting.
template <typename Alive> bool waitUntilListening(int port, int timeoutMs, Alive alive);

} // namespace LoopbackPort

#include <QElapsedTimer>
#include <QThread>

template <typename Alive> bool LoopbackPort::waitUntilListening(int port, int timeoutMs, Alive alive)
{
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < timeoutMs && alive()) {
        if (listens(port))
            return true;
        QThread::msleep(50);
    }
    return false;
}
