#include "connect/BrowserLogin.h"

#include "connect/SyncConnection.h"

#include <QJsonDocument>
#include <QJsonObject>

BrowserLogin::BrowserLogin(SyncConnection& connection, QObject* parent)
    : QObject(parent)
    , m_connection(connection)
{
    m_timer.setInterval(2000);
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &BrowserLogin::poll);
}

void BrowserLogin::start(const QString& label)
{
    cancel();
    m_connection.send(
        SyncConnection::formPost(QStringLiteral("/desktop/login/start"), { { QStringLiteral("label"), label } }),
        [this](const HttpResponse& r) { started(int(r.status), r.body); });
}

void BrowserLogin::started(int status, const QByteArray& body)
{
    const QJsonObject answer = QJsonDocument::fromJson(body).object();
    const QUrl page(answer.value(QStringLiteral("login_url")).toString());
    m_pollToken = answer.value(QStringLiteral("poll_token")).toString().toUtf8();
    if (status != 200 || !page.isValid() || page.isEmpty() || m_pollToken.isEmpty())
        return fail(QStringLiteral("SemestraConnect at %1 does not offer a login for the planner (%2).")
                        .arg(m_connection.address().base())
                        .arg(status));
    // A service that does not know its public address answers a bare path.
    emit openBrowser(page.isRelative() ? QUrl(m_connection.address().base()).resolved(page) : page);
    m_timer.start();
}

void BrowserLogin::poll()
{
    m_connection.send(SyncConnection::formPost(QStringLiteral("/desktop/login/poll"),
                          { { QStringLiteral("poll_token"), QString::fromUtf8(m_pollToken) } }),
        [this](const HttpResponse& r) {
            if (r.status == 202 || !r.answered())
                return m_timer.start();
            if (r.status == 200 && !m_connection.sessionCookie().isEmpty()) {
                m_pollToken.clear();
                return emit loggedIn();
            }
            fail(r.status == 410
                    ? QStringLiteral("The login page expired before the planner was allowed. Try again.")
                    : QStringLiteral("SemestraConnect answered %1 while the planner waited.").arg(r.status));
        });
}

void BrowserLogin::cancel()
{
    m_timer.stop();
    m_pollToken.clear();
    m_connection.abandon();
}

void BrowserLogin::fail(const QString& reason)
{
    m_timer.stop();
    m_pollToken.clear();
    emit failed(reason);
}
