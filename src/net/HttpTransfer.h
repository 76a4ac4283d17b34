#pragma once

#include <QtGlobal>

#include <atomic>

// What the thread that runs a request and the thread that asked for it
// share while it runs: how much of the body has gone out, and a way to
// stop it. libcurl looks at `stopRequested` several times a second, also
// while it waits for an answer, so a stopped request ends promptly.
struct HttpTransfer {
    std::atomic<qint64> bytesSent { 0 };
    std::atomic<bool> stopRequested { false };
};
