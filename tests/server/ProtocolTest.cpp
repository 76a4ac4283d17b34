#include "ConnectTestServer.h"
#include "ProtocolClient.h"
#include "SyncBodies.h"

#include <gtest/gtest.h>

#include <memory>

using namespace SyncBodies;

namespace {

// One record of every kind, created as a full sync creates them.
struct SentYear {
    qint64 year = 0, standard = 0, course = 0, week = 0, day = 0, lesson = 0, lessonStandard = 0, assignment = 0,
           link = 0, assignmentLink = 0, file = 0, assignmentFile = 0;
};

class ProtocolTest : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override
    {
        if (GetParam() == Backend::Postgres && !PostgresCluster::installed())
            GTEST_SKIP() << "Debian's postgresql package is not installed";
        m_server = std::make_unique<ConnectTestServer>(GetParam());
        QString error;
        ASSERT_TRUE(m_server->start(&error)) << error.toStdString();
        m_server->addAccount(QStringLiteral("anna"), QStringLiteral("password-anna"));
        m_server->addAccount(QStringLiteral("ben"), QStringLiteral("password-ben"));
        anna = loggedIn("anna", "password-anna");
    }

    std::unique_ptr<ProtocolClient> loggedIn(const std::string& name, const std::string& password)
    {
        auto client = std::make_unique<ProtocolClient>(m_server->port());
        EXPECT_TRUE(client->logIn(name, password));
        return client;
    }

    SentYear sendYear(ProtocolClient& teacher)
    {
        SentYear s;
        s.year = teacher.createYear();
        s.standard = teacher.create("standards", standardXml("x-core://1/Standard/p1", "", s.year));
        s.course = teacher.create("courses", courseXml("Biology", s.year));
        s.week = teacher.create("weeks", weekXml(1, s.year));
        s.day = teacher.create("days", dayXml("2026-09-01 24:00:00-0400", s.week));
        s.lesson = teacher.create("lessons", lessonXml("Cells", s.day, s.course));
        s.lessonStandard = teacher.create("lesson_standards", lessonStandardXml(s.standard, s.lesson));
        s.assignment = teacher.create("assignments", assignmentXml(s.lesson, s.lesson));
        s.link = teacher.create("attachlinks", linkXml("lesson_id", s.lesson));
        s.assignmentLink = teacher.create("assignment_attachlinks", linkXml("assignment_id", s.assignment));
        const Reply file = teacher.sendFileForm("POST", "/attachfiles",
            fileFormBody(teacher.formToken(), "notes.txt", "lesson_id", id(s.lesson), "1", "cell notes"));
        s.file = file.status == 200 ? std::stoll(file.body) : 0;
        const Reply assignmentFile = teacher.sendFileForm("POST", "/assignment_attachfiles",
            fileFormBody(teacher.formToken("assignment_attachfiles"), "sheet.txt", "assignment_id", id(s.assignment),
                std::nullopt, "worksheet", true));
        s.assignmentFile = assignmentFile.status == 200 ? std::stoll(assignmentFile.body) : 0;
        for (const qint64 each : { s.year, s.standard, s.course, s.week, s.day, s.lesson, s.lessonStandard,
                 s.assignment, s.link, s.assignmentLink, s.file, s.assignmentFile })
            EXPECT_GT(each, 0);
        return s;
    }

    // Every record of a sent year, by resource, for walking all kinds.
    static std::vector<std::pair<std::string, qint64>> resources(const SentYear& s)
    {
        return { { "standards", s.standard }, { "courses", s.course }, { "weeks", s.week }, { "days", s.day },
            { "lessons", s.lesson }, { "lesson_standards", s.lessonStandard }, { "assignments", s.assignment },
            { "attachlinks", s.link }, { "assignment_attachlinks", s.assignmentLink }, { "attachfiles", s.file },
            { "assignment_attachfiles", s.assignmentFile } };
    }

    qint64 recordCount() { return m_server->count(QStringLiteral("SELECT COUNT(*) FROM records")); }

    std::unique_ptr<ConnectTestServer> m_server;
    std::unique_ptr<ProtocolClient> anna;
};

