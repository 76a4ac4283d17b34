#pragma once

#include <QByteArray>
#include <QVariant>

// Writes the common XML form: UTF-8, the Apple DOCTYPE, one tab per level.
//
// XML 1.0 cannot carry every character a QString can hold: control characters
// other than tab, newline and carriage return, unpaired surrogates and
// U+FFFE/U+FFFF are written as U+FFFD (the old-style notation keeps them).
class XmlPlistWriter {
public:
    static QByteArray write(const QVariant& value);

private:
    void writeValue(const QVariant& value, int level);
    void writeDictionary(const QVariantMap& map, int level);
    void writeArray(const QVariantList& list, int level);
    void writeData(const QByteArray& data, int level);
    void writeElement(const char* name, const QString& text, int level);
    void indent(int level);
    static QString escaped(const QString& text);

    QByteArray m_out;
};
