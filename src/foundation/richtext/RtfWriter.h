#pragma once

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QList>
#include <QStringList>

class QTextBlock;
class QTextCharFormat;
class QTextDocument;
class QTextFragment;

// Writes a QTextDocument as plain standard RTF that word processors and
// RtfReader read back: paragraphs with their alignment, font family and size,
// bold, italic, underline, strike-out, text and background colour, tabs, line
// breaks and hyperlinks. Text is Windows-1252 with \uN for everything else.
//
// Paragraphs are separated, not terminated, by \par, so that reading the result
// gives back exactly the document's paragraphs.
class RtfWriter {
public:
    static QByteArray write(const QTextDocument& document);

    // RTF text for a string: escapes, \'hh and \uN, \tab and \line.
    static QByteArray escaped(const QString& text);

private:
    explicit RtfWriter(const QTextDocument& document);

    void writeBlock(const QTextBlock& block);
    void writeFragment(const QTextFragment& fragment);
    QByteArray formatControls(const QTextCharFormat& format);
    QByteArray header() const;
    int fontIndex(const QString& family);
    int colorIndex(const QColor& color);

    QFont m_defaultFont;
    QStringList m_fonts;
    QList<QColor> m_colors;
    QByteArray m_body;
};
