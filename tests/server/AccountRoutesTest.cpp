#include "ConnectTestServer.h"
#include "ProtocolClient.h"

#include <gtest/gtest.h>

namespace {

class AccountRoutesTest : public testing::Test {
protected:
    void SetUp() override
    {
        QString error;
        ASSERT_TRUE(m_server.start(&error)) << error.toStdString();
        m_server.addAccount(QStringLiteral("anna"), QStringLiteral("password-anna"));
    }

    ConnectTestServer m_server { Backend::Sqlite };
    ProtocolClient client() { return ProtocolClient(m_server.port()); }
};

TEST_F(AccountRoutesTest, LoginFormWantsItsOwnTokenAndTheRightPassword)
{
    ProtocolClient browser = client();
    const Reply form = browser.get("/login");
    EXPECT_EQ(form.status, 200);
    EXPECT_NE(form.body.find("name=\"username\""), std::string::npos);
    EXPECT_NE(form.body.find("name=\"password\""), std::string::npos);
    const std::string token = ProtocolClient::csrfToken(form.body);
    ASSERT_FALSE(token.empty());

    const httplib::Params wrongPassword { { "username", "anna" }, { "password", "nope-nope" },
        { "csrf_token", token } };
    const Reply refused = browser.postForm("/login", wrongPassword);
    EXPECT_EQ(refused.status, 401);
    EXPECT_NE(refused.body.find("Wrong user name or password."), std::string::npos);
    const httplib::Params forged { { "username", "anna" }, { "password", "password-anna" }, { "csrf_token", "x" } };
    const Reply forgedReply = browser.postForm("/login", forged);
    EXPECT_EQ(forgedReply.status, 403);
    // A token from a page another browser loaded does not match this browser's cookie.
    ProtocolClient other = client();
    const httplib::Params borrowed { { "username", "anna" }, { "password", "password-anna" },
        { "csrf_token", ProtocolClient::csrfToken(other.get("/login").body) } };
    const Reply borrowedReply = browser.postForm("/login", borrowed);
    EXPECT_EQ(borrowedReply.status, 403);
    EXPECT_TRUE(browser.cookie("semestra_session").empty());

    // Each answer hands out a fresh form, whose token goes with the cookie it sets.
    const Reply done = browser.postForm("/login",
        { { "username", "anna" }, { "password", "password-anna" },
            { "csrf_token", ProtocolClient::csrfToken(borrowedReply.body) }, { "next", "https://evil.example/" } });
    EXPECT_EQ(done.status, 303);
    EXPECT_EQ(done.header("Location"), "/");
    const std::string cookie = done.header("Set-Cookie");
    EXPECT_NE(cookie.find("HttpOnly"), std::string::npos);
    EXPECT_NE(cookie.find("SameSite=Lax"), std::string::npos);
    EXPECT_NE(cookie.find("Max-Age=1209600"), std::string::npos);
    EXPECT_EQ(browser.get("/loginremote?version=1").body, "loggedin:-1");
}

TEST_F(AccountRoutesTest, LogoutNeedsTheSessionsFormTokenAndEndsOnlyThatSession)
{
    ProtocolClient browser = client();
    ProtocolClient phone = client();
    ASSERT_TRUE(browser.logIn("anna", "password-anna"));
    ASSERT_TRUE(phone.logIn("anna", "password-anna"));
    EXPECT_EQ(browser.postForm("/logout", { { "csrf_token", "forged" } }).status, 403);
    const std::string token = ProtocolClient::csrfToken(browser.get("/settings").body);
    EXPECT_EQ(browser.postForm("/logout", { { "csrf_token", token } }).status, 303);
    EXPECT_EQ(browser.get("/loginremote?version=1").status, 401);
    EXPECT_EQ(phone.get("/loginremote?version=1").status, 200);
}

TEST_F(AccountRoutesTest, PurgeAndArchiveLeaveTheAccountWithoutAYear)
{
    ProtocolClient browser = client();
    ASSERT_TRUE(browser.logIn("anna", "password-anna"));
    const std::string token = ProtocolClient::csrfToken(browser.get("/settings").body);
    const qint64 first = browser.createYear();
    EXPECT_EQ(browser.postForm("/settings/archive", { { "csrf_token", token } }).status, 400);
    EXPECT_EQ(browser.postForm("/settings/archive", { { "csrf_token", "x" }, { "confirm", "yes" } }).status, 403);
    EXPECT_EQ(browser.get("/loginremote?version=1").body, "loggedin:" + std::to_string(first));

    EXPECT_EQ(browser.postForm("/settings/archive", { { "csrf_token", token }, { "confirm", "yes" } }).status, 303);
    EXPECT_EQ(browser.get("/loginremote?version=1").body, "loggedin:-1");
    EXPECT_EQ(browser.get("/years/" + std::to_string(first) + ".xml").status, 404);
    EXPECT_EQ(m_server.count(QStringLiteral("SELECT COUNT(*) FROM records")), 1); // kept aside

    const qint64 second = browser.createYear();
    ASSERT_GT(second, first);
    EXPECT_EQ(browser.postForm("/settings/purge", { { "csrf_token", token }, { "confirm", "yes" } }).status, 303);
    EXPECT_EQ(browser.get("/loginremote?version=1").body, "loggedin:-1");
    EXPECT_EQ(m_server.count(QStringLiteral("SELECT COUNT(*) FROM records")), 1);
}

TEST_F(AccountRoutesTest, SignOutEverywhereAndPasswordChangeEndOtherSessions)
{
    ProtocolClient browser = client();
    ProtocolClient laptop = client();
    ASSERT_TRUE(browser.logIn("anna", "password-anna"));
    ASSERT_TRUE(laptop.logIn("anna", "password-anna"));
    std::string token = ProtocolClient::csrfToken(browser.get("/settings").body);
    const auto change = [&](const std::string& current, const std::string& again) {
        return browser
            .postForm("/settings/password",
                { { "csrf_token", token }, { "current_password", current }, { "new_password", "new-password" },
                    { "new_password_again", again } })
            .status;
    };
    EXPECT_EQ(change("wrong-one", "new-password"), 403);
    EXPECT_EQ(change("password-anna", "new-passwort"), 400);
    EXPECT_EQ(laptop.get("/loginremote?version=1").status, 200);
    EXPECT_EQ(change("password-anna", "new-password"), 303);
    EXPECT_EQ(laptop.get("/loginremote?version=1").status, 401);
    EXPECT_EQ(browser.get("/loginremote?version=1").status, 200);
    EXPECT_TRUE(client().logIn("anna", "new-password"));

    token = ProtocolClient::csrfToken(browser.get("/settings").body);
    EXPECT_EQ(browser.postForm("/settings/signout-everywhere", { { "csrf_token", token } }).status, 303);
    EXPECT_EQ(browser.get("/loginremote?version=1").status, 401);
}

TEST_F(AccountRoutesTest, DeletingTheAccountTakesItsRecordsAndFiles)
{
    ProtocolClient browser = client();
    ASSERT_TRUE(browser.logIn("anna", "password-anna"));
    const qint64 year = browser.createYear();
    browser.create(
        "courses", "<course><course_name>x</course_name><year_id>" + std::to_string(year) + "</year_id></course>");
    const std::string token = ProtocolClient::csrfToken(browser.get("/settings").body);
    EXPECT_EQ(browser.postForm("/settings/delete-account", { { "csrf_token", token } }).status, 400);
    EXPECT_EQ(browser
                  .postForm("/settings/delete-account",
                      { { "csrf_token", token }, { "password", "wrong-one" }, { "confirm_username", "anna" } })
                  .status,
        400);
    EXPECT_EQ(m_server.count(QStringLiteral("SELECT COUNT(*) FROM records")), 2);
    EXPECT_EQ(browser
                  .postForm("/settings/delete-account",
                      { { "csrf_token", token }, { "password", "password-anna" }, { "confirm_username", "anna" } })
                  .status,
        303);
    EXPECT_EQ(m_server.count(QStringLiteral("SELECT COUNT(*) FROM records")), 0);
    EXPECT_EQ(m_server.count(QStringLiteral("SELECT COUNT(*) FROM accounts")), 0);
    EXPECT_FALSE(client().logIn("anna", "password-anna"));
}

TEST_F(AccountRoutesTest, FeedbackFormIsStoredAsTheProgramPostsIt)
{
    const std::string boundary = "x-mime-boundary://0F6C2B8E-1111-2222-3333-444455556666";
    std::string body;
    for (const auto& [name, value] : std::vector<std::pair<std::string, std::string>> { { "feedbackType", "BUG" },
             { "feedback", "Crashes on <Save>" }, { "appName", "Semestra" }, { "bundleID", "org.semestra" },
             { "version", "1" }, { "systemProfile", "<systemProfile suppressed>" }, { "email", "anna@example.org" } })
        body += "--" + boundary + "\r\nContent-Disposition: form-data; name=\"" + name + "\"\r\n\r\n" + value + "\r\n";
    body += "\r\n--" + boundary + "--\r\n";
    ProtocolClient program = client();
    EXPECT_EQ(program.send("POST", "/feedback", body, "multipart/form-data; boundary=" + boundary).status, 200);
    EXPECT_EQ(m_server.count(QStringLiteral("SELECT COUNT(*) FROM feedback WHERE feedback_type = 'BUG' AND"
                                            " feedback = 'Crashes on <Save>' AND name = '' AND email = ?"),
                  { QStringLiteral("anna@example.org") }),
        1);
    std::string unknownType = body;
    unknownType.replace(unknownType.find("BUG"), 3, "RANT");
    EXPECT_EQ(program.send("POST", "/feedback", unknownType, "multipart/form-data; boundary=" + boundary).status, 400);
    EXPECT_EQ(m_server.count(QStringLiteral("SELECT COUNT(*) FROM feedback")), 1);

    // Only administrators read it, escaped like everything a client sent.
    ProtocolClient reader = client();
    ASSERT_TRUE(reader.logIn("anna", "password-anna"));
    EXPECT_EQ(reader.get("/admin/feedback").status, 403);
    ASSERT_TRUE(m_server.server().accounts().setAdministrator(QStringLiteral("anna"), true).ok());
    const Reply list = reader.get("/admin/feedback");
    EXPECT_EQ(list.status, 200);
    EXPECT_NE(list.body.find("Crashes on &lt;Save&gt;"), std::string::npos);
}

TEST_F(AccountRoutesTest, SignupIsClosedUnlessSwitchedOn)
{
    EXPECT_EQ(client().get("/signup").status, 404);
    ConnectTestServer open(Backend::Sqlite, ConnectTestServer::Signup::Open);
    QString error;
    ASSERT_TRUE(open.start(&error)) << error.toStdString();
    ProtocolClient newcomer(open.port());
    const std::string token = ProtocolClient::csrfToken(newcomer.get("/signup").body);
    EXPECT_EQ(newcomer.postForm("/signup", { { "username", "cleo" }, { "password", "short" }, { "csrf_token", token } })
                  .status,
        400);
    const Reply joined = newcomer.postForm("/signup",
        { { "username", "cleo" }, { "password", "password-cleo" },
            { "csrf_token", ProtocolClient::csrfToken(newcomer.get("/signup").body) } });
    EXPECT_EQ(joined.status, 303);
    EXPECT_EQ(newcomer.get("/loginremote?version=1").body, "loggedin:-1");
    EXPECT_EQ(open.count(QStringLiteral("SELECT COUNT(*) FROM accounts")), 1);
}

TEST_F(AccountRoutesTest, LoginFormEscapesThePageToReturnTo)
{
    const Reply form = client().get("/login?next=%2Fx%22%3E%3Cscript%3Ealert(1)%3C%2Fscript%3E");
    EXPECT_EQ(form.body.find("<script>"), std::string::npos);
    EXPECT_NE(form.body.find("&lt;script&gt;"), std::string::npos);
}

} // namespace
