#include "server/web/SafeUrl.h"

#include <QUrl>

namespace {

// Browsers drop tabs and line breaks anywhere in an address and C0 controls
// and spaces at its ends before they look for the scheme, so "java\tscript:"
// is a script address to them. The check must see what they will see.
QString asBrowsersReadIt(const QString& address)
{
    QString out;
    out.reserve(address.size());
    for (const QChar c : address) {
        if (c != u'\t' && c != u'\n' && c != u'\r')
            out += c;
    }
    qsizetype start = 0;
    qsizetype end = out.size();
    while (start < end && out[start].unicode() <= 0x20)
        ++start;
    while (end > start && out[end - 1].unicode() <= 0x20)
        --end;
    return out.mid(start, end - start);
}

} // namespace

namespace SafeUrl {

std::optional<QString> linkHref(const QString& address)
{
    const QUrl url(asBrowsersReadIt(address), QUrl::TolerantMode);
    if (!url.isValid())
        return std::nullopt;
    const QString scheme = url.scheme();
    const bool web = (scheme == QLatin1String("http") || scheme == QLatin1String("https")) && !url.host().isEmpty();
    const bool mail = scheme == QLatin1String("mailto") && !url.path().isEmpty();
    if (!web && !mail)
        return std::nullopt;
    return url.toString(QUrl::FullyEncoded);
}

} // namespace SafeUrl
