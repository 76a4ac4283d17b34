#include "publish/HtmlText.h"

#include <QUrl>

#include <array>

namespace {

// The HTML 4.01 names of U+00A0 ... U+00FF, in code order.
constexpr std::array<const char*, 96> latin1EntityNames { "nbsp", "iexcl", "cent", "pound", "curren", "yen", "brvbar",
    "sect", "uml", "copy", "ordf", "laquo", "not", "shy", "reg", "macr", "deg", "plusmn", "sup2", "sup3", "acute",
    "micro", "para", "middot", "cedil", "sup1", "ordm", "raquo", "frac14", "frac12", "frac34", "iquest", "Agrave",
    "Aacute", "Acirc", "Atilde", "Auml", "Aring", "AElig", "Ccedil", "Egrave", "Eacute", "Ecirc", "Euml", "Igrave",
    "Iacute", "Icirc", "Iuml", "ETH", "Ntilde", "Ograve", "Oacute", "Ocirc", "Otilde", "Ouml", "times", "Oslash",
    "Ugrave", "Uacute", "Ucirc", "Uuml", "Yacute", "THORN", "szlig", "agrave", "aacute", "acirc", "atilde", "auml",
    "aring", "aelig", "ccedil", "egrave", "eacute", "ecirc", "euml", "igrave", "iacute", "icirc", "iuml", "eth",
    "ntilde", "ograve", "oacute", "ocirc", "otilde", "ouml", "divide", "oslash", "ugrave", "uacute", "ucirc", "uuml",
    "yacute", "thorn", "yuml" };

constexpr char16_t firstLatin1Entity = 0x00A0;
constexpr char16_t bullet = 0x2022;

const QStringList& followableSchemes()
{
    static const QStringList schemes { QStringLiteral("http"), QStringLiteral("https"), QStringLiteral("ftp"),
        QStringLiteral("mailto") };
    return schemes;
}

} // namespace

namespace HtmlText {

QString escapedLines(const QString& text)
{
    QString out;
    const QStringList lines = QString(text).replace(QChar::LineSeparator, u'\n').split(u'\n');
    for (const QString& line : lines) {
        qsizetype start = 0;
        while (start < line.size() && (line[start] == u' ' || line[start] == u'\t'))
            ++start;
        if (start == line.size())
            continue;
        out += escaped(line.mid(start)) + QLatin1String("<br>");
    }
    return out;
}

QString encodeCharacterEntities(const QString& page)
{
    QString out;
    out.reserve(page.size() + 64);
    for (const QChar c : page) {
        const char16_t code = c.unicode();
        if (code >= firstLatin1Entity && code <= 0x00FF) {
            out += u'&';
            out += QLatin1String(latin1EntityNames[code - firstLatin1Entity]);
            out += u';';
        } else if (code == bullet) {
            out += QLatin1String("&#8226;");
        } else {
            out += c;
        }
    }
    return out;
}

QString pathHref(const QStringList& segments)
{
    QStringList encoded;
    encoded.reserve(segments.size());
    for (const QString& segment : segments)
        encoded.append(QString::fromLatin1(QUrl::toPercentEncoding(segment)));
    return encoded.join(u'/');
}

std::optional<QString> linkHref(const QString& address)
{
    const QUrl url(address.trimmed(), QUrl::TolerantMode);
    if (!url.isValid() || !followableSchemes().contains(url.scheme().toLower()))
        return std::nullopt;
    return escaped(QString::fromLatin1(url.toEncoded()));
}

} // namespace HtmlText
