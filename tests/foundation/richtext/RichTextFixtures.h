#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <ostream>

// Failure messages show text, not UTF-16 code units.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

// Shared by the rich-text tests: the hand-written word-processor documents in
// fixtures/, and the formats found at a piece of text in a document.
namespace RichTextFixtures {

inline QByteArray load(const char* name)
{
    QFile file(QStringLiteral(SEMESTRA_RICHTEXT_FIXTURES "/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The position of the first character of `needle`, or -1.
inline int positionOf(const QTextDocument& document, const QString& needle)
{
    return int(document.toRawText().indexOf(needle));
}

// The character format of the first character of `needle`.
inline QTextCharFormat formatAt(const QTextDocument& document, const QString& needle)
{
    const int position = positionOf(document, needle);
    if (position < 0)
        return {};
    QTextCursor cursor(const_cast<QTextDocument*>(&document));
    cursor.setPosition(position + 1); // the format of the character before the cursor
    return cursor.charFormat();
}

inline Qt::Alignment alignmentAt(const QTextDocument& document, const QString& needle)
{
    return document.findBlock(positionOf(document, needle)).blockFormat().alignment();
}

inline QString familyOf(const QTextCharFormat& format)
{
    const QStringList families = format.property(QTextFormat::FontFamilies).toStringList();
    return families.isEmpty() ? QString() : families.first();
}

} // namespace RichTextFixtures
