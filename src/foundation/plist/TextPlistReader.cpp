#include "foundation/plist/TextPlistReader.h"

#include "foundation/plist/PlistScalar.h"
#include "foundation/plist/PropertyList.h"

#include <QDateTime>
#include <QStringDecoder>

TextPlistReader::TextPlistReader(QString text)
    : m_text(std::move(text))
{ }

Result<QVariant> TextPlistReader::read(const QByteArray& data)
{
    // The default decoder drops a leading byte order mark.
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder(data);
    if (decoder.hasError())
        return Result<QVariant>::failure(QStringLiteral("the text is not valid UTF-8"));
    TextPlistReader reader(std::move(text));
    return reader.readDocument();
}

bool TextPlistReader::isUnquotedCharacter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') || u == u'_' || u == u'$'
        || u == u'+' || u == u'/' || u == u':' || u == u'.' || u == u'-';
}

Result<QVariant> TextPlistReader::readDocument()
{
    if (!skipToToken())
        return unexpected<QVariant>(QStringLiteral("a property list"));
    const qsizetype start = m_pos;
    auto value = readValue(1);
    if (!value)
        return value;
    if (!skipToToken())
        return m_error.isEmpty() ? value : failure<QVariant>(m_error);
    if (current() == u'=' && value->typeId() == QMetaType::QString) {
        // The first value was a key: a dictionary written without braces.
        m_pos = start;
        return readDictionary(1, QChar());
    }
    return failure<QVariant>(QStringLiteral("unexpected %1 after the property list").arg(describeCurrent()));
}

Result<QVariant> TextPlistReader::readValue(int depth)
{
    if (depth > PropertyList::maximumDepth)
        return failure<QVariant>(
            QStringLiteral("containers are nested more than %1 deep").arg(PropertyList::maximumDepth));
    if (!skipToToken())
        return unexpected<QVariant>(QStringLiteral("a value"));

    const QChar c = current();
    if (c == u'{') {
        ++m_pos;
        return readDictionary(depth, u'}');
    }
    if (c == u'(') {
        ++m_pos;
        return readArray(depth);
    }
    if (c == u'<')
        return m_pos + 1 < m_text.size() && m_text.at(m_pos + 1) == u'*' ? readTyped() : readData();
    const auto string = readString();
    if (!string)
        return Result<QVariant>::failure(string.error());
    return QVariant(*string);
}

// A null closing character reads entries up to the end of the text.
Result<QVariant> TextPlistReader::readDictionary(int depth, QChar closing)
{
    QVariantMap map;
    for (;;) {
        if (!skipToToken()) {
            if (closing.isNull() && m_error.isEmpty())
                return QVariant(map);
            return unexpected<QVariant>(QStringLiteral("a key or '}'"));
        }
        if (current() == closing && !closing.isNull()) {
            ++m_pos;
            return QVariant(map);
        }
        const auto key = readString();
        if (!key)
            return Result<QVariant>::failure(key.error());
        if (!skipToToken() || current() != u'=')
            return unexpected<QVariant>(QStringLiteral("'=' after the key \"%1\"").arg(*key));
        ++m_pos;
        auto value = readValue(depth + 1);
        if (!value)
            return value;
        if (!skipToToken() || current() != u';')
            return unexpected<QVariant>(QStringLiteral("';' after the value of \"%1\"").arg(*key));
        ++m_pos;
        map.insert(*key, std::move(value).value());
    }
}

Result<QVariant> TextPlistReader::readArray(int depth)
{
    QVariantList list;
    for (;;) {
        // Also where a trailing comma lands: "(a, b,)" is accepted.
        if (!skipToToken())
            return unexpected<QVariant>(QStringLiteral("a value or ')'"));
        if (current() == u')') {
            ++m_pos;
            return QVariant(list);
        }
        auto value = readValue(depth + 1);
        if (!value)
            return value;
        list.append(std::move(value).value());
        if (!skipToToken() || (current() != u',' && current() != u')'))
            return unexpected<QVariant>(QStringLiteral("',' or ')'"));
        if (current() == u',')
            ++m_pos;
        else if (current() == u')') {
            ++m_pos;
            return QVariant(list);
        }
    }
}

Result<QString> TextPlistReader::readString()
{
    const QChar c = current();
    if (c == u'"' || c == u'\'')
        return readQuoted();
    const qsizetype start = m_pos;
    while (!atEnd() && isUnquotedCharacter(current()))
        ++m_pos;
    if (m_pos == start)
        return unexpected<QString>(QStringLiteral("a value"));
    return m_text.mid(start, m_pos - start);
}

Result<QString> TextPlistReader::readQuoted()
{
    const qsizetype start = m_pos;
    const QChar quote = m_text.at(m_pos++);
    QString out;
    while (!atEnd()) {
        const QChar c = m_text.at(m_pos++);
        if (c == quote)
            return out;
        if (c != u'\\')
            out += c;
        else if (!atEnd())
            out += readEscape();
    }
    m_pos = start;
    return failure<QString>(QStringLiteral("unterminated quoted string"));
}

