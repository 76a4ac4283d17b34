#include "content/TextDecoding.h"

#include <QStringDecoder>

namespace {

// Windows-1252 differs from Latin-1 only between 0x80 and 0x9F; the five
// zeros are bytes that code page leaves undefined.
constexpr char16_t windows1252High[32] = { 0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030,
    0x0160, 0x2039, 0x0152, 0, 0x017D, 0, 0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122,
    0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178 };

bool isTextControl(char16_t c)
{
    return c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f' || c == 0x0B;
}

// Text holds no control characters but line and tab ones.
bool looksLikeText(const QString& text)
{
    for (QChar c : text) {
        if (c.unicode() < 0x20 && !isTextControl(c.unicode()))
            return false;
    }
    return true;
}

std::optional<QString> strictly(QStringConverter::Encoding encoding, const QByteArray& bytes)
{
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError() || !looksLikeText(text))
        return std::nullopt;
    return text;
}

std::optional<QString> fromWindows1252(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        const char16_t c = code >= 0x80 && code < 0xA0 ? windows1252High[code - 0x80] : char16_t(code);
        if ((code >= 0x80 && code < 0xA0 && c == 0) || (c < 0x20 && !isTextControl(c)))
            return std::nullopt;
        text += QChar(c);
    }
    return text;
}

} // namespace

std::optional<QString> TextDecoding::decode(const QByteArray& bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return strictly(QStringConverter::Utf8, bytes.mid(3));
    if (bytes.startsWith("\xFF\xFE"))
        return strictly(QStringConverter::Utf16LE, bytes.mid(2));
    if (bytes.startsWith("\xFE\xFF"))
        return strictly(QStringConverter::Utf16BE, bytes.mid(2));
    if (std::optional<QString> text = strictly(QStringConverter::Utf8, bytes))
        return text;
    return fromWindows1252(bytes);
}
