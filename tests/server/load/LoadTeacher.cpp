#include "LoadTeacher.h"

#include "SyncBodies.h"

#include <QDate>

#include <chrono>

using namespace SyncBodies;

LoadTeacher::LoadTeacher(int number, int port, const LoadOptions& options)
    : m_number(number)
    , m_options(options)
    , m_client(port)
{
    m_client.setKeepAlive(true);
}

void LoadTeacher::problem(const QString& what)
{
    if (m_problems.size() < 20)
        m_problems.append(QStringLiteral("teacher%1: %2").arg(m_number).arg(what));
}

// Names carry the teacher, so records mixed between accounts show, and the
// characters the protocol escapes.
std::string LoadTeacher::name(const char* kind, int n) const
{
    return "T" + std::to_string(m_number) + " " + kind + " " + std::to_string(n) + " &amp; &lt;co&gt;";
}

// A request that got no answer at all is sent again, as the desktop program
// does; refusals are not.
Reply LoadTeacher::timed(const std::function<Reply()>& request)
{
    for (int attempt = 1;; ++attempt) {
        const auto start = std::chrono::steady_clock::now();
        Reply reply = request();
        m_latencies.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        if (reply.status != 0 || attempt == MaximumAttempts)
            return reply;
        ++m_retries;
        if (m_retryReasons.size() < 5)
            m_retryReasons.append(QString::fromStdString(reply.error));
    }
}

qint64 LoadTeacher::create(const std::string& resource, const std::string& xml, const std::string& mustHold)
{
    const Reply reply = timed([&] { return m_client.postXml("/" + resource + "/create", xml); });
    if (reply.status != 200) {
        problem(QStringLiteral("POST %1 answered %2 %3")
                    .arg(QString::fromStdString(resource))
                    .arg(reply.status)
                    .arg(QString::fromStdString(reply.status ? reply.body : reply.error)));
        return 0;
    }
    const qint64 created = std::stoll(reply.body);
    m_sent.push_back({ "/" + resource + "/" + id(created) + ".xml", mustHold });
    return created;
}

qint64 LoadTeacher::upload(const std::string& resource, const std::string& body, const std::string& mustHold)
{
    const Reply reply = timed([&] { return m_client.sendFileForm("POST", "/" + resource, body); });
    if (reply.status != 200) {
        problem(QStringLiteral("POST %1 answered %2").arg(QString::fromStdString(resource)).arg(reply.status));
        return 0;
    }
    const qint64 created = std::stoll(reply.body);
    m_sent.push_back({ "/" + resource + "/" + id(created) + ".xml", mustHold });
    return created;
}

void LoadTeacher::sendFiles(const std::vector<qint64>& lessons, const std::vector<qint64>& assignments)
{
    for (int f = 0; f < m_options.files; ++f) {
        const bool forAssignment = f % 4 == 3 && !assignments.empty();
        const std::string resource = forAssignment ? "assignment_attachfiles" : "attachfiles";
        const std::string token = timed([&] { return m_client.get("/" + resource + "/new"); }).body;
        const std::string bytes = std::string(16 * 1024 - 40, char('a' + f % 26)) + name("file", f).substr(0, 40);
        const std::string fileName = "notes-" + std::to_string(f) + ".txt";
        const qint64 owner
            = forAssignment ? assignments[size_t(f) % assignments.size()] : lessons[size_t(f) * 7 % lessons.size()];
        const std::string body = fileFormBody(token, fileName, forAssignment ? "assignment_id" : "lesson_id", id(owner),
            forAssignment ? std::nullopt : std::optional<std::string>("1"), bytes, forAssignment);
        const qint64 file
            = upload(resource, body, "<name>" + fileName + "</name><size>" + std::to_string(bytes.size()) + "</size>");
        if (file)
            m_files.emplace_back("/" + resource + "/" + id(file) + "/download", bytes);
    }
}

// Changes since the last sync: some lessons edited, web links deleted, a
// file sent again unchanged.
void LoadTeacher::updateSync(const std::vector<qint64>& lessons, qint64 day, qint64 course)
{
    timed([&] { return m_client.get("/loginremote?version=1"); });
    for (size_t i = 0; i < lessons.size(); i += 20) {
        const std::string title = name("edited lesson", int(i));
        const Reply reply
            = timed([&] { return m_client.putXml("/lessons/" + id(lessons[i]), lessonXml(title, day, course)); });
        if (reply.status != 200 || reply.body != id(lessons[i]))
            problem(QStringLiteral("PUT lesson answered %1").arg(reply.status));
        for (Sent& sent : m_sent) {
            if (sent.path == "/lessons/" + id(lessons[i]) + ".xml")
                sent.mustHold = "<title>" + title + "</title>";
        }
    }
    for (Sent& sent : m_sent) {
        if (sent.path.rfind("/attachlinks/", 0) != 0 || m_deleted.size() >= 5)
            continue;
        const std::string path = sent.path.substr(0, sent.path.size() - 4);
        if (timed([&] { return m_client.del(path); }).body != "success")
            problem(QStringLiteral("DELETE did not succeed"));
        m_deleted.push_back(sent.path);
    }
    std::erase_if(m_sent,
        [this](const Sent& s) { return std::find(m_deleted.begin(), m_deleted.end(), s.path) != m_deleted.end(); });
    timed([&] { return m_client.get("/syncdone"); });
}

