#pragma once

#include "foundation/core/Result.h"

#include <QList>
#include <QString>

#include <optional>

class Storage;

struct Account {
    qint64 id = 0;
    QString username;
    bool disabled = false;
    qint64 yearId = -1; // -1: the account holds no year
    bool administrator = false; // reads the feedback
};

enum class SessionKind { Web, Desktop };

struct Session {
    qint64 id = 0;
    Account account;
    SessionKind kind = SessionKind::Web;
    QString csrfToken; // for the forms of the pages this session sees
    QString label;
    qint64 createdAt = 0; // seconds since 1970
};

// Accounts, their sessions and the one-time form tokens, all in the database.
class Accounts {
public:
    static constexpr qint64 WebSessionSeconds = 14 * 24 * 3600;
    static constexpr qint64 DesktopSessionSeconds = 365 * 24 * 3600;
    static constexpr qint64 FormTokenSeconds = 24 * 3600;

    explicit Accounts(Storage& storage);

    static bool isValidUsername(const QString& username);
    static bool isValidPassword(const QString& password);

    Status add(const QString& username, const QString& password);
    Status resetPassword(const QString& username, const QString& password);
    Status disable(const QString& username);
    Status setAdministrator(const QString& username, bool administrator);
    Status remove(qint64 accountId);
    std::optional<QList<Account>> list();
    std::optional<Account> find(const QString& username);

    // The enabled account with this name and password, else nothing.
    std::optional<Account> authenticate(const QString& username, const QString& password);
    bool setYear(qint64 accountId, qint64 yearId);

    // The new session's cookie value; only its digest is stored.
    std::optional<QString> startSession(qint64 accountId, SessionKind kind, const QString& label = {});
    // A live session of an enabled account.
    std::optional<Session> session(const QString& cookie);
    void endSession(const QString& cookie);
    bool endSessions(qint64 accountId);
    bool revokeSession(qint64 accountId, qint64 sessionId);
    std::optional<QList<Session>> sessions(qint64 accountId);

    // Tokens that a later form must carry back. An account-less token guards
    // the login form, whose page has no session yet.
    std::optional<QString> issueFormToken(std::optional<qint64> accountId, const QString& purpose);
    bool checkFormToken(const QString& token, std::optional<qint64> accountId, const QString& purpose);

private:
    Status endSessionsOf(const QString& username);

    Storage& m_storage;
};
