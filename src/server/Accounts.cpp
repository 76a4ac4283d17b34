#include "server/Accounts.h"

#include "server/Secrets.h"
#include "server/Storage.h"

#include <QDateTime>
#include <QRegularExpression>

namespace {

qint64 now()
{
    return QDateTime::currentSecsSinceEpoch();
}

QString kindName(SessionKind kind)
{
    return kind == SessionKind::Desktop ? QStringLiteral("desktop") : QStringLiteral("web");
}

Account accountFrom(const QSqlQuery& row, int first)
{
    return Account { row.value(first).toLongLong(), row.value(first + 1).toString(), row.value(first + 2).toInt() != 0,
        row.value(first + 3).toLongLong(), row.value(first + 4).toInt() != 0 };
}

const QString accountColumns = QStringLiteral("a.id, a.username, a.disabled, a.year_id, a.administrator");

} // namespace

Accounts::Accounts(Storage& storage)
    : m_storage(storage)
{ }

bool Accounts::isValidUsername(const QString& username)
{
    static const QRegularExpression allowed(QStringLiteral("^[A-Za-z0-9._@-]{1,64}$"));
    return allowed.match(username).hasMatch();
}

bool Accounts::isValidPassword(const QString& password)
{
    return password.size() >= 8 && password.size() <= 1024;
}

Status Accounts::add(const QString& username, const QString& password)
{
    if (!isValidUsername(username))
        return Status::failure(QStringLiteral("user names are 1 to 64 letters, digits or . _ @ -"));
    if (!isValidPassword(password))
        return Status::failure(QStringLiteral("passwords need at least 8 characters"));
    if (find(username))
        return Status::failure(QStringLiteral("user %1 exists already").arg(username));
    const auto hash = Secrets::hashPassword(password);
    if (!hash)
        return Status::failure(QStringLiteral("cannot hash the password"));
    if (!m_storage.run(QStringLiteral("INSERT INTO accounts (username, password_hash, created_at) VALUES (?, ?, ?)"),
            { username, *hash, now() }))
        return Status::failure(QStringLiteral("cannot add user %1").arg(username));
    return Status::success();
}

Status Accounts::resetPassword(const QString& username, const QString& password)
{
    if (!isValidPassword(password))
        return Status::failure(QStringLiteral("passwords need at least 8 characters"));
    const auto hash = Secrets::hashPassword(password);
    if (!hash)
        return Status::failure(QStringLiteral("cannot hash the password"));
    if (!find(username))
        return Status::failure(QStringLiteral("no user %1").arg(username));
    if (!m_storage.run(QStringLiteral("UPDATE accounts SET password_hash = ?, disabled = 0 WHERE username = ?"),
            { *hash, username }))
        return Status::failure(QStringLiteral("cannot reset user %1").arg(username));
    // A new password shuts out whoever knew the old one.
    return endSessionsOf(username);
}

Status Accounts::disable(const QString& username)
{
    if (!find(username))
        return Status::failure(QStringLiteral("no user %1").arg(username));
    if (!m_storage.run(QStringLiteral("UPDATE accounts SET disabled = 1 WHERE username = ?"), { username }))
        return Status::failure(QStringLiteral("cannot disable user %1").arg(username));
    return endSessionsOf(username);
}

Status Accounts::setAdministrator(const QString& username, bool administrator)
{
    if (!find(username))
        return Status::failure(QStringLiteral("no user %1").arg(username));
    if (!m_storage.run(QStringLiteral("UPDATE accounts SET administrator = ? WHERE username = ?"),
            { int(administrator), username }))
        return Status::failure(QStringLiteral("cannot change user %1").arg(username));
    return Status::success();
}

Status Accounts::endSessionsOf(const QString& username)
{
    const auto account = find(username);
    if (!account || !endSessions(account->id))
        return Status::failure(QStringLiteral("cannot end the sessions of user %1").arg(username));
    return Status::success();
}

Status Accounts::remove(qint64 accountId)
{
    // Sessions, tokens and records go with the account (ON DELETE CASCADE).
    if (!m_storage.run(QStringLiteral("DELETE FROM accounts WHERE id = ?"), { accountId }))
        return Status::failure(QStringLiteral("cannot delete the account"));
    return Status::success();
}

std::optional<QList<Account>> Accounts::list()
{
    auto rows = m_storage.run(QStringLiteral("SELECT %1 FROM accounts a ORDER BY a.username").arg(accountColumns));
    if (!rows)
        return std::nullopt;
    QList<Account> accounts;
    while (rows->next())
        accounts.append(accountFrom(*rows, 0));
    return accounts;
}

std::optional<Account> Accounts::find(const QString& username)
{
    auto row = m_storage.run(
        QStringLiteral("SELECT %1 FROM accounts a WHERE a.username = ?").arg(accountColumns), { username });
    if (!row || !row->next())
        return std::nullopt;
    return accountFrom(*row, 0);
}

