#pragma once

// moc cannot read the C++20 headers the date types bring in.
#ifndef Q_MOC_RUN
#include "publish/PublishOutcome.h"
#include "publish/SiteSnapshotReader.h"
#endif

#include <QObject>
#include <QTimer>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

// Publishes a site in the background. The records are read on the thread
// that owns them, one course per turn of its event loop, and the pages are
// written on a worker thread from those copies; the window stays
// responsive, and at most two courses' copies wait in memory at a time.
class PublishJob : public QObject {
    Q_OBJECT
public:
    // Reads the days and courses now; the courses' lessons are read once the
    // job runs.
    PublishJob(const Year& year, const SiteSettings& settings, QString root, QObject* parent = nullptr);
    // Stops the worker where it is and waits for it.
    ~PublishJob() override;

    void start();
    bool isRunning() const { return m_worker.joinable(); }
    const PublishOutcome& outcome() const { return m_outcome; }
    void cancel();

signals:
    void progressed(int coursesDone, int courseCount);
    void finished();

private:
    void feed();
    void run();
    std::optional<SiteCoursePlan> nextCourse();
    void finishOnOwnThread();

    SiteSnapshotReader m_reader;
    SiteFrame m_frame;
    QList<SiteCourse> m_toRead;
    QString m_root;
    QTimer m_feedTimer;
    PublishOutcome m_outcome;

    std::thread m_worker;
    std::atomic<bool> m_cancelled { false };
    std::mutex m_mutex;
    std::condition_variable m_ready;
    // Read courses waiting for the worker; none marks the end.
    std::deque<std::optional<SiteCoursePlan>> m_queue;
};
