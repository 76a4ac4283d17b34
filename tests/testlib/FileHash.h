#pragma once

#include <QCryptographicHash>
#include <QFile>

// The SHA-256 of a file's bytes (empty when it cannot be read), to show that
// a failed operation left a file exactly as it was.
inline QByteArray fileHash(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}
