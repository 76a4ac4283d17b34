#pragma once

#include "foundation/core/Result.h"

#include <QByteArray>
#include <QVariant>
#include <QXmlStreamReader>

// Reads the XML form: a <plist> root holding exactly one value. Unknown
// elements, stray text, entity declarations and undeclared entities are
// errors; comments and processing instructions are skipped.
class XmlPlistReader {
public:
    static Result<QVariant> read(const QByteArray& data);

private:
    explicit XmlPlistReader(const QByteArray& data);

    Result<QVariant> readDocument();
    Result<QVariant> readValue(int depth);
    Result<QVariant> readDictionary(int depth);
    Result<QVariant> readArray(int depth);
    Result<QVariant> readBoolean(bool value);
    Result<QString> readText();
    QXmlStreamReader::TokenType nextTag();
    static Result<QByteArray> parseBase64(QStringView text);

    template <typename T> Result<QVariant> valueOf(const Result<T>& parsed) const
    {
        return parsed ? Result<QVariant>(QVariant::fromValue(*parsed)) : failure(parsed.error());
    }
    // The reason is the first of: our own complaint, the stream's, message.
    Result<QVariant> failure(const QString& message) const;

    QXmlStreamReader m_xml;
    QString m_error;
};
