#pragma once

#include <QString>

#include <memory>

class QLockFile;

// Claims a document file for this process with a hidden lock file beside it,
// so that another process opening the same file (another copy of the planner,
// the command line, another user on a shared folder) sees that it is taken
// and writes nothing to it. A lock left behind by a process that has ended
// is taken over.
//
// The lock sits beside the document rather than on it: SQLite's own locks on
// the document would be dropped as soon as any other descriptor of the same
// file is closed.
class DocumentLock {
public:
    // Tries to claim the file at once. Where no lock file can be written (a
    // read-only folder) the file stays unclaimed but usable.
    explicit DocumentLock(const QString& documentPath);
    ~DocumentLock();
    DocumentLock(const DocumentLock&) = delete;
    DocumentLock& operator=(const DocumentLock&) = delete;

    // Whether another process had claimed the file when this lock was tried.
    bool isHeldElsewhere() const { return m_heldElsewhere; }
    bool covers(const QString& documentPath) const;

    // ".NAME.lock" in the document's folder.
    static QString lockFilePath(const QString& documentPath);

private:
    QString m_documentPath;
    std::unique_ptr<QLockFile> m_file;
    bool m_heldElsewhere = false;
};
