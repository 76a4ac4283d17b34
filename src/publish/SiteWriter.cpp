#include "publish/SiteWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// Whether the file at `path` holds exactly `bytes`.
bool holds(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() != bytes.size())
        return false;
    return file.readAll() == bytes;
}

} // namespace

SiteWriter::SiteWriter(QString root)
    : m_root(QDir::cleanPath(std::move(root)))
{ }

bool SiteWriter::writeFile(const QString& relativePath, const QByteArray& bytes)
{
    if (failed())
        return false;
    const QString path = m_root + QLatin1Char('/') + relativePath;
    if (holds(path, bytes)) {
        ++m_unchanged;
        return true;
    }
    if (!makeFolderFor(path) || !replace(path, bytes))
        return false;
    wrote(relativePath);
    return true;
}

bool SiteWriter::copyFile(const QString& relativePath, const QString& sourcePath)
{
    if (failed())
        return false;
    QFile source(sourcePath);
    if (!source.open(QIODevice::ReadOnly))
        return fail(sourcePath, source.errorString());
    return writeFile(relativePath, source.readAll());
}

bool SiteWriter::exists(const QString& relativePath) const
{
    return QFileInfo::exists(m_root + QLatin1Char('/') + relativePath);
}

bool SiteWriter::makeFolderFor(const QString& path)
{
    const QString folder = QFileInfo(path).path();
    if (folder == m_lastFolder)
        return true;
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir())
        return fail(folder, QStringLiteral("the folder could not be created"));
    m_lastFolder = folder;
    return true;
}

bool SiteWriter::replace(const QString& path, const QByteArray& bytes)
{
    // A dot name in the same folder: renaming it over the page is atomic,
    // and a leftover of a crash is never uploaded or linked.
    const QFileInfo target(path);
    const QString temporary = target.path() + QStringLiteral("/.") + target.fileName() + QStringLiteral(".part");
    QFile file(temporary);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return fail(path, file.errorString());
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.close();
        QFile::remove(temporary);
        return fail(path, reason);
    }
    file.close();
    if (std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(path).constData()) != 0) {
        const QString reason = QString::fromLocal8Bit(std::strerror(errno));
        QFile::remove(temporary);
        return fail(path, reason);
    }
    return true;
}

bool SiteWriter::fail(const QString& path, const QString& reason)
{
    if (!failed()) {
        m_failedPath = path;
        m_failureReason = reason;
    }
    return false;
}

void SiteWriter::wrote(const QString& relativePath)
{
    ++m_written;
    if (m_listener)
        m_listener(relativePath);
}