// Called after the backslash. \U takes up to four hex digits, \ooo up to
// three octal ones (read as a code point, not as a legacy encoding). An escape
// that means nothing stands for the character itself, which covers \" \' \\.
QChar TextPlistReader::readEscape()
{
    const QChar c = m_text.at(m_pos);
    if (c == u'U' && m_pos + 1 < m_text.size() && digitValue(m_text.at(m_pos + 1), 16) >= 0) {
        ++m_pos;
        return readDigits(16, 4);
    }
    if (digitValue(c, 8) >= 0)
        return readDigits(8, 3);
    ++m_pos;
    switch (c.unicode()) {
    case u'n':
        return u'\n';
    case u't':
        return u'\t';
    case u'r':
        return u'\r';
    case u'a':
        return u'\a';
    case u'b':
        return u'\b';
    case u'f':
        return u'\f';
    case u'v':
        return u'\v';
    default:
        return c;
    }
}

char16_t TextPlistReader::readDigits(int base, int maximumCount)
{
    char16_t value = 0;
    for (int count = 0; count < maximumCount && !atEnd(); ++count, ++m_pos) {
        const int digit = digitValue(current(), base);
        if (digit < 0)
            break;
        value = char16_t(value * base + digit);
    }
    return value;
}

int TextPlistReader::digitValue(QChar c, int base)
{
    const char16_t u = c.unicode();
    int value = -1;
    if (u >= u'0' && u <= u'9')
        value = u - u'0';
    else if (u >= u'a' && u <= u'f')
        value = u - u'a' + 10;
    else if (u >= u'A' && u <= u'F')
        value = u - u'A' + 10;
    return value < base ? value : -1;
}

// Hex digits in any case, white space between them ignored: <0fbd7778 0a>.
Result<QVariant> TextPlistReader::readData()
{
    const qsizetype start = m_pos++;
    QByteArray data;
    int high = -1;
    for (; !atEnd() && current() != u'>'; ++m_pos) {
        if (current().isSpace())
            continue;
        const int digit = digitValue(current(), 16);
        if (digit < 0)
            return failure<QVariant>(QStringLiteral("%1 is not a hex digit in <data>").arg(describeCurrent()));
        if (high < 0) {
            high = digit;
        } else {
            data += char(high * 16 + digit);
            high = -1;
        }
    }
    if (atEnd()) {
        m_pos = start;
        return failure<QVariant>(QStringLiteral("unterminated <data>"));
    }
    if (high >= 0)
        return failure<QVariant>(QStringLiteral("<data> has an odd number of hex digits"));
    ++m_pos;
    return QVariant(data);
}

Result<QVariant> TextPlistReader::readTyped()
{
    const qsizetype typeAt = m_pos + 2;
    const qsizetype closing = m_text.indexOf(u'>', typeAt);
    if (closing < 0 || closing == typeAt)
        return failure<QVariant>(QStringLiteral("unterminated or empty <*...> value"));
    const QChar type = m_text.at(typeAt);
    const QStringView content = QStringView(m_text).sliced(typeAt + 1, closing - typeAt - 1);
    m_pos = closing + 1;
    switch (type.unicode()) {
    case u'I':
        return valueOf(PlistScalar::parseInteger(content));
    case u'R':
        return valueOf(PlistScalar::parseReal(content));
    case u'D':
        return valueOf(PlistScalar::parseTextDate(content));
    case u'B':
        if (content == u"Y" || content == u"N")
            return QVariant(content == u"Y");
        return failure<QVariant>(QStringLiteral("<*B%1> is not a boolean (Y or N)").arg(content));
    default:
        return failure<QVariant>(QStringLiteral("unknown typed value <*%1...>").arg(type));
    }
}

// Skips white space and comments. False at the end of the text, and at a /*
// comment that never ends (m_error then says so, and m_pos stays on it).
bool TextPlistReader::skipToToken()
{
    while (!atEnd()) {
        const QChar c = current();
        const QChar next = m_pos + 1 < m_text.size() ? m_text.at(m_pos + 1) : QChar();
        if (c.isSpace()) {
            ++m_pos;
        } else if (c == u'/' && next == u'/') {
            const qsizetype lineEnd = m_text.indexOf(u'\n', m_pos);
            m_pos = lineEnd < 0 ? m_text.size() : lineEnd + 1;
        } else if (c == u'/' && next == u'*') {
            const qsizetype commentEnd = m_text.indexOf(u"*/", m_pos + 2);
            if (commentEnd < 0) {
                m_error = QStringLiteral("unterminated /* comment");
                return false;
            }
            m_pos = commentEnd + 2;
        } else {
            return true;
        }
    }
    return false;
}

QString TextPlistReader::describeCurrent() const
{
    const QChar c = current();
    if (c.isPrint() && !c.isSpace())
        return QStringLiteral("'%1'").arg(c);
    return QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
}

qsizetype TextPlistReader::lineNumber() const
{
    return QStringView(m_text).first(std::min(m_pos, m_text.size())).count(u'\n') + 1;
}
