#include "net/KeychainPasswordStore.h"

#include <QEventLoop>
#include <qt6keychain/keychain.h>

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
        return { Lookup::State::NoKeyring, {},
            QStringLiteral("The desktop keyring could not be used: %1").arg(job.errorString()) };
    }
}

Status KeychainPasswordStore::writePassword(const QString& service, const QString& account, const QString& password)
{
    QKeychain::WritePasswordJob job(service);
    job.setKey(account);
    job.setTextData(password);
    if (finish(job) != QKeychain::NoError)
        return Status::failure(
            QStringLiteral("The desktop keyring could not keep the password: %1").arg(job.errorString()));
    return Status::success();
}

Status KeychainPasswordStore::deletePassword(const QString& service, const QString& account)
{
    QKeychain::DeletePasswordJob job(service);
    job.setKey(account);
    const QKeychain::Error error = finish(job);
    if (error != QKeychain::NoError && error != QKeychain::EntryNotFound)
        return Status::failure(
            QStringLiteral("The desktop keyring could not forget the password: %1").arg(job.errorString()));
    return Status::success();
}
