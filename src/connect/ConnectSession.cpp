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

bool ConnectSession::restore()
{
    const PasswordStore::Lookup lookup = m_keyring.readPassword(keyringService, account());
    if (lookup.state != PasswordStore::Lookup::State::Found || lookup.password.isEmpty())
        return false;
    m_connection.setSessionCookie(lookup.password);
    return true;
}

Status ConnectSession::remember()
{
    return m_keyring.writePassword(keyringService, account(), m_connection.sessionCookie());
}

Status ConnectSession::logOut()
{
    if (m_connection.sessionCookie().isEmpty())
        restore();
    if (!m_connection.sessionCookie().isEmpty()) {
        const HttpResponse page = m_connection.sendAndWait(get(QStringLiteral("/")));
        if (!page.answered())
            return Status::failure(unreachable(page));
        // No form token: the service has already ended the session.
        const QString token = formToken(page.body);
        if (!token.isEmpty()) {
            const HttpResponse done = m_connection.sendAndWait(
                SyncConnection::formPost(QStringLiteral("/logout"), { { QStringLiteral("csrf_token"), token } }));
            if (!done.answered())
                return Status::failure(unreachable(done));
            if (done.status >= 400)
                return Status::failure(QStringLiteral("SemestraConnect did not end the session (%1)").arg(done.status));
        }
    }
    m_connection.setSessionCookie({});
    return m_keyring.deletePassword(keyringService, account());
}
