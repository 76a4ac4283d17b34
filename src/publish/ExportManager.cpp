#include "publish/ExportManager.h"

#include <QDir>

ExportManager::ExportManager(FileTransferSession& session)
    : m_session(session)
{ }

void ExportManager::setCancelFlag(const std::atomic<bool>* cancelled)
{
    m_cancelled = cancelled;
    m_session.setCancelFlag(cancelled);
}

QList<ExportManager::Item> ExportManager::plan(const QString& localRoot) const
{
    QList<Item> items;
    recursivelyUploadContentsAtPath(localRoot, m_session.address().folder(), items);
    // The root is made before anything else, as the login's test.
    if (!items.isEmpty() && items.first().isFolder && items.first().localPath == localRoot)
        items.removeFirst();
    return items;
}

// Files of a folder come right after one another and before its
// sub-folders, so that the connection changes folder once per folder. The
// first file's request makes its folder; only a folder without files of
// its own needs a request to itself, which costs as much again.
void ExportManager::recursivelyUploadContentsAtPath(
    const QString& folder, const QStringList& remoteFolder, QList<Item>& items) const
{
    const QDir dir(folder);
    // Without QDir::Hidden, names starting with "." are left out.
    const QFileInfoList files = dir.entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    if (files.isEmpty())
        items.append({ folder, remoteFolder, true });
    for (const QFileInfo& file : files)
        items.append({ file.filePath(), remoteFolder + QStringList { file.fileName() }, false });
    for (const QFileInfo& sub : dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        recursivelyUploadContentsAtPath(sub.filePath(), remoteFolder + QStringList { sub.fileName() }, items);
}

UploadOutcome ExportManager::uploadFiles(const QString& localRoot)
{
    m_log.clear();
    UploadOutcome outcome;
    const QList<Item> items = plan(localRoot);
    outcome.filesToSend = int(std::count_if(items.begin(), items.end(), [](const Item& i) { return !i.isFolder; }));
    const TransferAddress& address = m_session.address();
    addToLog(QStringLiteral("Host: %1").arg(address.displayName()));
    if (m_listener.connecting)
        m_listener.connecting(address.host(), address.port());
    const QString rootUrl = QString::fromUtf8(address.url(address.folder(), true));
    addToLog(QStringLiteral("Creating %1 with url %2").arg(address.folder().join(QLatin1Char('/')), rootUrl));
    const TransferResult root = m_session.makeFolder(address.folder());
    // Nothing can go into a root folder that is not there.
    if (!root.ok()) {
        stop(outcome, root, QStringLiteral("The folder %1 could not be made").arg(rootUrl), StopWhen::Always);
        return outcome;
    }
    int left = outcome.filesToSend;
    for (const Item& item : items) {
        const TransferResult sent = send(item);
        if (!sent.ok()
            && stop(outcome, sent, QStringLiteral("%1 could not be sent").arg(item.localPath), StopWhen::SessionEnds))
            return outcome;
        if (item.isFolder)
            continue;
        ++(sent.ok() ? outcome.filesSent : outcome.filesFailed);
        if (m_listener.progressed)
            m_listener.progressed(--left, outcome.filesToSend);
    }
    outcome.result = outcome.filesFailed > 0 ? UploadOutcome::Result::FilesFailed : UploadOutcome::Result::Uploaded;
    addToLog(QStringLiteral("%1 files sent, %2 failed").arg(outcome.filesSent).arg(outcome.filesFailed));
    outcome.log = m_log;
    return outcome;
}

TransferResult ExportManager::send(const Item& item)
{
    const QString url = QString::fromUtf8(m_session.address().url(item.remotePath, item.isFolder));
    TransferResult result;
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (m_cancelled && m_cancelled->load())
            return { TransferResult::Kind::Cancelled, QStringLiteral("cancelled"), 0 };
        addToLog(item.isFolder ? QStringLiteral("Trying to make directory: %1").arg(url)
                               : QStringLiteral("sending %1 to %2").arg(item.localPath, url));
        result = item.isFolder ? m_session.makeFolder(item.remotePath)
                               : m_session.storeFile(item.localPath, item.remotePath);
        addToLog(result.ok() ? QStringLiteral("done") : QStringLiteral("failed: %1: %2").arg(url, result.message));
        // A refused file may go through the second time, and a broken
        // connection is opened again; the other failures would only repeat
        // (and ask about a host key twice).
        const bool worthRetrying
            = result.kind == TransferResult::Kind::ItemRefused || result.kind == TransferResult::Kind::ConnectionFailed;
        if (result.ok() || !worthRetrying)
            return result;
    }
    return result;
}

// Answers whether the upload ends here.
bool ExportManager::stop(UploadOutcome& outcome, const TransferResult& result, const QString& what, StopWhen when)
{
    if (when == StopWhen::SessionEnds && !result.endsSession())
        return false;
    outcome.result = result.kind == TransferResult::Kind::Cancelled ? UploadOutcome::Result::Cancelled
                                                                    : UploadOutcome::Result::Stopped;
    outcome.loginRefused = result.kind == TransferResult::Kind::LoginRefused;
    outcome.failure = QStringLiteral("%1: %2").arg(what, result.message);
    addToLog(outcome.result == UploadOutcome::Result::Cancelled ? QStringLiteral("Upload cancelled") : outcome.failure);
    outcome.log = m_log;
    return true;
}
