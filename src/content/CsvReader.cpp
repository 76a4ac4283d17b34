#include "content/CsvReader.h"

namespace {

bool isLineEnd(QChar c)
{
    return c == u'\n' || c == u'\r' || c == QChar(0x0B) || c == QChar(0x0C) || c == QChar(0x85)
        || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

class RowParser {
public:
    explicit RowParser(const QString& text)
        : m_text(text)
    { }

    QList<QStringList> parse()
    {
        while (m_at < m_text.size()) {
            const QChar c = m_text.at(m_at);
            if (c == u'"')
                readQuoted();
            else if (c == u',')
                endFieldAtComma();
            else if (isLineEnd(c))
                endRow();
            else
                takeCharacter(c);
        }
        endRow();
        return m_rows;
    }

private:
    void takeCharacter(QChar c)
    {
        m_field += c;
        ++m_at;
    }

    void readQuoted()
    {
        ++m_at;
        while (m_at < m_text.size()) {
            const QChar c = m_text.at(m_at++);
            if (c != u'"') {
                m_field += c;
            } else if (m_at < m_text.size() && m_text.at(m_at) == u'"') {
                m_field += c;
                ++m_at;
            } else {
                return;
            }
        }
    }

    void endFieldAtComma()
    {
        m_row.append(m_field);
        m_field.clear();
        ++m_at;
        while (m_at < m_text.size() && (m_text.at(m_at) == u' ' || m_text.at(m_at) == u'\t'))
            ++m_at;
    }

    void endRow()
    {
        while (m_at < m_text.size() && isLineEnd(m_text.at(m_at)))
            ++m_at;
        if (!m_field.isEmpty())
            m_row.append(m_field);
        m_field.clear();
        if (!m_row.isEmpty())
            m_rows.append(m_row);
        m_row.clear();
    }

    const QString& m_text;
    qsizetype m_at = 0;
    QString m_field;
    QStringList m_row;
    QList<QStringList> m_rows;
};

} // namespace

QList<QStringList> CsvReader::csvRows(const QString& text)
{
    return RowParser(text).parse();
}
