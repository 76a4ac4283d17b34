#include "content/LessonLibrary.h"

#include "foundation/paths/UserPaths.h"
#include "foundation/plist/PropertyList.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

const QString positionKey = QStringLiteral("position");

} // namespace

QString LessonLibrary::defaultPath()
{
    return UserPaths::filePath(QStringLiteral("library.plist"));
}

LessonLibrary::LessonLibrary(QString path)
    : m_path(std::move(path))
{ }

Result<QList<QVariantMap>> LessonLibrary::read() const
{
    using Entries = Result<QList<QVariantMap>>;
    if (!QFileInfo::exists(m_path))
        return QList<QVariantMap>();
    const Result<QVariant> contents = PropertyList::readFile(m_path);
    if (!contents)
        return Entries::failure(contents.error());
    if (contents->typeId() != QMetaType::QVariantMap)
        return Entries::failure(QStringLiteral("it does not hold a dictionary"));
    QList<QVariantMap> entries;
    const QVariantMap byKey = contents->toMap();
    for (const QVariant& entry : byKey)
        entries.append(entry.toMap());
    std::stable_sort(entries.begin(), entries.end(), [](const QVariantMap& a, const QVariantMap& b) {
        return a.value(positionKey).toLongLong() < b.value(positionKey).toLongLong();
    });
    return entries;
}

Status LessonLibrary::write(const QList<QVariantMap>& entries) const
{
    if (!QDir().mkpath(QFileInfo(m_path).absolutePath()))
        return Status::failure(QStringLiteral("its folder could not be made"));
    QVariantMap byKey;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        QVariantMap entry = entries.at(i);
        entry.insert(positionKey, qint64(i));
        byKey.insert(QString::number(i), entry);
    }
    return PropertyList::writeXmlFile(m_path, byKey);
}

Status LessonLibrary::add(const QVariantMap& lessonDictionary) const
{
    Result<QList<QVariantMap>> entries = read();
    if (!entries)
        return Status::failure(entries.error());
    entries.value().append(lessonDictionary);
    return write(*entries);
}
