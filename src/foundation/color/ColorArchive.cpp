#include "foundation/color/ColorArchive.h"

#include "foundation/plist/PropertyList.h"

#include <QStringList>

namespace {

const QString uidKey = QStringLiteral("CF$UID");
const QString objectsKey = QStringLiteral("$objects");

// Colour spaces as numbered in the archive.
constexpr qint64 calibratedRgbSpace = 1;
constexpr qint64 deviceRgbSpace = 2;
constexpr qint64 calibratedWhiteSpace = 3;
constexpr qint64 deviceWhiteSpace = 4;

QVariantMap uid(qint64 index)
{
    return { { uidKey, index } };
}

QByteArray componentText(const QList<float>& components)
{
    QStringList parts;
    for (float component : components)
        parts << QString::number(component, 'g', 9);
    return parts.join(QLatin1Char(' ')).toLatin1() + '\0';
}

std::optional<QList<float>> parseComponents(const QByteArray& text, qsizetype minimum)
{
    QList<float> components;
    for (const QByteArray& part : text.split(' ')) {
        const QByteArray trimmed = part.trimmed().replace('\0', "");
        if (trimmed.isEmpty())
            continue;
        bool ok = false;
        const float value = trimmed.toFloat(&ok);
        if (!ok || !(value >= 0.0f && value <= 1.0f))
            return std::nullopt;
        components << value;
    }
    if (components.size() < minimum || components.size() > minimum + 1)
        return std::nullopt;
    if (components.size() == minimum)
        components << 1.0f; // alpha defaults to opaque
    return components;
}

std::optional<QVariantMap> rootObject(const QVariant& plist)
{
    const QVariantMap archive = plist.toMap();
    const QVariantList objects = archive.value(objectsKey).toList();
    const QVariantMap top = archive.value(QStringLiteral("$top")).toMap();
    const QVariant rootRef = top.value(QStringLiteral("root")).toMap().value(uidKey);
    bool ok = false;
    const qint64 index = rootRef.toLongLong(&ok);
    if (!ok || index < 0 || index >= objects.size())
        return std::nullopt;
    return objects.at(index).toMap();
}

std::optional<QColor> colorFromObject(const QVariantMap& object)
{
    const qint64 space = object.value(QStringLiteral("NSColorSpace")).toLongLong();
    if (space == deviceRgbSpace || space == calibratedRgbSpace) {
        const auto c = parseComponents(object.value(QStringLiteral("NSRGB")).toByteArray(), 3);
        if (c)
            return QColor::fromRgbF((*c)[0], (*c)[1], (*c)[2], (*c)[3]);
    } else if (space == deviceWhiteSpace || space == calibratedWhiteSpace) {
        const auto c = parseComponents(object.value(QStringLiteral("NSWhite")).toByteArray(), 1);
        if (c)
            return QColor::fromRgbF((*c)[0], (*c)[0], (*c)[0], (*c)[1]);
    }
    return std::nullopt;
}

} // namespace

QByteArray ColorArchive::archive(const QColor& color)
{
    const QColor rgb = color.toRgb();
    const QVariantMap colorObject {
        { QStringLiteral("NSColorSpace"), deviceRgbSpace },
        { QStringLiteral("NSRGB"), componentText({ rgb.redF(), rgb.greenF(), rgb.blueF(), rgb.alphaF() }) },
        { QStringLiteral("$class"), uid(2) },
    };
    const QVariantMap classObject {
        { QStringLiteral("$classname"), QStringLiteral("NSColor") },
        { QStringLiteral("$classes"), QVariantList { QStringLiteral("NSColor"), QStringLiteral("NSObject") } },
    };
    const QVariantMap archive {
        { QStringLiteral("$archiver"), QStringLiteral("NSKeyedArchiver") },
        { QStringLiteral("$version"), qint64(100000) },
        { QStringLiteral("$top"), QVariantMap { { QStringLiteral("root"), uid(1) } } },
        { objectsKey, QVariantList { QStringLiteral("$null"), colorObject, classObject } },
    };
    return PropertyList::writeXml(archive);
}

std::optional<QColor> ColorArchive::unarchive(const QByteArray& data)
{
    if (data.isEmpty())
        return std::nullopt;
    const Result<QVariant> plist = PropertyList::read(data);
    if (!plist)
        return std::nullopt;
    const std::optional<QVariantMap> object = rootObject(*plist);
    if (!object)
        return std::nullopt;
    return colorFromObject(*object);
}