void LoadTeacher::sync()
{
    const std::string user = "teacher" + std::to_string(m_number);
    if (!m_client.logIn(user, LoadServers::password().toStdString()))
        return problem(QStringLiteral("cannot log in"));
    if (timed([&] { return m_client.get("/loginremote?version=1"); }).body != "loggedin:-1")
        problem(QStringLiteral("a fresh account holds a year"));
    m_year = m_client.createYear();
    if (!m_year)
        return problem(QStringLiteral("cannot create the year"));

    std::vector<qint64> standards;
    for (int s = 0; s < 30; ++s) {
        const std::string parent = s < 5 ? "" : "x-core://" + user + "/Standard/p" + std::to_string(s % 5);
        standards.push_back(
            create("standards", standardXml("x-core://" + user + "/Standard/p" + std::to_string(s), parent, m_year),
                "<year_id>" + id(m_year) + "</year_id>"));
    }
    timed([&] { return m_client.get("/standards/relink"); });
    std::vector<qint64> courses;
    for (int c = 0; c < m_options.courses; ++c)
        courses.push_back(create("courses", courseXml(name("course", c), m_year), "<course_name>" + name("course", c)));
    std::vector<qint64> weeks;
    for (int w = 0; w < m_options.weeks; ++w)
        weeks.push_back(create("weeks", weekXml(w + 1, m_year), "<year_id>" + id(m_year) + "</year_id>"));
    std::vector<qint64> days;
    const QDate first(2026, 8, 31);
    for (int d = 0; d < m_options.weeks * 5; ++d) {
        const std::string date
            = first.addDays(d / 5 * 7 + d % 5).toString(QStringLiteral("yyyy-MM-dd")).toStdString() + " 24:00:00-0400";
        days.push_back(create("days", dayXml(date, weeks[size_t(d / 5)]), "<actual_date>" + date + "</actual_date>"));
    }
    std::vector<qint64> lessons;
    for (size_t d = 0; d < days.size(); ++d) {
        for (size_t c = 0; c < courses.size(); ++c) {
            const std::string title = name("lesson", int(d * courses.size() + c));
            lessons.push_back(
                create("lessons", lessonXml(title, days[d], courses[c], "", ""), "<title>" + title + "</title>"));
        }
    }
    for (size_t i = 0; i < lessons.size(); i += 10)
        create("lesson_standards", lessonStandardXml(standards[i % standards.size()], lessons[i]),
            "<lesson_id>" + id(lessons[i]) + "</lesson_id>");
    std::vector<qint64> assignments;
    for (size_t i = 0; i + 1 < lessons.size(); i += 10)
        assignments.push_back(create("assignments", assignmentXml(lessons[i], lessons[i + 1]),
            "<due_lesson_id>" + id(lessons[i + 1]) + "</due_lesson_id>"));
    sendFiles(lessons, assignments);
    for (size_t i = 0; i < lessons.size(); i += 20)
        create("attachlinks", linkXml("lesson_id", lessons[i]), "<lesson_id>" + id(lessons[i]) + "</lesson_id>");
    for (size_t i = 0; i < assignments.size(); i += 4)
        create("assignment_attachlinks", linkXml("assignment_id", assignments[i]),
            "<assignment_id>" + id(assignments[i]) + "</assignment_id>");
    timed([&] { return m_client.get("/syncdone"); });
    if (!lessons.empty())
        updateSync(lessons, days.front(), courses.front());
}

void LoadTeacher::verify(const LoadTeacher& neighbour)
{
    if (m_client.get("/loginremote?version=1").body != "loggedin:" + id(m_year))
        problem(QStringLiteral("the account no longer holds its year"));
    for (const Sent& sent : m_sent) {
        const Reply reply = m_client.get(sent.path);
        ++m_checked;
        if (reply.status != 200 || reply.body.find(sent.mustHold) == std::string::npos)
            problem(QStringLiteral("%1 lost or changed (%2)").arg(QString::fromStdString(sent.path)).arg(reply.status));
    }
    for (const std::string& gone : m_deleted) {
        ++m_checked;
        if (m_client.get(gone).status != 404)
            problem(QStringLiteral("%1 still there after its delete").arg(QString::fromStdString(gone)));
    }
    for (const auto& [path, bytes] : m_files) {
        ++m_checked;
        if (m_client.get(path).body != bytes)
            problem(QStringLiteral("%1 holds other bytes").arg(QString::fromStdString(path)));
    }
    if (&neighbour == this)
        return;
    for (size_t i = 0; i < neighbour.m_sent.size(); i += 25) {
        ++m_checked;
        if (m_client.get(neighbour.m_sent[i].path).status != 404)
            problem(QStringLiteral("sees %1 of teacher%2")
                        .arg(QString::fromStdString(neighbour.m_sent[i].path))
                        .arg(neighbour.m_number));
    }
}
