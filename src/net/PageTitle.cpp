#include "net/PageTitle.h"

#include <QHash>
#include <QRegularExpression>

#include <unicode/ucnv.h>

namespace {

// Only the first part of a page is searched for a meta charset, as browsers do.
constexpr qsizetype charsetSniffLength = 1024;

QByteArray charsetIn(const QByteArray& text)
{
    static const QRegularExpression pattern(QStringLiteral("charset\\s*=\\s*[\"']?([A-Za-z0-9._:-]+)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(QString::fromLatin1(text));
    return match.hasMatch() ? match.captured(1).toLatin1() : QByteArray();
}

// The bytes in the named charset; UTF-8 when ICU does not know the name.
QString decode(const QByteArray& bytes, const QByteArray& charset)
{
    UErrorCode status = U_ZERO_ERROR;
    UConverter* converter = ucnv_open(charset.isEmpty() ? "UTF-8" : charset.constData(), &status);
    if (U_FAILURE(status))
        return QString::fromUtf8(bytes);
    const auto size = int32_t(bytes.size());
    const int32_t length = ucnv_toUChars(converter, nullptr, 0, bytes.constData(), size, &status);
    status = U_ZERO_ERROR;
    QString text(length, Qt::Uninitialized);
    ucnv_toUChars(converter, reinterpret_cast<UChar*>(text.data()), length, bytes.constData(), size, &status);
    ucnv_close(converter);
    return U_FAILURE(status) ? QString::fromUtf8(bytes) : text;
}

const QHash<QString, char32_t>& namedEntities()
{
    static const QHash<QString, char32_t> entities {
        { QStringLiteral("amp"), U'&' }, { QStringLiteral("lt"), U'<' }, { QStringLiteral("gt"), U'>' },
        { QStringLiteral("quot"), U'"' }, { QStringLiteral("apos"), U'\'' }, { QStringLiteral("nbsp"), 0xA0 },
        { QStringLiteral("copy"), 0xA9 }, { QStringLiteral("reg"), 0xAE }, { QStringLiteral("trade"), 0x2122 },
        { QStringLiteral("ndash"), 0x2013 }, { QStringLiteral("mdash"), 0x2014 }, { QStringLiteral("hellip"), 0x2026 },
        { QStringLiteral("lsquo"), 0x2018 }, { QStringLiteral("rsquo"), 0x2019 }, { QStringLiteral("ldquo"), 0x201C },
        { QStringLiteral("rdquo"), 0x201D }, { QStringLiteral("laquo"), 0xAB }, { QStringLiteral("raquo"), 0xBB },
        { QStringLiteral("middot"), 0xB7 }, { QStringLiteral("bull"), 0x2022 }, { QStringLiteral("euro"), 0x20AC },
        { QStringLiteral("pound"), 0xA3 }, { QStringLiteral("eacute"), 0xE9 }, { QStringLiteral("egrave"), 0xE8 },
        { QStringLiteral("aacute"), 0xE1 }, { QStringLiteral("agrave"), 0xE0 }, { QStringLiteral("ccedil"), 0xE7 },
        { QStringLiteral("ouml"), 0xF6 }, { QStringLiteral("uuml"), 0xFC }, { QStringLiteral("auml"), 0xE4 },
        { QStringLiteral("szlig"), 0xDF }, { QStringLiteral("ntilde"), 0xF1 }, { QStringLiteral("iacute"), 0xED },
        { QStringLiteral("oacute"), 0xF3 }, { QStringLiteral("uacute"), 0xFA },
    };
    return entities;
}

std::optional<char32_t> characterFor(const QString& reference)
{
    if (reference.startsWith(QLatin1Char('#'))) {
        const bool hex = reference.size() > 1 && (reference[1] == QLatin1Char('x') || reference[1] == QLatin1Char('X'));
        bool ok = false;
        const uint code = reference.mid(hex ? 2 : 1).toUInt(&ok, hex ? 16 : 10);
        if (!ok || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return std::nullopt;
        return char32_t(code);
    }
    const auto found = namedEntities().constFind(reference);
    return found == namedEntities().cend() ? std::nullopt : std::optional<char32_t>(*found);
}

// At most `length` characters, never ending inside a surrogate pair.
QString truncated(const QString& text, qsizetype length)
{
    if (text.size() <= length)
        return text;
    const qsizetype cut = text[length - 1].isHighSurrogate() ? length - 1 : length;
    return text.left(cut).trimmed();
}

} // namespace

namespace PageTitle {

QByteArray declaredCharset(const QByteArray& body, const QByteArray& contentType)
{
    const QByteArray fromHeader = charsetIn(contentType);
    if (!fromHeader.isEmpty())
        return fromHeader;
    static const QRegularExpression meta(
        QStringLiteral("<meta[^>]*charset[^>]*>"), QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = meta.match(QString::fromLatin1(body.left(charsetSniffLength)));
    return match.hasMatch() ? charsetIn(match.captured(0).toLatin1()) : QByteArray();
}

QString decodeEntities(const QString& text)
{
    static const QRegularExpression reference(QStringLiteral("&(#[0-9]+|#[xX][0-9A-Fa-f]+|[A-Za-z][A-Za-z0-9]*);"));
    QString result;
    qsizetype copied = 0;
    for (const QRegularExpressionMatch& match : reference.globalMatch(text)) {
        const std::optional<char32_t> character = characterFor(match.captured(1));
        if (!character)
            continue;
        result += QStringView(text).mid(copied, match.capturedStart() - copied);
        result += QString::fromUcs4(&*character, 1);
        copied = match.capturedEnd();
    }
    result += QStringView(text).mid(copied);
    return result;
}

std::optional<QString> fromHtml(const QByteArray& body, const QByteArray& contentType)
{
    const QString page = decode(body, declaredCharset(body, contentType));
    static const QRegularExpression title(QStringLiteral("<title(?:\\s[^>]*)?>(.*?)</title\\s*>"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = title.match(page);
    if (!match.hasMatch())
        return std::nullopt;
    const QString text = truncated(decodeEntities(match.captured(1)).simplified(), maxLength);
    if (text.isEmpty())
        return std::nullopt;
    return text;
}

} // namespace PageTitle
