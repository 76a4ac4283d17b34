#pragma once

// moc cannot read the C++20 headers the date types bring in.
#ifndef Q_MOC_RUN
#include "publish/ExportManager.h"
#endif

#include <QObject>

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

// Uploads a generated site on a worker thread and reports back on the
// thread that made the job. Destroying the job cancels the upload and
// waits for the worker, so a closing document leaves no transfer behind.
class UploadJob : public QObject {
    Q_OBJECT
public:
    UploadJob(std::unique_ptr<FileTransferSession> session, QString localRoot, QObject* parent = nullptr);
    ~UploadJob() override;

    void start();
    void cancel();
    bool isRunning() const { return m_worker.joinable(); }
    const UploadOutcome& outcome() const { return m_outcome; }

    // The answer to hostKeyUnknown().
    void answerHostKey(bool trusted);

signals:
    void connecting(const QString& host, int port);
    void progressed(int filesLeft, int filesToSend);
    // The server's key is not known: answerHostKey() must follow.
    void hostKeyUnknown(const HostKey& key);
    void finished();

private:
    void run();
    bool askHostKey(const HostKey& key);
    void finishOnOwnThread();
    template <typename F> void post(F&& function)
    {
        QMetaObject::invokeMethod(this, std::forward<F>(function), Qt::QueuedConnection);
    }

    std::unique_ptr<FileTransferSession> m_session;
    QString m_localRoot;
    UploadOutcome m_outcome;
    std::thread m_worker;
    std::atomic<bool> m_cancelled { false };
    std::mutex m_mutex;
    std::condition_variable m_answered;
    std::optional<bool> m_hostKeyAnswer;
};
