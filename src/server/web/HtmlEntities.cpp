#include "server/web/HtmlEntities.h"

#include <array>
#include <optional>
#include <utility>

namespace {

// The names rich-text writers and hand-written lesson HTML use. Anything else
// is kept as literal text, which the output then shows as typed.
constexpr std::array<std::pair<const char*, char32_t>, 31> namedEntities { {
    { "amp", U'&' },
    { "lt", U'<' },
    { "gt", U'>' },
    { "quot", U'"' },
    { "apos", U'\'' },
    { "nbsp", 0x00A0 },
    { "copy", 0x00A9 },
    { "reg", 0x00AE },
    { "deg", 0x00B0 },
    { "plusmn", 0x00B1 },
    { "middot", 0x00B7 },
    { "frac12", 0x00BD },
    { "times", 0x00D7 },
    { "divide", 0x00F7 },
    { "eacute", 0x00E9 },
    { "egrave", 0x00E8 },
    { "agrave", 0x00E0 },
    { "ccedil", 0x00E7 },
    { "uuml", 0x00FC },
    { "ouml", 0x00F6 },
    { "auml", 0x00E4 },
    { "szlig", 0x00DF },
    { "ndash", 0x2013 },
    { "mdash", 0x2014 },
    { "lsquo", 0x2018 },
    { "rsquo", 0x2019 },
    { "ldquo", 0x201C },
    { "rdquo", 0x201D },
    { "bull", 0x2022 },
    { "hellip", 0x2026 },
    { "euro", 0x20AC },
} };

constexpr char32_t replacementCharacter = 0xFFFD;

bool isCharacter(char32_t code)
{
    return code != 0 && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF);
}

struct Reference {
    char32_t code;
    qsizetype length; // characters consumed, "&" included
};

// ASCII digits only, as browsers read them: other scripts' digits end a reference.
int digitValue(QChar c, int base)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    const char16_t lower = u | 0x20;
    if (base == 16 && lower >= u'a' && lower <= u'f')
        return lower - u'a' + 10;
    return -1;
}

std::optional<Reference> numericReference(QStringView text)
{
    // text starts with "&#"
    const bool hex = text.size() > 2 && (text[2] == u'x' || text[2] == u'X');
    const int base = hex ? 16 : 10;
    qsizetype i = hex ? 3 : 2;
    const qsizetype digitsStart = i;
    char32_t code = 0;
    for (int digit = 0; i < text.size() && (digit = digitValue(text[i], base)) >= 0; ++i) {
        // Past the last code point the value no longer matters, only that it is too big.
        if (code <= 0x10FFFF)
            code = code * base + digit;
    }
    if (i == digitsStart)
        return std::nullopt;
    if (i < text.size() && text[i] == u';')
        ++i;
    return Reference { isCharacter(code) ? code : replacementCharacter, i };
}

std::optional<Reference> namedReference(QStringView text)
{
    for (const auto& [name, code] : namedEntities) {
        const QLatin1String candidate(name);
        const qsizetype end = 1 + candidate.size();
        if (text.size() > end && text.mid(1, candidate.size()) == candidate && text[end] == u';')
            return Reference { code, end + 1 };
    }
    return std::nullopt;
}

std::optional<Reference> reference(QStringView text)
{
    if (text.size() < 2)
        return std::nullopt;
    return text[1] == u'#' ? numericReference(text) : namedReference(text);
}

} // namespace

namespace HtmlEntities {

QString decoded(QStringView text)
{
    QString out;
    out.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype amp = text.indexOf(u'&', i);
        if (amp < 0) {
            out += text.mid(i);
            break;
        }
        out += text.mid(i, amp - i);
        if (const auto found = reference(text.mid(amp))) {
            const char32_t code = found->code;
            out += QString::fromUcs4(&code, 1);
            i = amp + found->length;
        } else {
            out += u'&';
            i = amp + 1;
        }
    }
    return out;
}

} // namespace HtmlEntities
