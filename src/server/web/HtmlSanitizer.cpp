#include "server/web/HtmlSanitizer.h"

#include "foundation/richtext/HtmlEscape.h"
#include "server/web/HtmlTokenizer.h"
#include "server/web/SafeUrl.h"

#include <QStringList>

namespace {

const QStringList& allowedElements()
{
    static const QStringList names { QStringLiteral("p"), QStringLiteral("br"), QStringLiteral("b"),
        QStringLiteral("strong"), QStringLiteral("i"), QStringLiteral("em"), QStringLiteral("u"), QStringLiteral("ul"),
        QStringLiteral("ol"), QStringLiteral("li"), QStringLiteral("a"), QStringLiteral("h1"), QStringLiteral("h2"),
        QStringLiteral("h3"), QStringLiteral("h4"), QStringLiteral("h5"), QStringLiteral("h6"),
        QStringLiteral("blockquote"), QStringLiteral("pre"), QStringLiteral("code"), QStringLiteral("table"),
        QStringLiteral("thead"), QStringLiteral("tbody"), QStringLiteral("tr"), QStringLiteral("td"),
        QStringLiteral("th"), QStringLiteral("sub"), QStringLiteral("sup"), QStringLiteral("span"),
        QStringLiteral("div"), QStringLiteral("hr") };
    return names;
}

bool isVoid(const QString& name)
{
    return name == QLatin1String("br") || name == QLatin1String("hr");
}

// Elements whose content is code, a nested document or a foreign markup
// language: none of it is lesson text, so it goes with the element.
bool dropsContent(const QString& name)
{
    static const QStringList names { QStringLiteral("script"), QStringLiteral("style"), QStringLiteral("template"),
        QStringLiteral("iframe"), QStringLiteral("object"), QStringLiteral("applet"), QStringLiteral("noscript"),
        QStringLiteral("noembed"), QStringLiteral("noframes"), QStringLiteral("textarea"), QStringLiteral("select"),
        QStringLiteral("svg"), QStringLiteral("math"), QStringLiteral("title"), QStringLiteral("xmp"),
        QStringLiteral("plaintext"), QStringLiteral("frameset") };
    return names.contains(name);
}

// In svg and math, unlike HTML, "<svg/>" is a whole, empty element.
bool honoursSelfClosing(const QString& name)
{
    return name == QLatin1String("svg") || name == QLatin1String("math");
}

QString hrefOf(const HtmlToken& token)
{
    for (const HtmlAttribute& attribute : token.attributes) {
        if (attribute.name == QLatin1String("href"))
            return attribute.value;
    }
    return {};
}

class Rebuilder {
public:
    void take(const HtmlToken& token)
    {
        if (m_dropDepth > 0)
            skip(token);
        else if (token.kind == HtmlToken::Kind::Text)
            m_out += HtmlEscape::escaped(token.text);
        else if (token.kind == HtmlToken::Kind::StartTag)
            open(token);
        else
            close(token.text);
    }

    QString finish()
    {
        while (!m_open.isEmpty())
            m_out += QLatin1String("</") + m_open.takeLast() + u'>';
        return m_out;
    }

private:
    void skip(const HtmlToken& token)
    {
        if (token.text != m_dropped || token.kind == HtmlToken::Kind::Text)
            return;
        if (token.kind == HtmlToken::Kind::EndTag)
            --m_dropDepth;
        else if (!(token.selfClosing && honoursSelfClosing(token.text)))
            ++m_dropDepth;
    }

    void open(const HtmlToken& token)
    {
        const QString& name = token.text;
        if (dropsContent(name)) {
            if (!(token.selfClosing && honoursSelfClosing(name))) {
                m_dropped = name;
                m_dropDepth = 1;
            }
            return;
        }
        if (!allowedElements().contains(name))
            return;
        if (isVoid(name)) {
            m_out += u'<' + name + u'>';
            return;
        }
        if (m_open.size() >= HtmlSanitizer::maximumDepth)
            return;
        m_out += u'<' + name + attributes(token) + u'>';
        m_open.append(name);
    }

    static QString attributes(const HtmlToken& token)
    {
        if (token.text != QLatin1String("a"))
            return {};
        const std::optional<QString> href = SafeUrl::linkHref(hrefOf(token));
        if (!href)
            return {};
        return QLatin1String(" href=\"") + HtmlEscape::escaped(*href)
            + QLatin1String("\" rel=\"noopener noreferrer nofollow\"");
    }

    // Closes the element and whatever is still open inside it; an end tag
    // with nothing open to match is dropped.
    void close(const QString& name)
    {
        const qsizetype at = m_open.lastIndexOf(name);
        if (at < 0)
            return;
        while (m_open.size() > at)
            m_out += QLatin1String("</") + m_open.takeLast() + u'>';
    }

    QString m_out;
    QStringList m_open;
    QString m_dropped;
    int m_dropDepth = 0;
};

} // namespace

QString HtmlSanitizer::sanitized(QStringView html)
{
    Rebuilder rebuilder;
    HtmlTokenizer tokenizer(html);
    while (const std::optional<HtmlToken> token = tokenizer.next())
        rebuilder.take(*token);
    return rebuilder.finish();
}
