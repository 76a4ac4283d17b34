#pragma once

#include "server/web/HtmlToken.h"

#include <QStringView>

#include <optional>

// A small, forgiving HTML tokenizer after the browsers' rules, enough for
// lesson fields: tags with quoted, unquoted and bare attributes, comments
// ("<!-- -->", "<!-->", bogus "<!...>" and "<?...>"), raw-text elements
// (script, style, textarea, title, ...) whose content holds no tags, and a
// "<" that opens no tag as text. A tag cut off by the end of the input is
// dropped, as a browser drops it. Never fails: every input gives tokens.
class HtmlTokenizer {
public:
    explicit HtmlTokenizer(QStringView html);

    // The next token, or none at the end of the input.
    std::optional<HtmlToken> next();

private:
    std::optional<HtmlToken> text();
    std::optional<HtmlToken> rawText();
    std::optional<HtmlToken> markup();
    std::optional<HtmlToken> tag(HtmlToken::Kind kind);
    bool readAttributes(HtmlToken& token);
    std::optional<QString> attributeValue();
    QString name(QStringView stops);
    void skipComment();
    void skipPast(QStringView terminator);
    void skipWhitespace();
    bool atEnd() const { return m_pos >= m_html.size(); }

    QStringView m_html;
    qsizetype m_pos = 0;
    QString m_rawTextElement; // set while inside script, style and the like
};
