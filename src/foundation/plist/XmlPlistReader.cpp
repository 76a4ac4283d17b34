#include "foundation/plist/XmlPlistReader.h"

#include "foundation/plist/PlistScalar.h"
#include "foundation/plist/PropertyList.h"

#include <QDateTime>

XmlPlistReader::XmlPlistReader(const QByteArray& data)
    : m_xml(data)
{ }

Result<QVariant> XmlPlistReader::read(const QByteArray& data)
{
    XmlPlistReader reader(data);
    return reader.readDocument();
}

Result<QVariant> XmlPlistReader::readDocument()
{
    if (nextTag() != QXmlStreamReader::StartElement)
        return failure(QStringLiteral("no <plist> element"));
    if (m_xml.name() != u"plist")
        return failure(QStringLiteral("the root element is <%1>, not <plist>").arg(m_xml.name()));
    if (nextTag() != QXmlStreamReader::StartElement)
        return failure(QStringLiteral("<plist> holds no value"));
    auto value = readValue(1);
    if (!value)
        return value;
    // Every value's reader ends on its own end tag, so the next one is <plist>'s.
    if (nextTag() != QXmlStreamReader::EndElement)
        return failure(QStringLiteral("<plist> holds more than one value"));
    // Only comments and white space may follow; the stream reader flags the rest.
    if (nextTag() != QXmlStreamReader::Invalid || !m_error.isEmpty() || m_xml.hasError())
        return failure(QStringLiteral("content after </plist>"));
    return value;
}

// Called with the value's start tag current; leaves its end tag current.
Result<QVariant> XmlPlistReader::readValue(int depth)
{
    if (depth > PropertyList::maximumDepth)
        return failure(QStringLiteral("containers are nested more than %1 deep").arg(PropertyList::maximumDepth));

    const QStringView name = m_xml.name();
    if (name == u"dict")
        return readDictionary(depth);
    if (name == u"array")
        return readArray(depth);
    if (name == u"true" || name == u"false")
        return readBoolean(name == u"true");

    // The remaining types are text-only elements.
    const QString element = name.toString();
    if (element != u"string" && element != u"data" && element != u"date" && element != u"integer" && element != u"real")
        return failure(QStringLiteral("unknown element <%1>").arg(element));
    const auto text = readText();
    if (!text)
        return failure(text.error());
    if (element == u"string")
        return QVariant(*text);
    if (element == u"data")
        return valueOf(parseBase64(*text));
    if (element == u"date")
        return valueOf(PlistScalar::parseXmlDate(*text));
    if (element == u"integer")
        return valueOf(PlistScalar::parseInteger(*text));
    return valueOf(PlistScalar::parseReal(*text));
}

Result<QVariant> XmlPlistReader::readDictionary(int depth)
{
    QVariantMap map;
    QXmlStreamReader::TokenType token;
    while ((token = nextTag()) == QXmlStreamReader::StartElement) {
        if (m_xml.name() != u"key")
            return failure(QStringLiteral("expected <key> in <dict>, found <%1>").arg(m_xml.name()));
        const auto key = readText();
        if (!key)
            return failure(key.error());
        if (nextTag() != QXmlStreamReader::StartElement)
            return failure(QStringLiteral("key \"%1\" has no value").arg(*key));
        auto value = readValue(depth + 1);
        if (!value)
            return value;
        map.insert(*key, std::move(value).value());
    }
    if (token != QXmlStreamReader::EndElement)
        return failure(QStringLiteral("unterminated <dict>"));
    return QVariant(map);
}

Result<QVariant> XmlPlistReader::readArray(int depth)
{
    QVariantList list;
    QXmlStreamReader::TokenType token;
    while ((token = nextTag()) == QXmlStreamReader::StartElement) {
        auto value = readValue(depth + 1);
        if (!value)
            return value;
        list.append(std::move(value).value());
    }
    if (token != QXmlStreamReader::EndElement)
        return failure(QStringLiteral("unterminated <array>"));
    return QVariant(list);
}

Result<QVariant> XmlPlistReader::readBoolean(bool value)
{
    const QString name = m_xml.name().toString();
    const auto text = readText();
    if (!text)
        return failure(text.error());
    if (!text->trimmed().isEmpty())
        return failure(QStringLiteral("<%1/> must be empty").arg(name));
    return QVariant(value);
}

Result<QString> XmlPlistReader::readText()
{
    const QString text = m_xml.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
    if (m_xml.hasError())
        return Result<QString>::failure(m_xml.errorString());
    return text;
}

// Moves to the next start or end tag, skipping white space, comments and
// processing instructions. Anything else ends the walk with m_error or the
// stream's own error set, and answers Invalid.
QXmlStreamReader::TokenType XmlPlistReader::nextTag()
{
    while (!m_xml.atEnd()) {
        switch (m_xml.readNext()) {
        case QXmlStreamReader::StartElement:
        case QXmlStreamReader::EndElement:
            return m_xml.tokenType();
        case QXmlStreamReader::StartDocument:
        case QXmlStreamReader::Comment:
        case QXmlStreamReader::ProcessingInstruction:
            break;
        case QXmlStreamReader::DTD:
            // Entity declarations are the door to expansion bombs, and no
            // property list needs them.
            if (!m_xml.entityDeclarations().isEmpty() || !m_xml.notationDeclarations().isEmpty()) {
                m_error = QStringLiteral("the DOCTYPE declares entities, which property lists never use");
                return QXmlStreamReader::Invalid;
            }
            break;
        case QXmlStreamReader::Characters:
            if (!m_xml.isWhitespace()) {
                m_error = QStringLiteral("unexpected text \"%1\"").arg(m_xml.text().trimmed().left(40));
                return QXmlStreamReader::Invalid;
            }
            break;
        case QXmlStreamReader::EntityReference:
            m_error = QStringLiteral("undeclared entity &%1;").arg(m_xml.name());
            return QXmlStreamReader::Invalid;
        default:
            return QXmlStreamReader::Invalid;
        }
    }
    return QXmlStreamReader::Invalid;
}

Result<QByteArray> XmlPlistReader::parseBase64(QStringView text)
{
    // Other tools wrap and indent base64, so white space is dropped first. A
    // character outside Latin-1 becomes '\0', which the decoder rejects.
    QByteArray base64;
    base64.reserve(text.size());
    for (const QChar c : text) {
        if (c != u' ' && c != u'\t' && c != u'\n' && c != u'\r')
            base64 += c.toLatin1();
    }
    auto decoded = QByteArray::fromBase64Encoding(base64, QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return Result<QByteArray>::failure(QStringLiteral("<data> is not valid base64"));
    return std::move(decoded.decoded);
}

Result<QVariant> XmlPlistReader::failure(const QString& message) const
{
    const QString reason = !m_error.isEmpty() ? m_error : m_xml.hasError() ? m_xml.errorString() : message;
    return Result<QVariant>::failure(QStringLiteral("line %1: %2").arg(m_xml.lineNumber()).arg(reason));
}
