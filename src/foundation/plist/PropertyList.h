#pragma once

#include "foundation/core/Result.h"

#include <QByteArray>
#include <QString>
#include <QVariant>

// Property lists in the XML notation and the old-style (OpenStep) text
// notation. Values are QVariant trees:
//   dictionary QVariantMap, array QVariantList, string QString,
//   data QByteArray, date QDateTime (UTC, whole seconds), integer qint64,
//   real double, boolean bool.
// Writers accept a few more QVariant types and write anything else as a
// string; PlistValue documents the mapping. Every tree a reader returns
// writes back in either notation and reads back the same, except strings with
// characters XML 1.0 cannot carry (see XmlPlistWriter).
//
// A key given twice in one dictionary keeps its last value.
//
// Readers never crash on bad input: they answer with a failure that says what
// was wrong and, where known, on which line.
class PropertyList {
public:
    // Deeper nesting is refused, so that hostile input cannot exhaust the stack.
    static constexpr int maximumDepth = 512;

    static Result<QVariant> readXml(const QByteArray& data);
    static Result<QVariant> readText(const QByteArray& data);
    // Picks the notation from the first characters: XML starts with "<?xml",
    // "<!" or "<plist"; anything else is read as old-style text.
    static Result<QVariant> read(const QByteArray& data);

    static QByteArray writeXml(const QVariant& value);
    static QByteArray writeText(const QVariant& value);

    static Result<QVariant> readFile(const QString& path);
    // Replaces the file only once the whole list is written.
    static Status writeXmlFile(const QString& path, const QVariant& value);

private:
    static bool looksLikeXml(const QByteArray& data);
};
