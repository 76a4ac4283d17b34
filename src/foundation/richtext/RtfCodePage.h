#pragma once

#include <QByteArray>
#include <QString>

#include <map>
#include <optional>

struct UConverter;

// Turns the 8-bit text of an RTF document into Unicode. RTF names its code pages
// by Windows number (\ansicpg1251) or by font character set (\fcharset204); Qt 6
// only knows UTF and Latin-1, so the conversion goes through ICU. Converters are
// opened once per code page and kept for the life of the object.
class RtfCodePage {
public:
    static constexpr int windowsLatin1 = 1252;
    // A font whose character set does not pin a code page uses the document's.
    static constexpr int documentCodePage = 0;

    RtfCodePage() = default;
    ~RtfCodePage();
    RtfCodePage(const RtfCodePage&) = delete;
    RtfCodePage& operator=(const RtfCodePage&) = delete;

    // The code page of a font's \fcharsetN, or documentCodePage.
    static int fromCharset(int charset);

    // Bytes that are not valid in the code page become U+FFFD; a code page ICU
    // does not know is read as Windows-1252.
    QString decode(const QByteArray& bytes, int codePage);

    // The Windows-1252 byte of a character, when it has one.
    static std::optional<char> toWindowsLatin1(char16_t unit);

private:
    UConverter* converter(int codePage);

    std::map<int, UConverter*> m_converters;
};
