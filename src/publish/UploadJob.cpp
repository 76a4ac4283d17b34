#include "publish/UploadJob.h"

UploadJob::UploadJob(std::unique_ptr<FileTransferSession> session, QString localRoot, QObject* parent)
    : QObject(parent)
    , m_session(std::move(session))
    , m_localRoot(std::move(localRoot))
{
    m_session->setHostKeyCheck([this](const HostKey& key) { return askHostKey(key); });
}

UploadJob::~UploadJob()
{
    cancel();
    if (m_worker.joinable())
        m_worker.join();
}

void UploadJob::start()
{
    m_worker = std::thread([this] { run(); });
}

void UploadJob::cancel()
{
    m_cancelled = true;
    m_answered.notify_all();
}

void UploadJob::answerHostKey(bool trusted)
{
    {
        const std::lock_guard lock(m_mutex);
        m_hostKeyAnswer = trusted;
    }
    m_answered.notify_all();
}

// On the worker: the teacher answers on the job's own thread.
bool UploadJob::askHostKey(const HostKey& key)
{
    std::unique_lock lock(m_mutex);
    m_hostKeyAnswer.reset();
    post([this, key] { emit hostKeyUnknown(key); });
    m_answered.wait(lock, [this] { return m_cancelled || m_hostKeyAnswer.has_value(); });
    return !m_cancelled && m_hostKeyAnswer.value_or(false);
}

void UploadJob::run()
{
    ExportManager manager(*m_session);
    manager.setCancelFlag(&m_cancelled);
    manager.setListener({ [this](const QString& host, int port) { post([=, this] { emit connecting(host, port); }); },
        [this](int left, int total) { post([=, this] { emit progressed(left, total); }); } });
    m_outcome = manager.uploadFiles(m_localRoot);
    post([this] { finishOnOwnThread(); });
}

void UploadJob::finishOnOwnThread()
{
    if (m_worker.joinable())
        m_worker.join();
    emit finished();
}
