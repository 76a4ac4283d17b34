#include "model/DocumentLock.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>

namespace {

QString absolute(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

DocumentLock::DocumentLock(const QString& documentPath)
    : m_documentPath(absolute(documentPath))
    , m_file(std::make_unique<QLockFile>(lockFilePath(documentPath)))
{
    // A document stays open for hours: only a holder that is no longer
    // running makes a lock stale, never its age.
    m_file->setStaleLockTime(0);
    m_heldElsewhere = !m_file->tryLock(0) && m_file->error() == QLockFile::LockFailedError;
}

DocumentLock::~DocumentLock() = default;

bool DocumentLock::covers(const QString& documentPath) const
{
    return absolute(documentPath) == m_documentPath;
}

QString DocumentLock::lockFilePath(const QString& documentPath)
{
    const QFileInfo document(documentPath);
    return document.absoluteDir().filePath(QLatin1Char('.') + document.fileName() + QStringLiteral(".lock"));
}
