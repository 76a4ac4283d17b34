#pragma once

#include "net/PasswordStore.h"

#include <QHash>

// A keyring that keeps passwords in memory, one that is not running, or
// one that runs but fails.
class MemoryPasswordStore : public PasswordStore {
public:
    bool running = true;
    // A running keyring that cannot be read, or that refuses changes.
    bool unreadable = false;
    bool refusesChanges = false;
    // By "service/account".
    QHash<QString, QString> kept;

    Lookup readPassword(const QString& service, const QString& account) override
    {
        if (!running)
            return { Lookup::State::NoKeyring, {}, QStringLiteral("No keyring is running.") };
        if (unreadable)
            return { Lookup::State::Failed, {}, QStringLiteral("The keyring is locked.") };
        const QString key = service + QLatin1Char('/') + account;
        return kept.contains(key) ? Lookup { Lookup::State::Found, kept.value(key), {} } : Lookup {};
    }
    Status writePassword(const QString& service, const QString& account, const QString& password) override
    {
        if (!running)
            return Status::failure(QStringLiteral("No keyring is running."));
        if (refusesChanges)
            return Status::failure(QStringLiteral("The keyring refused the change."));
        kept.insert(service + QLatin1Char('/') + account, password);
        return Status::success();
    }
    Status deletePassword(const QString& service, const QString& account) override
    {
        if (refusesChanges)
            return Status::failure(QStringLiteral("The keyring refused the change."));
        kept.remove(service + QLatin1Char('/') + account);
        return Status::success();
    }
};
