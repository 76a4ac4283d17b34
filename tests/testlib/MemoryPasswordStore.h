#pragma once

#include "net/PasswordStore.h"

#include <QHash>

// A keyring that keeps passwords in memory, or one that is not running.
class MemoryPasswordStore : public PasswordStore {
public:
    bool running = true;
    // By "service/account".
    QHash<QString, QString> kept;

    Lookup readPassword(const QString& service, const QString& account) override
    {
        if (!running)
            return { Lookup::State::NoKeyring, {}, QStringLiteral("No keyring is running.") };
        const QString key = service + QLatin1Char('/') + account;
        return kept.contains(key) ? Lookup { Lookup::State::Found, kept.value(key), {} } : Lookup {};
    }
    Status writePassword(const QString& service, const QString& account, const QString& password) override
    {
        if (!running)
            return Status::failure(QStringLiteral("No keyring is running."));
        kept.insert(service + QLatin1Char('/') + account, password);
        return Status::success();
    }
    Status deletePassword(const QString& service, const QString& account) override
    {
        kept.remove(service + QLatin1Char('/') + account);
        return Status::success();
    }
};
