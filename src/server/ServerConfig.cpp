#include "server/ServerConfig.h"

#include <QFileInfo>
#include <QSettings>
#include <QUrl>

std::optional<DatabaseUrl> DatabaseUrl::parse(const QString& text)
{
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid())
        return std::nullopt;
    DatabaseUrl parsed;
    if (url.scheme() == QLatin1String("sqlite")) {
        // "sqlite:///ABS" has an empty host; "sqlite://rel" would make "rel" a host.
        if (!url.host().isEmpty() || !QFileInfo(url.path()).isAbsolute())
            return std::nullopt;
        parsed.path = url.path();
        return parsed;
    }
    if (url.scheme() != QLatin1String("postgresql") && url.scheme() != QLatin1String("postgres"))
        return std::nullopt;
    parsed.kind = Kind::Postgres;
    parsed.user = url.userName();
    parsed.host = url.host();
    parsed.port = url.port(5432);
    parsed.database = url.path().mid(1);
    if (parsed.user.isEmpty() || parsed.host.isEmpty() || parsed.database.isEmpty()
        || parsed.database.contains(QLatin1Char('/')))
        return std::nullopt;
    return parsed;
}

namespace {

bool parseListen(const QString& listen, ServerConfig& config)
{
    const qsizetype colon = listen.lastIndexOf(QLatin1Char(':'));
    if (colon <= 0)
        return false;
    bool ok = false;
    const int port = listen.mid(colon + 1).toInt(&ok);
    if (!ok || port < 0 || port > 65535)
        return false;
    config.listenHost = listen.left(colon);
    config.listenPort = port;
    return true;
}

std::optional<bool> parseBool(const QString& value)
{
    const QString v = value.trimmed().toLower();
    if (v == QLatin1String("true") || v == QLatin1String("yes") || v == QLatin1String("1"))
        return true;
    if (v == QLatin1String("false") || v == QLatin1String("no") || v == QLatin1String("0"))
        return false;
    return std::nullopt;
}

std::optional<int> parsePositive(const QString& value)
{
    bool ok = false;
    const int n = value.toInt(&ok);
    return ok && n > 0 ? std::optional<int>(n) : std::nullopt;
}

} // namespace

std::optional<ServerConfig> ServerConfig::load(const QString& path, QString* error)
{
    const auto fail = [&](const QString& reason) -> std::optional<ServerConfig> {
        *error = reason;
        return std::nullopt;
    };
    if (!QFileInfo(path).isReadable())
        return fail(QStringLiteral("cannot read config file %1").arg(path));
    QSettings ini(path, QSettings::IniFormat);
    if (ini.status() != QSettings::NoError)
        return fail(QStringLiteral("config file %1 is not a valid INI file").arg(path));

    ServerConfig config;
    if (!parseListen(ini.value(QStringLiteral("server/listen"), QStringLiteral("127.0.0.1:8080")).toString(), config))
        return fail(QStringLiteral("[server] listen must be HOST:PORT"));
    config.baseUrl = ini.value(QStringLiteral("server/base_url"),
                            QStringLiteral("http://%1:%2").arg(config.listenHost).arg(config.listenPort))
                         .toString();
    while (config.baseUrl.endsWith(QLatin1Char('/')))
        config.baseUrl.chop(1);

    const QString databaseText = ini.value(QStringLiteral("storage/database")).toString();
    const auto database = DatabaseUrl::parse(databaseText);
    if (!database)
        return fail(
            QStringLiteral("[storage] database must be sqlite:///ABSOLUTE/PATH or postgresql://USER@HOST[:PORT]/DB"));
    config.database = *database;
    config.filesFolder = ini.value(QStringLiteral("storage/files")).toString();
    if (!QFileInfo(config.filesFolder).isAbsolute())
        return fail(QStringLiteral("[storage] files must be an absolute folder path"));

    const auto signup = parseBool(ini.value(QStringLiteral("accounts/signup"), QStringLiteral("false")).toString());
    if (!signup)
        return fail(QStringLiteral("[accounts] signup must be true or false"));
    config.signup = *signup;
    const auto accessLog = parseBool(ini.value(QStringLiteral("server/access_log"), QStringLiteral("true")).toString());
    if (!accessLog)
        return fail(QStringLiteral("[server] access_log must be true or false"));
    config.accessLog = *accessLog;

    const auto threads = parsePositive(ini.value(QStringLiteral("server/threads"), config.threads).toString());
    const auto readTimeout
        = parsePositive(ini.value(QStringLiteral("server/read_timeout"), config.readTimeoutSeconds).toString());
    const auto writeTimeout
        = parsePositive(ini.value(QStringLiteral("server/write_timeout"), config.writeTimeoutSeconds).toString());
    if (!threads || !readTimeout || !writeTimeout)
        return fail(QStringLiteral("[server] threads, read_timeout and write_timeout must be positive numbers"));
    config.threads = *threads;
    config.readTimeoutSeconds = *readTimeout;
    config.writeTimeoutSeconds = *writeTimeout;
    return config;
}
