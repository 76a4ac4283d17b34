#include "server/FileStore.h"

#include "server/Secrets.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>

FileStore::FileStore(QString folder)
    : m_folder(std::move(folder))
{ }

Status FileStore::prepare()
{
    if (!QDir().mkpath(m_folder))
        return Status::failure(QStringLiteral("cannot create the files folder %1").arg(m_folder));
    return Status::success();
}

std::optional<QString> FileStore::pathOf(const QString& key) const
{
    // Keys come from the database, but a key is never allowed to leave the folder.
    static const QRegularExpression form(QStringLiteral("^[0-9a-f]{64}$"));
    if (!form.match(key).hasMatch())
        return std::nullopt;
    return m_folder + QLatin1Char('/') + key;
}

Result<QString> FileStore::store(const QByteArray& data)
{
    const QString key = Secrets::randomToken();
    QSaveFile file(*pathOf(key));
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit())
        return Result<QString>::failure(QStringLiteral("cannot write an attached file"));
    return key;
}

std::optional<QByteArray> FileStore::read(const QString& key) const
{
    const auto path = pathOf(key);
    if (!path)
        return std::nullopt;
    QFile file(*path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

void FileStore::remove(const QString& key)
{
    if (const auto path = pathOf(key))
        QFile::remove(*path);
}
