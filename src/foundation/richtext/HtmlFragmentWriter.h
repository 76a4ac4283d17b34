#pragma once

#include <QByteArray>
#include <QString>

class QTextDocument;

// Turns rich text into a bare HTML fragment for the web pages the planner
// publishes: <p> per paragraph, <b>, <i>, <br> and <a href>, nothing else.
// Fonts, sizes, colours, underline, strike-out and alignment are dropped on
// purpose, so the page's own style sheet decides the look. An empty document
// gives the empty string.
class HtmlFragmentWriter {
public:
    static QString write(const QTextDocument& document);
    static QString fromRtf(const QByteArray& rtf);
};