TEST_P(ProtocolTest, NeverSyncedYearIsCreatedAndItsIdReportedByLoginRemote)
{
    EXPECT_EQ(anna->get("/loginremote?version=1").body, "loggedin:-1");
    const qint64 year = anna->createYear();
    ASSERT_GT(year, 0);
    EXPECT_EQ(anna->get("/years/" + id(year)).status, 200);
    EXPECT_EQ(anna->get("/loginremote?version=1").body, "loggedin:" + id(year));
    const Reply xml = anna->get("/years/" + id(year) + ".xml");
    EXPECT_EQ(xml.body.rfind("<?xml", 0), 0u);
    EXPECT_NE(xml.body.find("<end_date>2027-06-18 24:00:00</end_date>"), std::string::npos);
    // A second year would orphan the first: the account must purge it first.
    EXPECT_EQ(anna->postXml("/years/create",
                      "<year><year_number>1</year_number><start_date>2026-08-31 24:00:00"
                      "</start_date><start_date>2027-06-18 24:00:00</start_date></year>")
                  .status,
        409);
    EXPECT_EQ(anna->get("/loginremote?version=1").body, "loggedin:" + id(year));
}

TEST_P(ProtocolTest, EveryKindIsCreatedReadBackAndUpdatedUnderItsOwnId)
{
    const SentYear s = sendYear(*anna);
    for (const auto& [resource, recordId] : resources(s)) {
        const Reply xml = anna->get("/" + resource + "/" + id(recordId) + ".xml");
        EXPECT_EQ(xml.status, 200) << resource;
        EXPECT_EQ(xml.body.rfind("<?xml", 0), 0u) << resource;
        EXPECT_NE(xml.body.find("<id>" + id(recordId) + "</id>"), std::string::npos) << resource;
    }
    const Reply updated = anna->putXml("/lessons/" + id(s.lesson), lessonXml("Mitosis", s.day, s.course));
    EXPECT_EQ(updated.status, 200);
    EXPECT_EQ(updated.body, id(s.lesson));
    EXPECT_NE(anna->get("/lessons/" + id(s.lesson) + ".xml").body.find("<title>Mitosis</title>"), std::string::npos);
    EXPECT_EQ(anna->putXml("/years/" + id(s.year),
                      "<year><year_number>1</year_number><start_date>2026-08-31 24:00:00"
                      "</start_date><start_date>2027-06-25 24:00:00</start_date></year>")
                  .body,
        id(s.year));
    EXPECT_EQ(anna->putXml("/lessons/999999", lessonXml("Nowhere", s.day, s.course)).status, 404);
    EXPECT_EQ(anna->get("/syncdone").status, 200);
}

TEST_P(ProtocolTest, RelinkAttachesStandardsToTheirParentsByObjectUri)
{
    const qint64 year = anna->createYear();
    const qint64 child
        = anna->create("standards", standardXml("x-core://1/Standard/p2", "x-core://1/Standard/p1", year));
    const qint64 parent = anna->create("standards", standardXml("x-core://1/Standard/p1", "", year));
    ASSERT_GT(child, 0);
    ASSERT_GT(parent, 0);
    EXPECT_EQ(anna->get("/standards/relink").status, 200);
    const auto standards
        = m_server->server().storage().scalar(QStringLiteral("SELECT fields FROM records WHERE id = ?"), { child });
    ASSERT_TRUE(standards);
    EXPECT_TRUE(standards->toString().contains(QStringLiteral("\"parent_id\":\"%1\"").arg(parent)));
}

TEST_P(ProtocolTest, AmpersandsAngleBracketsAndHour24RoundTrip)
{
    const qint64 year = anna->createYear();
    const qint64 course = anna->create("courses", courseXml("Fish &amp; Chips &lt;2&gt;", year));
    const qint64 week = anna->create("weeks", weekXml(1, year));
    const qint64 day = anna->create("days", dayXml("2026-09-02 24:00:00-0400", week));
    const qint64 lesson = anna->create("lessons",
        lessonXml("A &lt;b&gt; &amp; c", day, course, "2026-09-02 24:30:00-0400", "2026-09-02 01:15:00-0400"));
    ASSERT_GT(lesson, 0);
    EXPECT_NE(anna->get("/courses/" + id(course) + ".xml").body.find("<course_name>Fish &amp; Chips &lt;2&gt;"),
        std::string::npos);
    const std::string lessonBody = anna->get("/lessons/" + id(lesson) + ".xml").body;
    EXPECT_NE(lessonBody.find("<title>A &lt;b&gt; &amp; c</title>"), std::string::npos);
    EXPECT_NE(lessonBody.find("<start_time>2026-09-02 24:30:00-0400</start_time>"), std::string::npos);
    EXPECT_NE(anna->get("/days/" + id(day) + ".xml").body.find("2026-09-02 24:00:00-0400"), std::string::npos);
    // Hours stop at 24.
    EXPECT_EQ(anna->postXml("/days/create", dayXml("2026-09-02 25:00:00-0400", week)).status, 400);
}

