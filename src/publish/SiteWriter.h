#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// Writes the files of a site below its top folder. A file is written only
// when its bytes differ from what the folder holds, so that publishing
// again touches only the pages that changed (and an upload can send only
// those); each is written under a temporary name and renamed into place,
// so a reader never sees half a page. The first failure stops the writer:
// later calls do nothing and report false.
class SiteWriter {
public:
    // Hears the relative path of every file written or copied.
    using Listener = std::function<void(const QString& relativePath)>;

    explicit SiteWriter(QString root);

    const QString& root() const { return m_root; }
    void setListener(Listener listener) { m_listener = std::move(listener); }

    // Paths are relative to the top folder, "/"-separated, each segment
    // already a safe name.
    bool writeFile(const QString& relativePath, const QByteArray& bytes);
    bool copyFile(const QString& relativePath, const QString& sourcePath);
    bool exists(const QString& relativePath) const;

    bool failed() const { return !m_failedPath.isEmpty(); }
    // The full path of the file or folder that could not be written, and why.
    const QString& failedPath() const { return m_failedPath; }
    const QString& failureReason() const { return m_failureReason; }
    int filesWritten() const { return m_written; }
    int filesUnchanged() const { return m_unchanged; }

private:
    bool makeFolderFor(const QString& path);
    bool replace(const QString& path, const QByteArray& bytes);
    bool fail(const QString& path, const QString& reason);
    void wrote(const QString& relativePath);

    QString m_root;
    // Pages come folder by folder: remembering the last folder made saves
    // asking again, and keeps memory the same for any size of site.
    QString m_lastFolder;
    Listener m_listener;
    QString m_failedPath;
    QString m_failureReason;
    int m_written = 0;
    int m_unchanged = 0;
};
