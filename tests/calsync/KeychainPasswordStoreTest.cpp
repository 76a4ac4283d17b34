#include "net/KeychainPasswordStore.h"

#include <gtest/gtest.h>

// Where no keyring runs (no session bus), the teacher is told why, no
// password is put anywhere else, and there is nothing to forget.
TEST(KeychainPasswordStoreTest, WithoutAKeyringReadingSaysWhyWritingFailsAndForgettingSucceeds)
{
    const QByteArray bus = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/semestra-test-bus");
    KeychainPasswordStore keyring;

    const PasswordStore::Lookup lookup
        = keyring.readPassword(QStringLiteral("Semestra Test"), QStringLiteral("nobody"));
    const Status written
        = keyring.writePassword(QStringLiteral("Semestra Test"), QStringLiteral("nobody"), QStringLiteral("secret"));

    EXPECT_EQ(lookup.state, PasswordStore::Lookup::State::NoKeyring);
    EXPECT_FALSE(lookup.reason.isEmpty());
    EXPECT_FALSE(written.ok());
    EXPECT_TRUE(keyring.deletePassword(QStringLiteral("Semestra Test"), QStringLiteral("nobody")).ok());
    if (bus.isEmpty())
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    else
        qputenv("DBUS_SESSION_BUS_ADDRESS", bus);
}
