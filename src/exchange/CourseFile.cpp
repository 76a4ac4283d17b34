#include "exchange/CourseFile.h"

#include "foundation/color/ColorArchive.h"
#include "foundation/plist/PlistValue.h"
#include "foundation/plist/PropertyList.h"

#include <QFile>

namespace {

using Kind = PlistValue::Kind;

QVariantList arrayAt(const QVariantMap& root, const QString& key)
{
    const QVariant value = root.value(key);
    return PlistValue::kind(value) == Kind::Array ? value.toList() : QVariantList();
}

} // namespace

std::optional<CourseFile> CourseFile::fromData(const QByteArray& data)
{
    const Result<QVariant> parsed = PropertyList::read(data);
    if (!parsed || PlistValue::kind(*parsed) != Kind::Dictionary)
        return std::nullopt;
    const QVariantMap root = parsed->toMap();
    CourseFile file;
    if (const QVariant name = root.value(QStringLiteral("courseName")); PlistValue::kind(name) == Kind::String)
        file.courseName = name.toString();
    if (const QVariant color = root.value(QStringLiteral("colorData")); PlistValue::kind(color) == Kind::Data)
        file.color = ColorArchive::unarchive(color.toByteArray());
    for (const QVariant& unit : arrayAt(root, QStringLiteral("units"))) {
        if (PlistValue::kind(unit) == Kind::String && !unit.toString().isEmpty())
            file.units.append(unit.toString());
    }
    for (const QVariant& lesson : arrayAt(root, QStringLiteral("lessons"))) {
        if (PlistValue::kind(lesson) == Kind::Dictionary)
            file.lessons.append(lesson.toMap());
    }
    return file;
}

std::optional<CourseFile> CourseFile::read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return fromData(file.readAll());
}