TEST_P(ProtocolTest, FileReuploadWithoutFilePartKeepsTheStoredBytes)
{
    const SentYear s = sendYear(*anna);
    const std::string path = "/attachfiles/" + id(s.file);
    const Reply xml = anna->get(path + ".xml");
    // The desktop program reads the stored size from the root's third child.
    EXPECT_NE(xml.body.find("<id>" + id(s.file) + "</id><name>notes.txt</name><size>10</size>"), std::string::npos);

    const Reply kept = anna->sendFileForm(
        "PUT", path, fileFormBody(anna->formToken(), "notes.txt", "lesson_id", id(s.lesson), "0", std::nullopt));
    EXPECT_EQ(kept.status, 200);
    EXPECT_EQ(kept.body, id(s.file));
    EXPECT_EQ(anna->get(path + "/download").body, "cell notes");
    EXPECT_NE(anna->get(path + ".xml").body.find("<publish>0</publish>"), std::string::npos);

    const Reply replaced = anna->sendFileForm(
        "PUT", path, fileFormBody(anna->formToken(), "notes.txt", "lesson_id", id(s.lesson), "1", "new notes!!"));
    EXPECT_EQ(replaced.status, 200);
    EXPECT_EQ(anna->get(path + "/download").body, "new notes!!");
    EXPECT_EQ(anna->get("/assignment_attachfiles/" + id(s.assignmentFile) + "/download").body, "worksheet");
    // The replaced bytes are gone from the files folder.
    EXPECT_EQ(QDir(m_server->config().filesFolder).entryList(QDir::Files).size(), 2);
}

TEST_P(ProtocolTest, DeletesAnswerSuccessEvenForRecordsAlreadyGone)
{
    const SentYear s = sendYear(*anna);
    for (const auto& [resource, recordId] : resources(s)) {
        const std::string path = "/" + resource + "/" + id(recordId);
        EXPECT_EQ(anna->del(path).body, "success") << resource;
        EXPECT_EQ(anna->get(path + ".xml").status, 404) << resource;
        EXPECT_EQ(anna->del(path).body, "success") << resource;
    }
    EXPECT_EQ(QDir(m_server->config().filesFolder).entryList(QDir::Files).size(), 0);
    EXPECT_EQ(anna->del("/years/" + id(s.year)).body, "success");
    EXPECT_EQ(anna->get("/loginremote?version=1").body, "loggedin:-1");
    EXPECT_EQ(recordCount(), 0);
}

