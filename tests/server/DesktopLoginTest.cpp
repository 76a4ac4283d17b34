#include "ConnectTestServer.h"
#include "ProtocolClient.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

class DesktopLoginTest : public testing::Test {
protected:
    void SetUp() override
    {
        QString error;
        ASSERT_TRUE(m_server.start(&error)) << error.toStdString();
        m_server.addAccount(QStringLiteral("anna"), QStringLiteral("password-anna"));
        program.emplace(m_server.port());
        browser.emplace(m_server.port());
        const Reply started = program->postForm("/desktop/login/start", { { "label", "<b>Anna's Mac</b>" } });
        ASSERT_EQ(started.status, 200);
        const QJsonObject answer = QJsonDocument::fromJson(QByteArray::fromStdString(started.body)).object();
        const QUrl login(answer.value(QStringLiteral("login_url")).toString());
        loginPath = (login.path() + QLatin1Char('?') + login.query(QUrl::FullyEncoded)).toStdString();
        pollToken = answer.value(QStringLiteral("poll_token")).toString().toStdString();
        ASSERT_EQ(loginPath.rfind("/desktop/confirm?request=", 0), 0u);
        ASSERT_EQ(pollToken.size(), 64u);
    }

    Reply poll() { return program->postForm("/desktop/login/poll", { { "poll_token", pollToken } }); }

    // The teacher logs in in the browser and allows the program->
    Reply allow()
    {
        const std::string token = ProtocolClient::csrfToken(browser->get(loginPath).body);
        return browser->postForm("/desktop/confirm",
            { { "request", loginPath.substr(25) }, { "decision", "allow" }, { "csrf_token", token } });
    }

    ConnectTestServer m_server { Backend::Sqlite };
    std::optional<ProtocolClient> program;
    std::optional<ProtocolClient> browser;
    std::string loginPath;
    std::string pollToken;
};

TEST_F(DesktopLoginTest, ProgramGetsASessionOfItsOwnOnceTheTeacherAllowsIt)
{
    EXPECT_EQ(poll().status, 202);
    // A browser without a session goes through the login form and back.
    const Reply redirected = browser->get(loginPath);
    EXPECT_EQ(redirected.status, 303);
    const QString location = QString::fromStdString(redirected.header("Location"));
    EXPECT_EQ(QUrl::fromPercentEncoding(location.toUtf8()).toStdString(), "/login?next=" + loginPath);
    ASSERT_TRUE(browser->logIn("anna", "password-anna"));
    const Reply page = browser->get(loginPath);
    EXPECT_NE(page.body.find("Allow Semestra on this computer to sync?"), std::string::npos);
    EXPECT_NE(page.body.find("&lt;b&gt;Anna"), std::string::npos);
    EXPECT_EQ(page.body.find("<b>Anna"), std::string::npos);
    EXPECT_EQ(browser
                  ->postForm("/desktop/confirm",
                      { { "request", loginPath.substr(25) }, { "decision", "allow" }, { "csrf_token", "x" } })
                  .status,
        403);
    EXPECT_EQ(poll().status, 202);

    const std::string browserToken = ProtocolClient::csrfToken(page.body);
    EXPECT_EQ(allow().status, 200);
    const Reply loggedIn = poll();
    EXPECT_EQ(loggedIn.status, 200);
    EXPECT_NE(program->cookie("semestra_session"), browser->cookie("semestra_session"));
    EXPECT_EQ(program->get("/loginremote?version=1").body, "loggedin:-1");
    // The poll token is spent.
    EXPECT_EQ(poll().status, 410);
    EXPECT_EQ(browser->get(loginPath).status, 410);
    EXPECT_EQ(browser
                  ->postForm("/desktop/confirm",
                      { { "request", loginPath.substr(25) }, { "decision", "allow" }, { "csrf_token", browserToken } })
                  .status,
        410);
}

TEST_F(DesktopLoginTest, TeacherRevokesTheProgramsSessionFromTheSettings)
{
    ASSERT_TRUE(browser->logIn("anna", "password-anna"));
    ASSERT_EQ(allow().status, 200);
    ASSERT_EQ(poll().status, 200);
    const std::string settings = browser->get("/settings").body;
    EXPECT_NE(settings.find("&lt;b&gt;Anna"), std::string::npos);
    const auto desktop
        = m_server.server().storage().scalar(QStringLiteral("SELECT id FROM sessions WHERE kind = 'desktop'"));
    ASSERT_TRUE(desktop);
    ProtocolClient stranger(m_server.port());
    ASSERT_TRUE(m_server.server().accounts().add(QStringLiteral("ben"), QStringLiteral("password-ben")).ok());
    ASSERT_TRUE(stranger.logIn("ben", "password-ben"));
    const std::string strangerToken = ProtocolClient::csrfToken(stranger.get("/settings").body);
    const std::string revoke = "/settings/desktop-sessions/" + desktop->toString().toStdString() + "/revoke";
    EXPECT_EQ(stranger.postForm(revoke, { { "csrf_token", strangerToken } }).status, 404);
    EXPECT_EQ(program->get("/loginremote?version=1").status, 200);

    EXPECT_EQ(browser->postForm(revoke, { { "csrf_token", ProtocolClient::csrfToken(settings) } }).status, 303);
    EXPECT_EQ(program->get("/loginremote?version=1").status, 401);
    EXPECT_EQ(browser->get("/loginremote?version=1").status, 200);
}

TEST_F(DesktopLoginTest, DenyingThrowsThePendingLoginAway)
{
    ASSERT_TRUE(browser->logIn("anna", "password-anna"));
    const std::string token = ProtocolClient::csrfToken(browser->get(loginPath).body);
    EXPECT_EQ(browser
                  ->postForm("/desktop/confirm",
                      { { "request", loginPath.substr(25) }, { "decision", "deny" }, { "csrf_token", token } })
                  .status,
        200);
    EXPECT_EQ(poll().status, 410);
    EXPECT_TRUE(program->cookie("semestra_session").empty());
}

TEST_F(DesktopLoginTest, ExpiredOrUnknownLoginsHandOutNothing)
{
    EXPECT_EQ(program->postForm("/desktop/login/poll", { { "poll_token", "0000" } }).status, 410);
    ASSERT_TRUE(m_server.server().storage().run(QStringLiteral("UPDATE desktop_logins SET expires_at = 0")));
    ASSERT_TRUE(browser->logIn("anna", "password-anna"));
    EXPECT_EQ(browser->get(loginPath).status, 410);
    EXPECT_EQ(poll().status, 410);
    EXPECT_EQ(m_server.count(QStringLiteral("SELECT COUNT(*) FROM sessions WHERE kind = 'desktop'")), 0);
}

} // namespace
