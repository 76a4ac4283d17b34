#pragma once

#include "foundation/core/Result.h"

#include <QByteArray>
#include <QString>
#include <QVariant>

// Reads the old-style (OpenStep) notation from UTF-8 text: { key = value; },
// ( a, b ), quoted and unquoted strings, <hex data>, the GNUstep typed forms
// <*I..>, <*R..>, <*B..>, <*D..>, and // and /* */ comments between tokens.
// A top-level dictionary may also be written without its braces
// ("a = 1; b = 2;"), as strings files are.
class TextPlistReader {
public:
    static Result<QVariant> read(const QByteArray& data);

    // The characters of a string that needs no quotes: [A-Za-z0-9_$+/:.-].
    static bool isUnquotedCharacter(QChar c);

private:
    explicit TextPlistReader(QString text);

    Result<QVariant> readDocument();
    Result<QVariant> readValue(int depth);
    Result<QVariant> readDictionary(int depth, QChar closing);
    Result<QVariant> readArray(int depth);
    Result<QString> readString();
    Result<QString> readQuoted();
    QChar readEscape();
    char16_t readDigits(int base, int maximumCount);
    static int digitValue(QChar c, int base);
    Result<QVariant> readData();
    Result<QVariant> readTyped();
    bool skipToToken();
    bool atEnd() const { return m_pos >= m_text.size(); }
    QChar current() const { return m_text.at(m_pos); }

    // Names what was expected and what stands there instead (or the comment
    // that never ended).
    template <typename T> Result<T> unexpected(const QString& expected) const
    {
        if (!m_error.isEmpty())
            return failure<T>(m_error);
        if (atEnd())
            return failure<T>(QStringLiteral("expected %1, but the text ends").arg(expected));
        return failure<T>(QStringLiteral("expected %1, found %2").arg(expected, describeCurrent()));
    }
    QString describeCurrent() const;

    template <typename T> Result<T> failure(const QString& message) const
    {
        return Result<T>::failure(QStringLiteral("line %1: %2").arg(lineNumber()).arg(message));
    }
    template <typename T> Result<QVariant> valueOf(const Result<T>& parsed) const
    {
        return parsed ? Result<QVariant>(QVariant::fromValue(*parsed)) : failure<QVariant>(parsed.error());
    }
    qsizetype lineNumber() const;

    QString m_text;
    qsizetype m_pos = 0;
    QString m_error;
};
