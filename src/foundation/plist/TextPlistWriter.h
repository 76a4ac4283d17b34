#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>

// Writes the old-style (OpenStep) notation in UTF-8, one tab per level. The
// types it lacks use the GNUstep typed forms: <*I12>, <*R1.5>, <*BY>, <*BN>,
// <*D2001-01-01 00:00:00 +0000>. Every QString survives, unpaired surrogates
// included (as \U escapes).
class TextPlistWriter {
public:
    static QByteArray write(const QVariant& value);

private:
    void writeValue(const QVariant& value, int level);
    void writeDictionary(const QVariantMap& map, int level);
    void writeArray(const QVariantList& list, int level);
    void writeData(const QByteArray& data);
    void writeTyped(QChar type, const QString& text);
    void writeString(const QString& text);
    void indent(int level);
    static bool needsQuotes(const QString& text);

    QString m_out;
};
