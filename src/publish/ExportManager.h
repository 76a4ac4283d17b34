#pragma once

#include "net/FileTransferSession.h"
#include "publish/UploadOutcome.h"

#include <functional>

// Uploads the generated site, a local folder tree, to a file server over
// one connection: the remote root first, then each folder before the
// files and folders inside it (made by its first file's request). A file that fails is tried once more; a
// connection, login or security failure stops the upload. Names starting
// with "." stay at home. Blocks; run it off the GUI thread.
class ExportManager {
public:
    struct Listener {
        // Before the first request.
        std::function<void(const QString& host, int port)> connecting;
        // After each file, sent or not.
        std::function<void(int filesLeft, int filesToSend)> progressed;
    };

    explicit ExportManager(FileTransferSession& session);

    void setListener(Listener listener) { m_listener = std::move(listener); }
    void setCancelFlag(const std::atomic<bool>* cancelled);

    // Uploads the tree at `localRoot` into the address's folder.
    UploadOutcome uploadFiles(const QString& localRoot);

private:
    struct Item {
        QString localPath;
        QStringList remotePath;
        bool isFolder = false;
    };

    QList<Item> plan(const QString& localRoot) const;
    void recursivelyUploadContentsAtPath(
        const QString& folder, const QStringList& remoteFolder, QList<Item>& items) const;
    // Sends one item, a second time after a failure.
    TransferResult send(const Item& item);
    enum class StopWhen { SessionEnds, Always };
    bool stop(UploadOutcome& outcome, const TransferResult& result, const QString& what, StopWhen when);
    void addToLog(const QString& line) { m_log.append(line); }

    FileTransferSession& m_session;
    Listener m_listener;
    const std::atomic<bool>* m_cancelled = nullptr;
    QStringList m_log;
};
