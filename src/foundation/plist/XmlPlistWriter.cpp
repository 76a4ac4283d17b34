#include "foundation/plist/XmlPlistWriter.h"

#include "foundation/plist/PlistScalar.h"
#include "foundation/plist/PlistValue.h"

#include <QDateTime>

namespace {

constexpr char header[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
                          "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
                          "<plist version=\"1.0\">\n";

// Base64 characters per line inside <data>, as in the files other tools write.
constexpr qsizetype base64LineLength = 68;

bool allowedInXml(char16_t c)
{
    return c >= 0x20 ? c != 0xFFFE && c != 0xFFFF : c == u'\t' || c == u'\n' || c == u'\r';
}

} // namespace

QByteArray XmlPlistWriter::write(const QVariant& value)
{
    XmlPlistWriter writer;
    writer.m_out = header;
    writer.writeValue(value, 0);
    writer.m_out += "</plist>\n";
    return writer.m_out;
}

void XmlPlistWriter::writeValue(const QVariant& value, int level)
{
    switch (PlistValue::kind(value)) {
    case PlistValue::Kind::Dictionary:
        writeDictionary(value.toMap(), level);
        break;
    case PlistValue::Kind::Array:
        writeArray(value.toList(), level);
        break;
    case PlistValue::Kind::String:
        writeElement("string", value.toString(), level);
        break;
    case PlistValue::Kind::Data:
        writeData(value.toByteArray(), level);
        break;
    case PlistValue::Kind::Date:
        writeElement("date", PlistScalar::formatXmlDate(value.toDateTime()), level);
        break;
    case PlistValue::Kind::Integer:
        writeElement("integer", QString::number(value.toLongLong()), level);
        break;
    case PlistValue::Kind::Real:
        writeElement("real", PlistScalar::formatReal(value.toDouble()), level);
        break;
    case PlistValue::Kind::Boolean:
        indent(level);
        m_out += value.toBool() ? "<true/>\n" : "<false/>\n";
        break;
    }
}

void XmlPlistWriter::writeDictionary(const QVariantMap& map, int level)
{
    indent(level);
    if (map.isEmpty()) {
        m_out += "<dict/>\n";
        return;
    }
    m_out += "<dict>\n";
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        writeElement("key", it.key(), level + 1);
        writeValue(it.value(), level + 1);
    }
    indent(level);
    m_out += "</dict>\n";
}

void XmlPlistWriter::writeArray(const QVariantList& list, int level)
{
    indent(level);
    if (list.isEmpty()) {
        m_out += "<array/>\n";
        return;
    }
    m_out += "<array>\n";
    for (const QVariant& item : list)
        writeValue(item, level + 1);
    indent(level);
    m_out += "</array>\n";
}

void XmlPlistWriter::writeData(const QByteArray& data, int level)
{
    indent(level);
    m_out += "<data>\n";
    const QByteArray base64 = data.toBase64();
    for (qsizetype at = 0; at < base64.size(); at += base64LineLength) {
        indent(level);
        m_out += base64.mid(at, base64LineLength);
        m_out += '\n';
    }
    indent(level);
    m_out += "</data>\n";
}

void XmlPlistWriter::writeElement(const char* name, const QString& text, int level)
{
    indent(level);
    m_out += '<';
    m_out += name;
    m_out += '>';
    m_out += escaped(text).toUtf8();
    m_out += "</";
    m_out += name;
    m_out += ">\n";
}

void XmlPlistWriter::indent(int level)
{
    m_out.append(level, '\t');
}

QString XmlPlistWriter::escaped(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            out += c;
            out += text.at(++i);
        } else if (c.isSurrogate() || !allowedInXml(c.unicode())) {
            out += QChar::ReplacementCharacter;
        } else if (c == u'&') {
            out += u"&amp;";
        } else if (c == u'<') {
            out += u"&lt;";
        } else if (c == u'>') {
            out += u"&gt;";
        } else if (c == u'\r') {
            // A raw carriage return would come back as a line feed: XML
            // normalises line ends, but not character references.
            out += u"&#13;";
        } else {
            out += c;
        }
    }
    return out;
}
