#pragma once

#include "foundation/core/Result.h"

class PasswordStore;
class SyncConnection;

// The teacher's session with SemestraConnect. Only the session cookie is
// kept, in the desktop keyring under the service's address, never in a
// file: whoever holds it can change the teacher's online plans.
class ConnectSession {
public:
    static const QString keyringService;

    // How a log-out ended: a session was ended on the service and
    // forgotten, or there was none to end.
    enum class Ending { Ended, NoneStored, NoKeyring };

    ConnectSession(SyncConnection& connection, PasswordStore& keyring);

    // Logs in with a user name and password through the service's own login
    // form, for scripts and tests; the program itself uses the browser.
    Status logIn(const QString& user, const QString& password);
    // Takes the session the keyring holds for this address; fails, saying
    // why, without one.
    Status restore();
    // Keeps the connection's session in the keyring.
    Status remember();
    // Ends the session on the service and forgets it here. A session the
    // service no longer knows is simply forgotten; with none kept (or no
    // keyring to keep one) there is nothing to do.
    Result<Ending> logOut();
    // What a log-out did, for the status line and the command line.
    static QString describe(Ending ending, const QString& address);

private:
    QString account() const;
    Status endOnService();
    // The hidden form token of a page of the service, or empty.
    static QString formToken(const QByteArray& page);

    SyncConnection& m_connection;
    PasswordStore& m_keyring;
};
