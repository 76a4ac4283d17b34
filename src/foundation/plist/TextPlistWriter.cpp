#include "foundation/plist/TextPlistWriter.h"

#include "foundation/plist/PlistScalar.h"
#include "foundation/plist/PlistValue.h"
#include "foundation/plist/TextPlistReader.h"

#include <QDateTime>

#include <algorithm>

QByteArray TextPlistWriter::write(const QVariant& value)
{
    TextPlistWriter writer;
    writer.writeValue(value, 0);
    writer.m_out += u'\n';
    return writer.m_out.toUtf8();
}

void TextPlistWriter::writeValue(const QVariant& value, int level)
{
    switch (PlistValue::kind(value)) {
    case PlistValue::Kind::Dictionary:
        writeDictionary(value.toMap(), level);
        break;
    case PlistValue::Kind::Array:
        writeArray(value.toList(), level);
        break;
    case PlistValue::Kind::String:
        writeString(value.toString());
        break;
    case PlistValue::Kind::Data:
        writeData(value.toByteArray());
        break;
    case PlistValue::Kind::Date:
        writeTyped(u'D', PlistScalar::formatTextDate(value.toDateTime()));
        break;
    case PlistValue::Kind::Integer:
        writeTyped(u'I', QString::number(value.toLongLong()));
        break;
    case PlistValue::Kind::Real:
        writeTyped(u'R', PlistScalar::formatReal(value.toDouble()));
        break;
    case PlistValue::Kind::Boolean:
        writeTyped(u'B', value.toBool() ? QStringLiteral("Y") : QStringLiteral("N"));
        break;
    }
}

void TextPlistWriter::writeDictionary(const QVariantMap& map, int level)
{
    if (map.isEmpty()) {
        m_out += u"{}";
        return;
    }
    m_out += u"{\n";
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        indent(level + 1);
        writeString(it.key());
        m_out += u" = ";
        writeValue(it.value(), level + 1);
        m_out += u";\n";
    }
    indent(level);
    m_out += u'}';
}

void TextPlistWriter::writeArray(const QVariantList& list, int level)
{
    if (list.isEmpty()) {
        m_out += u"()";
        return;
    }
    m_out += u"(\n";
    for (qsizetype i = 0; i < list.size(); ++i) {
        indent(level + 1);
        writeValue(list.at(i), level + 1);
        m_out += i + 1 < list.size() ? u",\n" : u"\n";
    }
    indent(level);
    m_out += u')';
}

void TextPlistWriter::writeData(const QByteArray& data)
{
    // Grouped in fours, as other tools print it, so long data stays readable.
    m_out += u'<';
    for (qsizetype at = 0; at < data.size(); at += 4) {
        if (at > 0)
            m_out += u' ';
        m_out += QString::fromLatin1(data.mid(at, 4).toHex());
    }
    m_out += u'>';
}

void TextPlistWriter::writeTyped(QChar type, const QString& text)
{
    m_out += u"<*";
    m_out += type;
    m_out += text;
    m_out += u'>';
}

void TextPlistWriter::writeString(const QString& text)
{
    if (!needsQuotes(text)) {
        m_out += text;
        return;
    }
    m_out += u'"';
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            m_out += c;
            m_out += text.at(++i);
        } else if (c == u'"' || c == u'\\') {
            m_out += u'\\';
            m_out += c;
        } else if (c == u'\n') {
            m_out += u"\\n";
        } else if (c == u'\t') {
            m_out += u"\\t";
        } else if (c.unicode() < 0x20 || c.unicode() == 0x7F || c.isSurrogate()) {
            m_out += QStringLiteral("\\U%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        } else {
            m_out += c;
        }
    }
    m_out += u'"';
}

void TextPlistWriter::indent(int level)
{
    m_out += QString(level, u'\t');
}

bool TextPlistWriter::needsQuotes(const QString& text)
{
    // "//" or "/*" at the start of an unquoted word would read as a comment.
    if (text.isEmpty() || text.contains(u"//") || text.contains(u"/*"))
        return true;
    return !std::all_of(text.cbegin(), text.cend(), TextPlistReader::isUnquotedCharacter);
}
