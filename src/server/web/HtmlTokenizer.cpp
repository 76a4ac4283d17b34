#include "server/web/HtmlTokenizer.h"

#include "server/web/HtmlEntities.h"

#include <QStringList>

#include <algorithm>

namespace {

bool isWhitespace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

bool isAsciiLetter(QChar c)
{
    const char16_t lower = c.unicode() | 0x20;
    return lower >= u'a' && lower <= u'z';
}

// Elements whose content a browser reads as text up to their end tag, so a
// "<b>" inside a <script> is no tag and must not become one here.
bool isRawTextElement(const QString& name)
{
    static const QStringList names { QStringLiteral("script"), QStringLiteral("style"), QStringLiteral("textarea"),
        QStringLiteral("title"), QStringLiteral("xmp"), QStringLiteral("iframe"), QStringLiteral("noembed"),
        QStringLiteral("noframes"), QStringLiteral("noscript"), QStringLiteral("plaintext") };
    return names.contains(name);
}

QString asciiLower(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text)
        out += c.unicode() < 0x80 ? c.toLower() : c == QChar::Null ? QChar::ReplacementCharacter : c;
    return out;
}

} // namespace

HtmlTokenizer::HtmlTokenizer(QStringView html)
    : m_html(html)
{ }

std::optional<HtmlToken> HtmlTokenizer::next()
{
    while (!atEnd()) {
        std::optional<HtmlToken> token = !m_rawTextElement.isEmpty() ? rawText()
            : m_html[m_pos] == u'<'                                  ? markup()
                                                                     : text();
        if (token)
            return token;
    }
    return std::nullopt;
}

std::optional<HtmlToken> HtmlTokenizer::text()
{
    qsizetype end = m_html.indexOf(u'<', m_pos + 1);
    if (end < 0)
        end = m_html.size();
    HtmlToken token;
    token.text
        = HtmlEntities::decoded(m_html.mid(m_pos, end - m_pos)).replace(QChar::Null, QChar::ReplacementCharacter);
    m_pos = end;
    return token;
}

std::optional<HtmlToken> HtmlTokenizer::rawText()
{
    const QString closing = QLatin1String("</") + m_rawTextElement;
    qsizetype end = m_pos;
    while ((end = m_html.indexOf(closing, end, Qt::CaseInsensitive)) >= 0) {
        const qsizetype after = end + closing.size();
        if (after >= m_html.size() || isWhitespace(m_html[after]) || m_html[after] == u'/' || m_html[after] == u'>')
            break;
        end = after;
    }
    if (end < 0)
        end = m_html.size();
    m_rawTextElement.clear();
    if (end == m_pos)
        return std::nullopt;
    HtmlToken token;
    token.text = m_html.mid(m_pos, end - m_pos).toString();
    m_pos = end;
    return token;
}

std::optional<HtmlToken> HtmlTokenizer::markup()
{
    const QStringView rest = m_html.mid(m_pos);
    if (rest.startsWith(QLatin1String("<!--"))) {
        skipComment();
        return std::nullopt;
    }
    if (rest.startsWith(u"<!") || rest.startsWith(u"<?")) {
        skipPast(u">");
        return std::nullopt;
    }
    if (rest.size() > 2 && rest[1] == u'/') {
        if (isAsciiLetter(rest[2]))
            return tag(HtmlToken::Kind::EndTag);
        skipPast(u">"); // "</>" and "</ 3" are dropped whole
        return std::nullopt;
    }
    if (rest.size() > 1 && isAsciiLetter(rest[1]))
        return tag(HtmlToken::Kind::StartTag);
    HtmlToken token;
    token.text = QStringLiteral("<");
    ++m_pos;
    return token;
}

