#include "content/StandardsFileFormat.h"

#include "content/StandardsImport.h"
#include "foundation/plist/PropertyList.h"

#include <QHash>

namespace {

bool startsLikeXmlPropertyList(const QByteArray& bytes)
{
    const QByteArray start = bytes.left(64).trimmed();
    return start.startsWith("<?xml") || start.startsWith("<!DOCTYPE plist") || start.startsWith("<plist");
}

} // namespace

bool StandardsFileFormat::recognises(const StandardsSource& source) const
{
    return source.fileName().contains(QLatin1String(".plist")) || startsLikeXmlPropertyList(source.bytes());
}

void StandardsFileFormat::read(const StandardsSource& source, StandardsImport& into) const
{
    const Result<QVariant> list = PropertyList::read(source.bytes());
    if (!list || list->typeId() != QMetaType::QVariantList) {
        into.refuse(QStringLiteral("The file is not a list of standards%1.")
                        .arg(list ? QString() : QStringLiteral(" (%1)").arg(list.error())));
        return;
    }
    QHash<QString, Standard*> bySeed;
    int number = 0;
    for (const QVariant& value : list->toList()) {
        ++number;
        const QVariantMap entry = value.toMap();
        const QString parentSeed = entry.value(QStringLiteral("parent")).toString();
        Standard* parent = nullptr;
        if (parentSeed != u"NONE") {
            parent = bySeed.value(parentSeed);
            if (!parent)
                into.misplace(QStringLiteral("Entry %1 names a parent that is not before it in the file; it was "
                                             "placed at the top level.")
                                  .arg(number));
        }
        Standard* standard = into.create(entry.value(QStringLiteral("text")).toString(),
            entry.value(QStringLiteral("shortName")).toString(), parent);
        bySeed.insert(entry.value(QStringLiteral("seed")).toString(), standard);
        ++into.report().added;
    }
}
