#pragma once

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>

#include <memory>
#include <optional>

// Runs blocking work (network, disk) on a thread of its own while the
// window goes on painting; typing and clicks wait until it is done, since
// the sheet's own fields are being used by the work.
namespace OffThread {

template <typename Work> auto run(Work work) -> decltype(work())
{
    std::optional<decltype(work())> result;
    std::unique_ptr<QThread> thread(QThread::create([&result, &work] { result = work(); }));
    QEventLoop loop;
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit);
    thread->start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    thread->wait();
    return std::move(*result);
}

} // namespace OffThread