std::optional<HtmlToken> HtmlTokenizer::tag(HtmlToken::Kind kind)
{
    m_pos += kind == HtmlToken::Kind::EndTag ? 2 : 1;
    HtmlToken token;
    token.kind = kind;
    token.text = name(u"/>");
    if (!readAttributes(token)) {
        m_pos = m_html.size();
        return std::nullopt;
    }
    if (kind == HtmlToken::Kind::EndTag) {
        token.attributes.clear();
        token.selfClosing = false;
    } else if (isRawTextElement(token.text)) {
        // "<script/>" still opens a script: HTML ignores the slash here.
        m_rawTextElement = token.text;
    }
    return token;
}

// Reads up to and past the ">" that ends the tag; false when the input ends first.
bool HtmlTokenizer::readAttributes(HtmlToken& token)
{
    while (true) {
        skipWhitespace();
        if (atEnd())
            return false;
        const QChar c = m_html[m_pos];
        if (c == u'>') {
            ++m_pos;
            return true;
        }
        if (c == u'/') {
            ++m_pos;
            token.selfClosing = !atEnd() && m_html[m_pos] == u'>';
            continue;
        }
        token.selfClosing = false;
        // A name may begin with "=" ("<a =x>"); it ends at the next "=".
        QString attributeName;
        if (c == u'=') {
            ++m_pos;
            attributeName = QStringLiteral("=");
        }
        attributeName += name(u"/>=");
        skipWhitespace();
        QString value;
        if (!atEnd() && m_html[m_pos] == u'=') {
            ++m_pos;
            skipWhitespace();
            const std::optional<QString> read = attributeValue();
            if (!read)
                return false;
            value = *read;
        }
        const bool repeated = std::any_of(token.attributes.cbegin(), token.attributes.cend(),
            [&](const HtmlAttribute& a) { return a.name == attributeName; });
        if (!repeated)
            token.attributes.append({ attributeName, value });
    }
}

std::optional<QString> HtmlTokenizer::attributeValue()
{
    if (atEnd())
        return std::nullopt;
    const QChar quote = m_html[m_pos];
    qsizetype start = m_pos;
    qsizetype end = 0;
    if (quote == u'"' || quote == u'\'') {
        ++start;
        end = m_html.indexOf(quote, start);
        if (end < 0)
            return std::nullopt;
        m_pos = end + 1;
    } else {
        end = start;
        while (end < m_html.size() && !isWhitespace(m_html[end]) && m_html[end] != u'>')
            ++end;
        m_pos = end;
    }
    return HtmlEntities::decoded(m_html.mid(start, end - start)).replace(QChar::Null, QChar::ReplacementCharacter);
}

// Up to whitespace or one of stops, in lower case.
QString HtmlTokenizer::name(QStringView stops)
{
    const qsizetype start = m_pos;
    while (!atEnd() && !isWhitespace(m_html[m_pos]) && !stops.contains(m_html[m_pos]))
        ++m_pos;
    return asciiLower(m_html.mid(start, m_pos - start));
}

void HtmlTokenizer::skipComment()
{
    m_pos += 4; // "<!--"
    const QStringView rest = m_html.mid(m_pos);
    // "<!-->" and "<!--->" are whole, empty comments to a browser.
    if (rest.startsWith(u">") || rest.startsWith(u"->")) {
        skipPast(u">");
        return;
    }
    const qsizetype close = rest.indexOf(u"-->");
    const qsizetype bangClose = rest.indexOf(u"--!>");
    if (close < 0 && bangClose < 0) {
        m_pos = m_html.size();
        return;
    }
    const bool bangFirst = bangClose >= 0 && (close < 0 || bangClose < close);
    m_pos += bangFirst ? bangClose + 4 : close + 3;
}

void HtmlTokenizer::skipPast(QStringView terminator)
{
    const qsizetype end = m_html.indexOf(terminator, m_pos);
    m_pos = end < 0 ? m_html.size() : end + terminator.size();
}

void HtmlTokenizer::skipWhitespace()
{
    while (!atEnd() && isWhitespace(m_html[m_pos]))
        ++m_pos;
}
