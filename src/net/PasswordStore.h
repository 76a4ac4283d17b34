#pragma once

#include "foundation/core/Result.h"

// Where the passwords of servers the teacher signs in to are kept (calendar
// servers, the site upload), by service and account. The desktop keyring in
// the application; a fixed or scripted one in tests and for passwords given
// on the command line.
class PasswordStore {
public:
    struct Lookup {
        // NoKeyring: no keyring service runs, so nothing can be kept.
        // Failed: a keyring runs but refused or failed to answer.
        enum class State { Found, NotStored, NoKeyring, Failed };
        State state = State::NotStored;
        QString password;
        // Why the keyring could not be asked, for the teacher.
        QString reason;
    };

    virtual ~PasswordStore() = default;

    virtual Lookup readPassword(const QString& service, const QString& account) = 0;
    virtual Status writePassword(const QString& service, const QString& account, const QString& password) = 0;
    virtual Status deletePassword(const QString& service, const QString& account) = 0;
};
