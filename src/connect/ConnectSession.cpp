#include "connect/ConnectSession.h"

#include "connect/SyncConnection.h"
#include "net/PasswordStore.h"

#include <QRegularExpression>
#include <QUrl>

const QString ConnectSession::keyringService = QStringLiteral("SemestraConnect");

namespace {

HttpRequest get(const QString& path)
{
    HttpRequest request;
    request.url = path;
    return request;
}

QString unreachable(const HttpResponse& response)
{
    return QStringLiteral("SemestraConnect did not answer (%1)").arg(response.transportError);
}

} // namespace

ConnectSession::ConnectSession(SyncConnection& connection, PasswordStore& keyring)
    : m_connection(connection)
    , m_keyring(keyring)
{ }

QString ConnectSession::account() const
{
    return m_connection.address().base();
}

QString ConnectSession::formToken(const QByteArray& page)
{
    static const QRegularExpression hidden(QStringLiteral("name=\"csrf_token\" value=\"([^\"]*)\""));
    return hidden.match(QString::fromUtf8(page)).captured(1);
}

Status ConnectSession::logIn(const QString& user, const QString& password)
{
    const HttpResponse form = m_connection.sendAndWait(get(QStringLiteral("/login")));
    if (!form.answered())
        return Status::failure(unreachable(form));
    const QString token = formToken(form.body);
    if (token.isEmpty())
        return Status::failure(QStringLiteral("%1 does not offer a SemestraConnect login").arg(account()));
    m_connection.setSessionCookie({});
    const HttpResponse done = m_connection.sendAndWait(SyncConnection::formPost(QStringLiteral("/login"),
        { { QStringLiteral("username"), user }, { QStringLiteral("password"), password },
            { QStringLiteral("csrf_token"), token } }));
    if (!done.answered())
        return Status::failure(unreachable(done));
    if (m_connection.sessionCookie().isEmpty())
        return Status::failure(QStringLiteral("SemestraConnect refused the user name or password"));
    return Status::success();
}

Status ConnectSession::restore()
{
    const PasswordStore::Lookup lookup = m_keyring.readPassword(keyringService, account());
    if (lookup.state == PasswordStore::Lookup::State::Found && !lookup.password.isEmpty()) {
        m_connection.setSessionCookie(lookup.password);
        return Status::success();
    }
    if (lookup.state == PasswordStore::Lookup::State::Found || lookup.state == PasswordStore::Lookup::State::NotStored)
        return Status::failure(QStringLiteral("Not logged in to SemestraConnect at %1.").arg(account()));
    return Status::failure(lookup.reason);
}

Status ConnectSession::remember()
{
    return m_keyring.writePassword(keyringService, account(), m_connection.sessionCookie());
}

Result<ConnectSession::Ending> ConnectSession::logOut()
{
    if (m_connection.sessionCookie().isEmpty()) {
        const PasswordStore::Lookup lookup = m_keyring.readPassword(keyringService, account());
        switch (lookup.state) {
        case PasswordStore::Lookup::State::NoKeyring:
            return Ending::NoKeyring;
        case PasswordStore::Lookup::State::NotStored:
            return Ending::NoneStored;
        case PasswordStore::Lookup::State::Failed:
            return Result<Ending>::failure(lookup.reason);
        case PasswordStore::Lookup::State::Found:
            m_connection.setSessionCookie(lookup.password);
            break;
        }
    }
    if (const Status ended = endOnService(); !ended)
        return Result<Ending>::failure(ended.error());
    m_connection.setSessionCookie({});
    if (const Status forgotten = m_keyring.deletePassword(keyringService, account()); !forgotten)
        return Result<Ending>::failure(forgotten.error());
    return Ending::Ended;
}

QString ConnectSession::describe(Ending ending, const QString& address)
{
    switch (ending) {
    case Ending::Ended:
        return QStringLiteral("Logged out of SemestraConnect at %1").arg(address);
    case Ending::NoneStored:
        return QStringLiteral("No SemestraConnect session was kept for %1: nothing to log out").arg(address);
    case Ending::NoKeyring:
        return QStringLiteral("No desktop keyring runs here, so no SemestraConnect session was kept for %1: nothing "
                              "to log out")
            .arg(address);
    }
    return {};
}

Status ConnectSession::endOnService()
{
    if (m_connection.sessionCookie().isEmpty())
        return Status::success();
    const HttpResponse page = m_connection.sendAndWait(get(QStringLiteral("/")));
    if (!page.answered())
        return Status::failure(unreachable(page));
    // No form token: the service has already ended the session.
    const QString token = formToken(page.body);
    if (token.isEmpty())
        return Status::success();
    const HttpResponse done = m_connection.sendAndWait(
        SyncConnection::formPost(QStringLiteral("/logout"), { { QStringLiteral("csrf_token"), token } }));
    if (!done.answered())
        return Status::failure(unreachable(done));
    if (done.status >= 400)
        return Status::failure(QStringLiteral("SemestraConnect did not end the session (%1)").arg(done.status));
    return Status::success();
}