std::optional<Account> Accounts::authenticate(const QString& username, const QString& password)
{
    auto row = m_storage.run(
        QStringLiteral("SELECT %1, a.password_hash FROM accounts a WHERE a.username = ?").arg(accountColumns),
        { username });
    if (!row || !row->next())
        return std::nullopt;
    const Account account = accountFrom(*row, 0);
    if (account.disabled || !Secrets::verifyPassword(row->value(5).toString(), password))
        return std::nullopt;
    return account;
}

bool Accounts::setYear(qint64 accountId, qint64 yearId)
{
    return m_storage.run(QStringLiteral("UPDATE accounts SET year_id = ? WHERE id = ?"), { yearId, accountId })
        .has_value();
}

std::optional<QString> Accounts::startSession(qint64 accountId, SessionKind kind, const QString& label)
{
    const QString cookie = Secrets::randomToken();
    const qint64 lifetime = kind == SessionKind::Desktop ? DesktopSessionSeconds : WebSessionSeconds;
    m_storage.run(QStringLiteral("DELETE FROM sessions WHERE expires_at <= ?"), { now() });
    if (!m_storage.run(QStringLiteral("INSERT INTO sessions (token_hash, account_id, kind, csrf_token, label,"
                                      " created_at, expires_at) VALUES (?, ?, ?, ?, ?, ?, ?)"),
            { Secrets::tokenDigest(cookie), accountId, kindName(kind), Secrets::randomToken(), label, now(),
                now() + lifetime }))
        return std::nullopt;
    return cookie;
}

std::optional<Session> Accounts::session(const QString& cookie)
{
    if (cookie.isEmpty())
        return std::nullopt;
    auto row = m_storage.run(QStringLiteral("SELECT s.id, s.kind, s.csrf_token, s.label, %1 FROM sessions s"
                                            " JOIN accounts a ON a.id = s.account_id"
                                            " WHERE s.token_hash = ? AND s.expires_at > ? AND a.disabled = 0")
                                 .arg(accountColumns),
        { Secrets::tokenDigest(cookie), now() });
    if (!row || !row->next())
        return std::nullopt;
    return Session { row->value(0).toLongLong(), accountFrom(*row, 4),
        row->value(1).toString() == QLatin1String("desktop") ? SessionKind::Desktop : SessionKind::Web,
        row->value(2).toString(), row->value(3).toString() };
}

void Accounts::endSession(const QString& cookie)
{
    m_storage.run(QStringLiteral("DELETE FROM sessions WHERE token_hash = ?"), { Secrets::tokenDigest(cookie) });
}

bool Accounts::endSessions(qint64 accountId)
{
    return m_storage.run(QStringLiteral("DELETE FROM sessions WHERE account_id = ?"), { accountId }).has_value();
}

bool Accounts::revokeSession(qint64 accountId, qint64 sessionId)
{
    auto done = m_storage.run(
        QStringLiteral("DELETE FROM sessions WHERE id = ? AND account_id = ?"), { sessionId, accountId });
    return done && done->numRowsAffected() > 0;
}

std::optional<QList<Session>> Accounts::sessions(qint64 accountId)
{
    auto rows = m_storage.run(QStringLiteral("SELECT s.id, s.kind, s.label, s.created_at FROM sessions s"
                                             " WHERE s.account_id = ? AND s.expires_at > ? ORDER BY s.id"),
        { accountId, now() });
    if (!rows)
        return std::nullopt;
    QList<Session> all;
    while (rows->next()) {
        Session s;
        s.id = rows->value(0).toLongLong();
        s.kind = rows->value(1).toString() == QLatin1String("desktop") ? SessionKind::Desktop : SessionKind::Web;
        s.label = rows->value(2).toString();
        s.createdAt = rows->value(3).toLongLong();
        all.append(s);
    }
    return all;
}

std::optional<QString> Accounts::issueFormToken(std::optional<qint64> accountId, const QString& purpose)
{
    const QString token = Secrets::randomToken();
    m_storage.run(QStringLiteral("DELETE FROM form_tokens WHERE expires_at <= ?"), { now() });
    const QVariant owner = accountId ? QVariant(*accountId) : QVariant(QMetaType::fromType<qint64>());
    if (!m_storage.run(QStringLiteral("INSERT INTO form_tokens (token, account_id, purpose, expires_at)"
                                      " VALUES (?, ?, ?, ?)"),
            { token, owner, purpose, now() + FormTokenSeconds }))
        return std::nullopt;
    return token;
}

bool Accounts::checkFormToken(const QString& token, std::optional<qint64> accountId, const QString& purpose)
{
    if (token.isEmpty())
        return false;
    const QString sql = accountId
        ? QStringLiteral("SELECT 1 FROM form_tokens WHERE token = ? AND purpose = ? AND expires_at > ?"
                         " AND account_id = ?")
        : QStringLiteral("SELECT 1 FROM form_tokens WHERE token = ? AND purpose = ? AND expires_at > ?"
                         " AND account_id IS NULL");
    QVariantList values { token, purpose, now() };
    if (accountId)
        values.append(*accountId);
    return m_storage.scalar(sql, values).has_value();
}
