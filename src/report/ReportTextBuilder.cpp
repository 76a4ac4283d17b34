#include "report/ReportTextBuilder.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextDocumentFragment>

ReportTextBuilder::ReportTextBuilder(QTextDocument& document)
    : m_document(document)
    , m_cursor(&document)
{
    m_cursor.movePosition(QTextCursor::End);
}

void ReportTextBuilder::append(const QString& text, const ReportRun& run)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            m_cursor.insertBlock(run.paragraph, run.characters);
        if (lines[i].isEmpty())
            continue;
        if (m_cursor.block().length() == 1)
            m_cursor.setBlockFormat(run.paragraph);
        m_cursor.insertText(lines[i], run.characters);
    }
}

void ReportTextBuilder::append(const QTextDocument& other)
{
    if (other.isEmpty())
        return;
    // A fragment lands in the current paragraph; an empty one takes the
    // first paragraph's style, so that a field keeps its own indents.
    if (m_cursor.block().length() == 1)
        m_cursor.setBlockFormat(other.begin().blockFormat());
    m_cursor.insertFragment(QTextDocumentFragment(&other));
}
