#include "foundation/plist/PropertyList.h"

#include "foundation/plist/TextPlistReader.h"
#include "foundation/plist/TextPlistWriter.h"
#include "foundation/plist/XmlPlistReader.h"
#include "foundation/plist/XmlPlistWriter.h"

#include <QFile>
#include <QSaveFile>

Result<QVariant> PropertyList::readXml(const QByteArray& data)
{
    return XmlPlistReader::read(data);
}

Result<QVariant> PropertyList::readText(const QByteArray& data)
{
    return TextPlistReader::read(data);
}

Result<QVariant> PropertyList::read(const QByteArray& data)
{
    if (data.startsWith("bplist"))
        return Result<QVariant>::failure(QStringLiteral("binary property lists are not supported"));
    return looksLikeXml(data) ? readXml(data) : readText(data);
}

QByteArray PropertyList::writeXml(const QVariant& value)
{
    return XmlPlistWriter::write(value);
}

QByteArray PropertyList::writeText(const QVariant& value)
{
    return TextPlistWriter::write(value);
}

Result<QVariant> PropertyList::readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Result<QVariant>::failure(QStringLiteral("%1: %2").arg(path, file.errorString()));
    auto value = read(file.readAll());
    if (!value)
        return Result<QVariant>::failure(QStringLiteral("%1: %2").arg(path, value.error()));
    return value;
}

Status PropertyList::writeXmlFile(const QString& path, const QVariant& value)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Status::failure(QStringLiteral("%1: %2").arg(path, file.errorString()));
    const QByteArray data = writeXml(value);
    if (file.write(data) != data.size() || !file.commit())
        return Status::failure(QStringLiteral("%1: %2").arg(path, file.errorString()));
    return Status::success();
}

bool PropertyList::looksLikeXml(const QByteArray& data)
{
    // In the text notation '<' opens data or a typed value, which continue
    // with a hex digit, white space, '>' or '*', never with these.
    QByteArrayView rest(data);
    if (rest.startsWith("\xEF\xBB\xBF"))
        rest = rest.sliced(3);
    rest = rest.trimmed();
    return rest.startsWith("<?xml") || rest.startsWith("<!") || rest.startsWith("<plist");
}
