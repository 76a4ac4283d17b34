#pragma once

#include <QList>
#include <QString>

struct HtmlAttribute {
    QString name; // lower case
    QString value; // character references decoded
};

// One piece of an HTML text as a browser's tokenizer would split it. Comments,
// doctypes and processing instructions are not tokens: nothing keeps them.
struct HtmlToken {
    enum class Kind { Text, StartTag, EndTag };
    Kind kind = Kind::Text;
    QString text; // the decoded text, or the tag name in lower case
    QList<HtmlAttribute> attributes; // start tags only; the first of a repeated name
    bool selfClosing = false;
};
