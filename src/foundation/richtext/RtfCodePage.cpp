#include "foundation/richtext/RtfCodePage.h"

#include <QHash>

#include <unicode/ucnv.h>

#include <array>

namespace {

constexpr int utf8CodePage = 65001;

UConverter* openConverter(int codePage)
{
    UErrorCode status = U_ZERO_ERROR;
    if (codePage == utf8CodePage)
        return ucnv_open("UTF-8", &status);
    // ICU knows every Windows code page as "windows-N" (Mac Roman is
    // "windows-10000"); the DOS pages of \pc and \pca only as "ibm-N".
    for (const char* pattern : { "windows-%1", "ibm-%1" }) {
        status = U_ZERO_ERROR;
        const QByteArray name = QByteArray(pattern).replace("%1", QByteArray::number(codePage));
        UConverter* converter = ucnv_open(name.constData(), &status);
        if (U_SUCCESS(status))
            return converter;
    }
    return nullptr;
}

QHash<char16_t, char> buildWindowsLatin1Table()
{
    RtfCodePage codePage;
    QHash<char16_t, char> table;
    for (int byte = 0x80; byte <= 0xff; ++byte) {
        const QString decoded = codePage.decode(QByteArray(1, char(byte)), RtfCodePage::windowsLatin1);
        if (decoded.size() == 1 && decoded.at(0) != QChar::ReplacementCharacter)
            table.insert(decoded.at(0).unicode(), char(byte));
    }
    return table;
}

} // namespace

RtfCodePage::~RtfCodePage()
{
    for (const auto& [codePage, converter] : m_converters) {
        if (converter != nullptr)
            ucnv_close(converter);
    }
}

int RtfCodePage::fromCharset(int charset)
{
    struct Mapping {
        int charset;
        int codePage;
    };
    // The symbol set (2) carries glyph indices, not text in any code page;
    // such bytes are read in the document's code page like the default set (1).
    static constexpr std::array<Mapping, 19> mappings { {
        { 0, 1252 },
        { 77, 10000 },
        { 78, 10001 },
        { 128, 932 },
        { 129, 949 },
        { 130, 1361 },
        { 134, 936 },
        { 136, 950 },
        { 161, 1253 },
        { 162, 1254 },
        { 163, 1258 },
        { 177, 1255 },
        { 178, 1256 },
        { 186, 1257 },
        { 204, 1251 },
        { 222, 874 },
        { 238, 1250 },
        { 254, 437 },
        { 255, 850 },
    } };
    for (const Mapping& mapping : mappings) {
        if (mapping.charset == charset)
            return mapping.codePage;
    }
    return documentCodePage;
}

QString RtfCodePage::decode(const QByteArray& bytes, int codePage)
{
    if (bytes.isEmpty())
        return {};
    UConverter* conv = converter(codePage);
    if (conv == nullptr)
        conv = converter(windowsLatin1);
    if (conv == nullptr)
        return QString::fromLatin1(bytes);

    ucnv_reset(conv);
    // No code page yields more UTF-16 units than it has bytes, except through
    // the substitution of a lone trail byte; twice the size is ample.
    QString text(bytes.size() * 2 + 2, Qt::Uninitialized);
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = ucnv_toUChars(conv, reinterpret_cast<UChar*>(text.data()), int32_t(text.size()),
        bytes.constData(), int32_t(bytes.size()), &status);
    if (U_FAILURE(status))
        return QString::fromLatin1(bytes);
    text.truncate(length);
    return text;
}

std::optional<char> RtfCodePage::toWindowsLatin1(char16_t unit)
{
    if (unit < 0x80)
        return char(unit);
    static const QHash<char16_t, char> table = buildWindowsLatin1Table();
    const auto it = table.constFind(unit);
    if (it == table.constEnd())
        return std::nullopt;
    return *it;
}

UConverter* RtfCodePage::converter(int codePage)
{
    const auto it = m_converters.find(codePage);
    if (it != m_converters.end())
        return it->second;
    UConverter* opened = openConverter(codePage);
    m_converters.emplace(codePage, opened);
    return opened;
}