TEST_P(ProtocolTest, AnotherAccountCanNeitherReadNorChangeNorDeleteRecords)
{
    const SentYear a = sendYear(*anna);
    auto ben = loggedIn("ben", "password-ben");
    const SentYear b = sendYear(*ben);
    const qint64 before = recordCount();
    for (const auto& [resource, recordId] : resources(a)) {
        const std::string path = "/" + resource + "/" + id(recordId);
        EXPECT_EQ(ben->get(path + ".xml").status, 404) << resource;
        EXPECT_EQ(ben->del(path).body, "success") << resource;
        EXPECT_EQ(anna->get(path + ".xml").status, 200) << resource;
    }
    EXPECT_EQ(ben->get("/years/" + id(a.year)).status, 404);
    EXPECT_EQ(ben->get("/attachfiles/" + id(a.file) + "/download").status, 404);
    EXPECT_EQ(ben->del("/years/" + id(a.year)).body, "success");
    EXPECT_EQ(ben->putXml("/courses/" + id(a.course), courseXml("Mine", b.year)).status, 404);
    EXPECT_EQ(ben->putXml("/years/" + id(a.year),
                     "<year><year_number>1</year_number><start_date>2026-08-31 24:00:00"
                     "</start_date><start_date>2027-06-18 24:00:00</start_date></year>")
                  .status,
        404);
    EXPECT_EQ(ben->sendFileForm("PUT", "/attachfiles/" + id(a.file),
                     fileFormBody(ben->formToken(), "x.txt", "lesson_id", id(b.lesson), "1", "overwrite"))
                  .status,
        404);
    // Nor can a body point into another account's year.
    EXPECT_EQ(ben->postXml("/courses/create", courseXml("Theirs", a.year)).status, 400);
    EXPECT_EQ(ben->postXml("/days/create", dayXml("2026-09-01 24:00:00-0400", a.week)).status, 400);
    EXPECT_EQ(ben->postXml("/lessons/create", lessonXml("x", b.day, a.course)).status, 400);
    EXPECT_EQ(ben->postXml("/lesson_standards/create", lessonStandardXml(a.standard, b.lesson)).status, 400);
    EXPECT_EQ(ben->postXml("/assignments/create", assignmentXml(b.lesson, a.lesson)).status, 400);
    EXPECT_EQ(ben->postXml("/attachlinks/create", linkXml("lesson_id", a.lesson)).status, 400);
    EXPECT_EQ(ben->postXml("/assignment_attachlinks/create", linkXml("assignment_id", a.assignment)).status, 400);
    EXPECT_EQ(ben->sendFileForm("POST", "/attachfiles",
                     fileFormBody(ben->formToken(), "x.txt", "lesson_id", id(a.lesson), "1", "x"))
                  .status,
        400);
    EXPECT_EQ(ben->sendFileForm("POST", "/assignment_attachfiles",
                     fileFormBody(ben->formToken("assignment_attachfiles"), "x.txt", "assignment_id", id(a.assignment),
                         std::nullopt, "x", true))
                  .status,
        400);
    EXPECT_EQ(recordCount(), before);
    EXPECT_EQ(anna->get("/attachfiles/" + id(a.file) + "/download").body, "cell notes");
}

TEST_P(ProtocolTest, MalformedBodiesAreRefusedWithAReasonAndChangeNothing)
{
    const SentYear s = sendYear(*anna);
    const qint64 before = recordCount();
    const std::string lessonBefore = anna->get("/lessons/" + id(s.lesson) + ".xml").body;
    const std::vector<std::pair<std::string, std::string>> bad = {
        { "courses", "<course><course_name>Broken</course_name><year_id>" + id(s.year) + "</year_id>" },
        { "courses", "<course><course_name>x</course_name><year_id>" + id(s.year) + "</year_id><teacher/></course>" },
        { "courses", "<lesson><title>wrong root</title></lesson>" },
        { "courses", "<course><course_name><b>x</b></course_name><year_id>" + id(s.year) + "</year_id></course>" },
        { "courses", "<course><course_name>x</course_name></course>" },
        { "courses",
            "<!DOCTYPE course [<!ENTITY e \"boom\">]><course><course_name>&e;</course_name><year_id>" + id(s.year)
                + "</year_id></course>" },
        { "weeks", "<week><week_number>three</week_number><year_id>" + id(s.year) + "</year_id></week>" },
        { "weeks",
            "<week><week_number>1</week_number><week_number>2</week_number><year_id>" + id(s.year)
                + "</year_id></week>" },
        { "days",
            "<day><actual_date>2026-02-30 24:00:00-0500</actual_date><is_holiday>0</is_holiday>"
            "<is_cancelled>0</is_cancelled><is_custom>0</is_custom><week_id>"
                + id(s.week) + "</week_id></day>" },
        { "days",
            "<day><actual_date>2026-09-01 24:00:00-0400</actual_date><is_holiday>2</is_holiday>"
            "<is_cancelled>0</is_cancelled><is_custom>0</is_custom><week_id>"
                + id(s.week) + "</week_id></day>" },
        { "lessons", lessonXml("x", s.day, s.course, "tomorrow") },
        { "lessons", lessonXml("x", s.course, s.course) }, // a course is not a day
        { "lessons", lessonXml("x", 999999, s.course) },
        { "lesson_standards", "" },
    };
    for (const auto& [resource, body] : bad) {
        const Reply reply = anna->postXml("/" + resource + "/create", body);
        EXPECT_EQ(reply.status, 400) << body;
        EXPECT_FALSE(reply.body.empty()) << body;
        EXPECT_EQ(anna->putXml("/" + resource + "/" + id(s.lesson), body).status / 100, 4) << body;
    }
    EXPECT_EQ(
        anna->send("POST", "/courses/create", courseXml("Form", s.year), "application/x-www-form-urlencoded").status,
        415);
    EXPECT_EQ(recordCount(), before);
    EXPECT_EQ(anna->get("/lessons/" + id(s.lesson) + ".xml").body, lessonBefore);
}

