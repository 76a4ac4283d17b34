#pragma once

#include "publish/PublishJob.h"

#include <QEventLoop>
#include <QTimer>

// Runs the event loop until the job finishes; false when it takes longer
// than any publish of a test year could.
inline bool waitForJob(PublishJob& job, int timeoutMs = 30000)
{
    QEventLoop loop;
    bool finished = false;
    QObject::connect(&job, &PublishJob::finished, &loop, [&] {
        finished = true;
        loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    return finished;
}
