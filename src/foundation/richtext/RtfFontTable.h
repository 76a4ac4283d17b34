#pragma once

#include "foundation/richtext/RtfCodePage.h"

#include <QByteArray>
#include <QHash>
#include <QString>

// The \fonttbl of an RTF document: font numbers to family names and to the code
// page the font's text is written in. An entry is built from the table's control
// words and name bytes and stored at the ';' that ends it.
class RtfFontTable {
public:
    struct Font {
        QString family;
        int codePage = RtfCodePage::documentCodePage;
    };

    void beginEntry(int number);
    void setCharset(int charset);
    void setCodePage(int codePage);
    void appendToName(char byte);
    bool hasPendingName() const { return !m_name.isEmpty(); }
    // Decodes the name in the entry's own code page and stores the entry.
    void commitEntry(RtfCodePage& codePages, int documentCodePage);

    // nullptr for a number the table does not define.
    const Font* font(int number) const;

private:
    QHash<int, Font> m_fonts;
    int m_number = 0;
    int m_codePage = RtfCodePage::documentCodePage;
    QByteArray m_name;
};
