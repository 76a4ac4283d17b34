#pragma once

#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>

class QTextDocument;

// The formats of one run of report text: its font and its paragraph style.
struct ReportRun {
    QTextCharFormat characters;
    QTextBlockFormat paragraph;
};

// Appends runs of styled text to a document the way report text is written:
// a "\n" in a run ends the paragraph, and a paragraph takes the style of the
// first run written into it.
class ReportTextBuilder {
public:
    explicit ReportTextBuilder(QTextDocument& document);

    void append(const QString& text, const ReportRun& run);
    // Another document's content, paragraph styles and all.
    void append(const QTextDocument& other);
    QTextDocument& document() { return m_document; }

private:
    QTextDocument& m_document;
    QTextCursor m_cursor;
};
