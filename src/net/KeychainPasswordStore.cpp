#include "net/KeychainPasswordStore.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QEventLoop>
#include <qt6keychain/keychain.h>

#include <algorithm>

namespace {

// Runs the job to its end and answers its error, if any.
QKeychain::Error finish(QKeychain::Job& job)
{
    job.setAutoDelete(false);
    // Never a plain-text file instead of the keyring.
    job.setInsecureFallback(false);
    QEventLoop loop;
    QObject::connect(&job, &QKeychain::Job::finished, &loop, &QEventLoop::quit);
    job.start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    return job.error();
}

// QtKeychain answers "Unknown error" alike when no keyring runs at all and
// when a running one fails; the session bus tells the two apart.
bool keyringServiceExists()
{
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface())
        return false;
    static const QStringList keyrings { QStringLiteral("org.freedesktop.secrets"), QStringLiteral("org.kde.kwalletd5"),
        QStringLiteral("org.kde.kwalletd6") };
    const QStringList activatable = bus.interface()->activatableServiceNames();
    return std::any_of(keyrings.begin(), keyrings.end(),
        [&](const QString& name) { return activatable.contains(name) || bus.interface()->isServiceRegistered(name); });
}

const QString noKeyring = QStringLiteral("No desktop keyring is running (no Secret Service or KWallet).");

} // namespace

PasswordStore::Lookup KeychainPasswordStore::readPassword(const QString& service, const QString& account)
{
    QKeychain::ReadPasswordJob job(service);
    job.setKey(account);
    switch (finish(job)) {
    case QKeychain::NoError:
        return { Lookup::State::Found, job.textData(), {} };
    case QKeychain::EntryNotFound:
        return { Lookup::State::NotStored, {}, {} };
    default:
        if (!keyringServiceExists())
            return { Lookup::State::NoKeyring, {}, noKeyring };
        return { Lookup::State::Failed, {},
            QStringLiteral("The desktop keyring could not be used: %1").arg(job.errorString()) };
    }
}

Status KeychainPasswordStore::writePassword(const QString& service, const QString& account, const QString& password)
{
    QKeychain::WritePasswordJob job(service);
    job.setKey(account);
    job.setTextData(password);
    if (finish(job) != QKeychain::NoError)
        return Status::failure(QStringLiteral("The desktop keyring could not keep the password: %1")
                                   .arg(keyringServiceExists() ? job.errorString() : noKeyring));
    return Status::success();
}

Status KeychainPasswordStore::deletePassword(const QString& service, const QString& account)
{
    QKeychain::DeletePasswordJob job(service);
    job.setKey(account);
    const QKeychain::Error error = finish(job);
    // Where no keyring runs, nothing was ever kept: there is nothing to forget.
    if (error != QKeychain::NoError && error != QKeychain::EntryNotFound && keyringServiceExists())
        return Status::failure(
            QStringLiteral("The desktop keyring could not forget the password: %1").arg(job.errorString()));
    return Status::success();
}