TEST_P(ProtocolTest, FileFormsNeedAValidTokenAndStayWithin20MiB)
{
    const SentYear s = sendYear(*anna);
    const qint64 before = recordCount();
    const auto upload = [&](const std::string& token, const std::optional<std::string>& data) {
        return anna->sendFileForm(
            "POST", "/attachfiles", fileFormBody(token, "big.bin", "lesson_id", id(s.lesson), "1", data));
    };
    EXPECT_EQ(upload("forged", "x").status, 403);
    auto ben = loggedIn("ben", "password-ben");
    EXPECT_EQ(upload(ben->formToken(), "x").status, 403);
    EXPECT_EQ(upload(anna->formToken(), std::string(20971521, 'x')).status, 413);
    EXPECT_EQ(
        anna->send("POST", "/attachfiles", std::string(25 * 1024 * 1024, 'x'), "application/octet-stream").status, 413);
    EXPECT_EQ(
        anna->send("POST", "/attachfiles", "not a form", "multipart/form-data; boundary=" + Boundary).status, 400);
    EXPECT_EQ(recordCount(), before);
    EXPECT_EQ(upload(anna->formToken(), std::string(20971520, 'x')).status, 200);
}

TEST_P(ProtocolTest, EndedExpiredAndDisabledSessionsAreRefused)
{
    const qint64 year = anna->createYear();
    ASSERT_GT(year, 0);
    ProtocolClient stranger(m_server->port());
    EXPECT_EQ(stranger.get("/loginremote?version=1").body.rfind("loggedin:", 0), std::string::npos);
    EXPECT_EQ(stranger.postXml("/courses/create", courseXml("x", year)).status, 401);
    stranger.setCookie("semestra_session", anna->cookie("semestra_session") + "0");
    EXPECT_EQ(stranger.get("/years/" + id(year) + ".xml").status, 401);

    auto second = loggedIn("anna", "password-anna");
    ASSERT_TRUE(m_server->server().storage().run(QStringLiteral("UPDATE sessions SET expires_at = 0 WHERE token_hash"
                                                                " = (SELECT MIN(token_hash) FROM sessions)")));
    const int live = int(anna->get("/loginremote?version=1").status == 200)
        + int(second->get("/loginremote?version=1").status == 200);
    EXPECT_EQ(live, 1);

    ASSERT_TRUE(m_server->server().accounts().disable(QStringLiteral("anna")).ok());
    EXPECT_EQ(anna->get("/loginremote?version=1").status, 401);
    EXPECT_EQ(second->get("/loginremote?version=1").status, 401);
    EXPECT_FALSE(ProtocolClient(m_server->port()).logIn("anna", "password-anna"));
}

TEST_P(ProtocolTest, TwoServersOnOneDatabaseServeTheSameSessionsAndRecords)
{
    QString error;
    auto twin = m_server->startTwin(&error);
    ASSERT_TRUE(twin) << error.toStdString();
    ProtocolClient other(twin->port());
    other.setCookie("semestra_session", anna->cookie("semestra_session"));
    const qint64 year = other.createYear();
    ASSERT_GT(year, 0);
    EXPECT_EQ(anna->get("/loginremote?version=1").body, "loggedin:" + id(year));
    const qint64 course = anna->create("courses", courseXml("Chemistry", year));
    EXPECT_EQ(other.get("/courses/" + id(course) + ".xml").status, 200);
    // A form token handed out by one server is good at the other.
    const Reply file = other.sendFileForm("POST", "/attachfiles",
        fileFormBody(anna->formToken(), "a.txt", "lesson_id",
            id(anna->create("lessons",
                lessonXml("x",
                    anna->create("days", dayXml("2026-09-01 24:00:00-0400", anna->create("weeks", weekXml(1, year)))),
                    course))),
            "1", "shared"));
    EXPECT_EQ(file.status, 200);
    EXPECT_EQ(anna->get("/attachfiles/" + file.body + "/download").body, "shared");
    m_server->stopTwin(*twin);
}

INSTANTIATE_TEST_SUITE_P(Storage, ProtocolTest, testing::Values(Backend::Sqlite, Backend::Postgres),
    [](const testing::TestParamInfo<Backend>& backend) {
        return backend.param == Backend::Sqlite ? std::string("Sqlite") : std::string("Postgres");
    });

} // namespace
