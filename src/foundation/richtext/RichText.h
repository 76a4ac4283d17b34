#pragma once

#include <QByteArray>
#include <QFont>
#include <QString>

#include <optional>

class QTextDocument;

// The rich-text fields of lessons and assignments are RTF documents, each with a
// plain-text shadow kept beside it. These helpers are the one place that turns
// one into the other.
class RichText {
public:
    // The text of an RTF document, paragraphs separated by "\n". Line breaks
    // (U+2028), tabs and non-breaking spaces are kept as they are, so the
    // shadow of an RTF written from a string is that string again.
    static QString plainText(const QByteArray& rtf);
    static QString plainText(const QTextDocument& document);

    // RTF of unstyled text in the default font; an empty string gives an
    // empty but valid document.
    static QByteArray fromPlainText(const QString& text);

    // Whether the RTF holds no text at all (missing or empty bytes included).
    static bool isEmpty(const QByteArray& rtf);

    // The RTF to store so that it agrees with a shadow that another program
    // edited (the Windows edition edits only the plain text): rebuilt from the
    // shadow when their texts differ, emptied when the shadow is. Nothing
    // when they already agree.
    static std::optional<QByteArray> agreeingWith(const QByteArray& rtf, const QString& shadow);

    // The font of unstyled rich text.
    static QFont defaultFont();
};
