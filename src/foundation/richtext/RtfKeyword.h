#pragma once

#include <QByteArrayView>

// What an RTF control word means to the reader. Words not listed are skipped,
// which is what RTF asks of a reader that meets a word it does not know.
struct RtfKeyword {
    enum class Kind {
        Unknown,
        // Document character set
        Ansi,
        Mac,
        Pc,
        Pca,
        AnsiCodePage,
        DefaultFont,
        // Destinations the reader understands
        FontTable,
        ColorTable,
        Field,
        FieldInstruction,
        FieldResult,
        // Destinations whose content never becomes text
        SkippedDestination,
        // Font and colour table entries
        Font,
        FontCharset,
        FontCodePage,
        Red,
        Green,
        Blue,
        // Character formatting
        Plain,
        Bold,
        Italic,
        Underline,
        UnderlineNone,
        StrikeOut,
        Hidden,
        FontSize,
        Foreground,
        Background,
        // Paragraphs and special characters
        ParagraphDefaults,
        Paragraph,
        AlignLeft,
        AlignCenter,
        AlignRight,
        AlignJustify,
        Character, // a word that stands for one character, such as \tab or \emdash
        // Unicode and binary data
        Unicode,
        UnicodeSkipCount,
        Binary,
    };

    Kind kind = Kind::Unknown;
    char16_t character = 0; // for Kind::Character

    static RtfKeyword lookup(QByteArrayView word);
};
