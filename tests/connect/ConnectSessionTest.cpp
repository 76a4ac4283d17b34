#include "connect/ConnectSession.h"

#include "SyncFixture.h"
#include "connect/SyncConnection.h"
#include "testlib/FileHash.h"
#include "testlib/MemoryPasswordStore.h"

namespace {

bool sessionWorks(const ServiceAddress& address, const QString& cookie)
{
    SyncConnection connection(address);
    connection.setSessionCookie(cookie);
    HttpRequest check;
    check.url = QStringLiteral("/loginremote?version=1");
    return connection.sendAndWait(check).status == 200;
}

} // namespace

// Logging out with whatever the keyring holds, or cannot hold.
class ConnectSessionTest : public SyncFixture {
protected:
    ServiceAddress address() const { return *ServiceAddress::parse(m_server.address()); }

    // A session of "teacher" kept in the keyring; answers its cookie.
    QString keepSession()
    {
        SyncConnection connection(address());
        ConnectSession session(connection, keyring);
        EXPECT_TRUE(session.logIn(QStringLiteral("teacher"), password));
        EXPECT_TRUE(session.remember());
        return connection.sessionCookie();
    }

    Result<ConnectSession::Ending> logOut()
    {
        SyncConnection connection(address());
        return ConnectSession(connection, keyring).logOut();
    }

    MemoryPasswordStore keyring;
};

TEST_F(ConnectSessionTest, AKeptSessionIsEndedOnTheServiceAndForgotten)
{
    const QString cookie = keepSession();
    ASSERT_TRUE(sessionWorks(address(), cookie));
    const auto ended = logOut();
    ASSERT_TRUE(ended) << ended.error().toStdString();
    EXPECT_EQ(*ended, ConnectSession::Ending::Ended);
    EXPECT_TRUE(keyring.kept.isEmpty());
    EXPECT_FALSE(sessionWorks(address(), cookie));
}

TEST_F(ConnectSessionTest, WithNothingKeptOrNoKeyringThereIsNothingToDoAndNothingIsSent)
{
    newRequests();
    const auto none = logOut();
    keyring.running = false;
    const auto noKeyring = logOut();
    ASSERT_TRUE(none);
    ASSERT_TRUE(noKeyring);
    EXPECT_EQ(*none, ConnectSession::Ending::NoneStored);
    EXPECT_EQ(*noKeyring, ConnectSession::Ending::NoKeyring);
    EXPECT_TRUE(newRequests().isEmpty());
}

TEST_F(ConnectSessionTest, AKeyringThatFailsWithASessionKeptIsAnError)
{
    const QString cookie = keepSession();
    keyring.refusesChanges = true;
    const auto refused = logOut();
    ASSERT_FALSE(refused);
    EXPECT_TRUE(refused.error().contains(QLatin1String("refused"))) << refused.error().toStdString();
    EXPECT_FALSE(keyring.kept.isEmpty());

    keyring.refusesChanges = false;
    keyring.unreadable = true;
    const auto unread = logOut();
    ASSERT_FALSE(unread);
    EXPECT_FALSE(unread.error().isEmpty());
}

TEST_F(ConnectSessionTest, RestoringWithoutAKeyringSaysWhyRatherThanNotLoggedIn)
{
    SyncConnection connection(address());
    ConnectSession session(connection, keyring);
    const Status notStored = session.restore();
    keyring.running = false;
    const Status noKeyring = session.restore();
    EXPECT_TRUE(notStored.error().contains(QLatin1String("Not logged in"))) << notStored.error().toStdString();
    EXPECT_EQ(noKeyring.error(), QStringLiteral("No keyring is running."));
    keyring.running = true;
    keepSession();
    EXPECT_TRUE(session.restore());
    EXPECT_FALSE(connection.sessionCookie().isEmpty());
}

// semestra-cli on a machine without a desktop session: no D-Bus, so no keyring.
class ConnectSessionCliTest : public SyncFixture {
protected:
    void SetUp() override
    {
        SyncFixture::SetUp();
        m_cliEnvironment.insert(
            QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("unix:path=") + path(QStringLiteral("no-bus")));
    }
};

TEST_F(ConnectSessionCliTest, LogOutWithoutAKeyringSucceedsAndSaysThereWasNothingToEnd)
{
    const CliRun run = this->run({ QStringLiteral("sync-logout"), QStringLiteral("--server"), m_server.address() });
    EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_TRUE(run.out.contains(QLatin1String("nothing to log out"))) << run.out.toStdString();
    EXPECT_TRUE(run.errors.isEmpty()) << run.errors.toStdString();
}

TEST_F(ConnectSessionCliTest, SyncWithoutAUserOrKeyringFailsWithOneClearLine)
{
    const QString file = smallYear();
    const QByteArray before = fileHash(file);
    const CliRun run = this->run({ QStringLiteral("sync"), file, QStringLiteral("--server"), m_server.address() });
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.errors.trimmed().count(QLatin1Char('\n')), 0) << run.errors.toStdString();
    EXPECT_TRUE(run.errors.contains(QLatin1String("No desktop keyring"))) << run.errors.toStdString();
    EXPECT_TRUE(run.errors.contains(QLatin1String("--user"))) << run.errors.toStdString();
    EXPECT_FALSE(run.errors.contains(QLatin1String("Unknown error")));
    EXPECT_EQ(fileHash(file), before);
}
