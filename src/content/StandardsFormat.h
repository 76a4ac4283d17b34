#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class StandardsImport;

// A file offered for import: its name, its bytes and, once asked for, its
// text and its comma-separated rows (decoded once for every format that looks).
class StandardsSource {
public:
    StandardsSource(QString fileName, QByteArray bytes);

    const QString& fileName() const { return m_fileName; }
    const QByteArray& bytes() const { return m_bytes; }
    // None when the bytes are not text in an encoding we read.
    const std::optional<QString>& text() const;
    const QList<QStringList>& rows() const;

private:
    QString m_fileName;
    QByteArray m_bytes;
    mutable bool m_decoded = false;
    mutable std::optional<QString> m_text;
    mutable std::optional<QList<QStringList>> m_rows;
};

// One kind of standards file. Adding a format is one new subclass, listed in
// StandardsImporter.
class StandardsFormat {
public:
    virtual ~StandardsFormat() = default;

    // Whether the file is of this kind, judged by its content.
    virtual bool recognises(const StandardsSource& source) const = 0;
    // Adds the file's standards, counting what happened in the import's report.
    virtual void read(const StandardsSource& source, StandardsImport& into) const = 0;
};
