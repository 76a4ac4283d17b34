#pragma once

#include "net/PasswordStore.h"

// Passwords in the desktop keyring (the Secret Service of GNOME Keyring or
// KeePassXC, or KWallet) through QtKeychain. Each call waits for the keyring
// in a local event loop; where no keyring runs, reading says so and why, and
// nothing is written anywhere else.
class KeychainPasswordStore : public PasswordStore {
public:
    Lookup readPassword(const QString& service, const QString& account) override;
    Status writePassword(const QString& service, const QString& account, const QString& password) override;
    Status deletePassword(const QString& service, const QString& account) override;
};
