#include "content/StandardsFormat.h"

#include "content/CsvReader.h"
#include "content/TextDecoding.h"

StandardsSource::StandardsSource(QString fileName, QByteArray bytes)
    : m_fileName(std::move(fileName))
    , m_bytes(std::move(bytes))
{ }

const std::optional<QString>& StandardsSource::text() const
{
    if (!m_decoded) {
        m_text = TextDecoding::decode(m_bytes);
        m_decoded = true;
    }
    return m_text;
}

const QList<QStringList>& StandardsSource::rows() const
{
    if (!m_rows)
        m_rows = text() ? CsvReader::csvRows(*text()) : QList<QStringList>();
    return *m_rows;
}
