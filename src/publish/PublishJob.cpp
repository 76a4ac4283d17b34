#include "publish/PublishJob.h"

#include "publish/SiteGenerator.h"
#include "publish/SiteWriter.h"

namespace {

// Enough to keep the worker busy while the next course is read.
constexpr size_t queueLimit = 2;

} // namespace

PublishJob::PublishJob(const Year& year, const SiteSettings& settings, QString root, QObject* parent)
    : QObject(parent)
    , m_reader(year)
    , m_frame(m_reader.readFrame(settings))
    , m_toRead(m_frame.publishedCourses())
    , m_root(std::move(root))
{
    m_feedTimer.setInterval(0);
    connect(&m_feedTimer, &QTimer::timeout, this, &PublishJob::feed);
}

PublishJob::~PublishJob()
{
    cancel();
    if (m_worker.joinable())
        m_worker.join();
}

void PublishJob::start()
{
    m_worker = std::thread([this] { run(); });
    m_feedTimer.start();
}

void PublishJob::cancel()
{
    m_cancelled = true;
    m_feedTimer.stop();
    m_ready.notify_all();
}

void PublishJob::feed()
{
    {
        const std::lock_guard lock(m_mutex);
        if (m_queue.size() >= queueLimit)
            return;
    }
    std::optional<SiteCoursePlan> plan;
    while (!plan && !m_toRead.isEmpty())
        plan = m_reader.readCourse(m_toRead.takeFirst());
    if (!plan)
        m_feedTimer.stop();
    {
        const std::lock_guard lock(m_mutex);
        m_queue.push_back(std::move(plan));
    }
    m_ready.notify_one();
}

std::optional<SiteCoursePlan> PublishJob::nextCourse()
{
    std::unique_lock lock(m_mutex);
    m_ready.wait(lock, [this] { return m_cancelled || !m_queue.empty(); });
    if (m_cancelled)
        return std::nullopt;
    std::optional<SiteCoursePlan> plan = std::move(m_queue.front());
    m_queue.pop_front();
    return plan;
}

void PublishJob::run()
{
    SiteWriter writer(m_root);
    SiteGenerator generator(m_frame, writer);
    generator.setCancelFlag(&m_cancelled);
    generator.setProgress([this](int done, int total) {
        QMetaObject::invokeMethod(
            this, [this, done, total] { emit progressed(done, total); }, Qt::QueuedConnection);
    });
    const bool written = generator.generate([this] { return nextCourse(); });
    m_outcome.filesWritten = writer.filesWritten();
    m_outcome.filesUnchanged = writer.filesUnchanged();
    if (!written && writer.failed()) {
        m_outcome.result = PublishOutcome::Result::Failed;
        m_outcome.failedPath = writer.failedPath();
        m_outcome.reason = writer.failureReason();
    } else if (!written) {
        m_outcome.result = PublishOutcome::Result::Cancelled;
    }
    QMetaObject::invokeMethod(
        this, [this] { finishOnOwnThread(); }, Qt::QueuedConnection);
}

void PublishJob::finishOnOwnThread()
{
    m_feedTimer.stop();
    if (m_worker.joinable())
        m_worker.join();
    emit finished();
}
