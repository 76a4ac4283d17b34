#include "ConnectTestServer.h"
#include "ProtocolClient.h"
#include "SyncBodies.h"

#include <gtest/gtest.h>

#include <regex>

using namespace SyncBodies;

namespace {

// A small year sent over the protocol, then looked at through the pages.
class PageRoutesTest : public testing::Test {
protected:
    void SetUp() override
    {
        QString error;
        ASSERT_TRUE(m_server.start(&error)) << error.toStdString();
        m_server.addAccount(QStringLiteral("anna"), QStringLiteral("password-anna"));
        m_server.addAccount(QStringLiteral("ben"), QStringLiteral("password-ben"));
        anna.emplace(m_server.port());
        ASSERT_TRUE(anna->logIn("anna", "password-anna"));
        year = anna->createYear();
        course = anna->create("courses", courseXml("Fish &amp; Chips &lt;2&gt;", year));
        const qint64 week = anna->create("weeks", weekXml(1, year));
        day = anna->create("days", dayXml("2026-09-01 24:00:00-0400", week));
        lesson = anna->create("lessons",
            "<lesson><title>Cells &lt;i&gt;</title><lesson_body>&lt;p&gt;Look&lt;script&gt;alert(1)&lt;/script&gt;"
            "&lt;/p&gt;</lesson_body><day_id>"
                + id(day) + "</day_id><course_id>" + id(course)
                + "</course_id><start_time>2026-09-01 24:30:00-0400</start_time></lesson>");
        const auto upload = [&](const std::string& name, const std::string& publish) {
            return anna
                ->sendFileForm("POST", "/attachfiles",
                    fileFormBody(anna->formToken(), name, "lesson_id", id(lesson), publish, "bytes of " + name))
                .body;
        };
        publishedFile = upload("shared.txt", "1");
        privateFile = upload("private.txt", "0");
        ASSERT_GT(lesson, 0);
    }

    std::string settingsToken() { return ProtocolClient::csrfToken(anna->get("/settings").body); }

    // Switches the course's public link and answers its address.
    std::string switchPublic(const std::string& onOrOff)
    {
        EXPECT_EQ(anna->postForm("/settings/courses/" + id(course) + "/public",
                          { { "csrf_token", settingsToken() }, { "public", onOrOff } })
                      .status,
            303);
        std::smatch match;
        const std::string settings = anna->get("/settings").body;
        static const std::regex address("/public/([0-9a-f]{64})");
        return std::regex_search(settings, match, address) ? match[0].str() : std::string();
    }

    ConnectTestServer m_server { Backend::Sqlite };
    std::optional<ProtocolClient> anna;
    qint64 year = 0, course = 0, day = 0, lesson = 0;
    std::string publishedFile, privateFile;
};

TEST_F(PageRoutesTest, TeacherSeesTheYearByCourseMonthAndDayWithTheClientsHtmlMadeSafe)
{
    const std::string courses = anna->get("/").body;
    EXPECT_NE(courses.find("Fish &amp; Chips &lt;2&gt;"), std::string::npos);
    const Reply month = anna->get("/plan/month/2026-09");
    EXPECT_EQ(month.status, 200);
    EXPECT_NE(month.body.find("Cells &lt;i&gt;"), std::string::npos);
    const Reply dayPage = anna->get("/plan/day/2026-09-01");
    EXPECT_EQ(dayPage.status, 200);
    EXPECT_NE(dayPage.body.find("Look"), std::string::npos);
    EXPECT_EQ(dayPage.body.find("<script"), std::string::npos);
    EXPECT_EQ(dayPage.body.find("alert(1)"), std::string::npos);
    EXPECT_NE(dayPage.body.find("shared.txt"), std::string::npos);
    EXPECT_EQ(anna->get("/plan/courses/" + id(course)).status, 200);
    EXPECT_EQ(anna->get("/plan/day/2026-09-02").status, 404);
    EXPECT_EQ(anna->get("/plan/day").header("Location"), "/plan/day/2026-09-01");
    EXPECT_EQ(anna->get("/plan/attachfiles/" + privateFile).body, "bytes of private.txt");
    EXPECT_EQ(anna->get("/connect.css").status, 200);
}

TEST_F(PageRoutesTest, PagesNeedTheTeachersOwnSession)
{
    ProtocolClient visitor(m_server.port());
    const Reply redirected = visitor.get("/plan/day/2026-09-01");
    EXPECT_EQ(redirected.status, 303);
    EXPECT_EQ(redirected.header("Location").rfind("/login?next=", 0), 0u);
    ProtocolClient ben(m_server.port());
    ASSERT_TRUE(ben.logIn("ben", "password-ben"));
    EXPECT_EQ(ben.get("/plan/courses/" + id(course)).status, 404);
    EXPECT_EQ(ben.get("/plan/day/2026-09-01").status, 404);
    EXPECT_EQ(ben.get("/plan/attachfiles/" + publishedFile).status, 404);
    EXPECT_EQ(ben.postForm("/settings/courses/" + id(course) + "/public",
                     { { "csrf_token", ProtocolClient::csrfToken(ben.get("/settings").body) }, { "public", "on" } })
                  .status,
        404);
    EXPECT_EQ(m_server.count(QStringLiteral("SELECT COUNT(*) FROM course_links")), 0);
}

TEST_F(PageRoutesTest, PublicLinkSharesTheCourseAndItsPublishedFilesUntilSwitchedOff)
{
    EXPECT_EQ(
        anna->postForm("/settings/courses/" + id(course) + "/public", { { "csrf_token", "x" }, { "public", "on" } })
            .status,
        403);
    const std::string address = switchPublic("on");
    ASSERT_FALSE(address.empty());
    ProtocolClient visitor(m_server.port());
    const Reply page = visitor.get(address);
    EXPECT_EQ(page.status, 200);
    EXPECT_NE(page.body.find("Cells &lt;i&gt;"), std::string::npos);
    EXPECT_EQ(visitor.get(address + "/attachfiles/" + publishedFile).body, "bytes of shared.txt");
    EXPECT_EQ(visitor.get(address + "/attachfiles/" + privateFile).status, 404);

    switchPublic("off");
    EXPECT_EQ(visitor.get(address).status, 404);
    EXPECT_EQ(visitor.get(address + "/attachfiles/" + publishedFile).status, 404);
    // Switched on again, the course keeps the address its students know.
    EXPECT_EQ(switchPublic("on"), address);
    EXPECT_EQ(visitor.get(address).status, 200);
}

} // namespace
