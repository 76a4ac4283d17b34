#include "connect/ServiceAddress.h"

#include <QHostAddress>
#include <QUrl>

namespace {

bool isLoopback(const QString& host)
{
    if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        return true;
    const QHostAddress address(host);
    return !address.isNull() && address.isLoopback();
}

} // namespace

Result<ServiceAddress> ServiceAddress::parse(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return Result<ServiceAddress>::failure(QStringLiteral("No SemestraConnect address is set."));
    const QUrl url(trimmed.contains(QLatin1String("://")) ? trimmed : QStringLiteral("https://") + trimmed);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() || (scheme != QLatin1String("https") && scheme != QLatin1String("http"))
        || !url.query().isEmpty() || !url.fragment().isEmpty() || !url.userInfo().isEmpty())
        return Result<ServiceAddress>::failure(
            QStringLiteral("\"%1\" is not a SemestraConnect address: give https://HOST[:PORT].").arg(trimmed));
    if (scheme == QLatin1String("http") && !isLoopback(url.host()))
        return Result<ServiceAddress>::failure(
            QStringLiteral("SemestraConnect at %1 must be reached over https:// (plain http:// is only for this "
                           "computer's own address).")
                .arg(url.host()));
    ServiceAddress address;
    QString path = url.path();
    while (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    address.m_host = url.host();
    address.m_base = scheme + QStringLiteral("://") + url.authority() + path;
    return address;
}
