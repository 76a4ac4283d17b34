#include "net/TransferAddress.h"

#include <QUrl>

namespace {

struct SchemeName {
    TransferAddress::Scheme scheme;
    const char* name;
    int port;
};

constexpr SchemeName schemes[] = {
    { TransferAddress::Scheme::Ftp, "ftp", 21 },
    { TransferAddress::Scheme::Ftps, "ftps", 990 },
    { TransferAddress::Scheme::Sftp, "sftp", 22 },
};

} // namespace

Result<TransferAddress> TransferAddress::parse(const QString& text)
{
    const QString trimmed = text.trimmed();
    const QUrl url(trimmed.contains(QLatin1String("://")) ? trimmed : QStringLiteral("ftp://") + trimmed);
    if (!url.isValid() || url.host().isEmpty())
        return Result<TransferAddress>::failure(QStringLiteral("\"%1\" is not a server address").arg(text));
    const QString scheme = url.scheme().toLower();
    const auto known = std::find_if(std::begin(schemes), std::end(schemes),
        [&](const SchemeName& entry) { return scheme == QLatin1String(entry.name); });
    if (known == std::end(schemes))
        return Result<TransferAddress>::failure(
            QStringLiteral("\"%1\" is not an upload protocol: use ftp://, ftps:// or sftp://").arg(url.scheme()));
    TransferAddress address;
    address.m_scheme = known->scheme;
    address.m_host = url.host();
    address.setPort(url.port(0));
    address.m_folder = normalisedPath(url.path(QUrl::FullyDecoded));
    return address;
}

QString TransferAddress::schemeName() const
{
    for (const SchemeName& entry : schemes) {
        if (entry.scheme == m_scheme)
            return QLatin1String(entry.name);
    }
    return {};
}

void TransferAddress::setPort(int port)
{
    m_port = port > 0 ? port : defaultPort(m_scheme);
}

int TransferAddress::defaultPort(Scheme scheme)
{
    for (const SchemeName& entry : schemes) {
        if (entry.scheme == scheme)
            return entry.port;
    }
    return 0;
}

QStringList TransferAddress::normalisedPath(const QString& path)
{
    QString folder = path.trimmed();
    folder.replace(QLatin1Char(' '), QLatin1Char('_'));
    return folder.split(QLatin1Char('/'), Qt::SkipEmptyParts);
}

QByteArray TransferAddress::url(const QStringList& path, bool isFolder) const
{
    const QByteArray host = m_host.contains(QLatin1Char(':')) ? '[' + m_host.toUtf8() + ']' : m_host.toUtf8();
    QByteArray url = schemeName().toLatin1() + "://" + host + ':' + QByteArray::number(m_port) + '/';
    // An SFTP path is absolute unless it starts with "~": below the login
    // folder, as FTP paths are.
    if (m_scheme == Scheme::Sftp)
        url += "~/";
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (i > 0)
            url += '/';
        url += QUrl::toPercentEncoding(path.at(i));
    }
    if (isFolder && !path.isEmpty())
        url += '/';
    return url;
}

QString TransferAddress::displayName() const
{
    return QStringLiteral("%1:%2").arg(m_host).arg(m_port);
}
