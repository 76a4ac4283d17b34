#include "CalendarSyncFixture.h"
#include "CliRunner.h"
#include "RadicaleServer.h"
#include "calsync/CalDavStore.h"
#include "model/Lesson.h"
#include "model/Year.h"
#include "net/HttpClient.h"

namespace {

// The sync against a real CalDAV server, read back over CalDAV.
class CalDavSyncTest : public CalendarSyncFixture {
protected:
    void SetUp() override { ASSERT_TRUE(server.isRunning()) << server.problem().toStdString(); }

    CalDavStore store(const QString& password = RadicaleServer::password) const
    {
        return CalDavStore(server.url(), RadicaleServer::user, password);
    }

    CalendarSyncCounts syncToServer(bool changesOnly, const QString& password = RadicaleServer::password)
    {
        CalDavStore calDav = store(password);
        return sync(calDav, changesOnly);
    }

    // The calendar's events as a fresh connection reads them.
    QList<StoredEvent> serverEvents(const QString& calendar) const
    {
        CalDavStore reader = store();
        if (reader.open())
            return {};
        const Result<QList<StoredEvent>> events = reader.events(calendar);
        return events ? *events : QList<StoredEvent>();
    }

    static std::optional<StoredEvent> titled(const QList<StoredEvent>& events, const QString& title)
    {
        for (const StoredEvent& event : events) {
            if (event.event.title == title)
                return event;
        }
        return std::nullopt;
    }

    bool shown(const QString& title) const
    {
        return std::any_of(
            alerts.shown().begin(), alerts.shown().end(), [&](const Alert& alert) { return alert.title == title; });
    }

    RadicaleServer server;
};

} // namespace

TEST_F(CalDavSyncTest, SyncMakesTheCalendarsAndWritesEveryEvent)
{
    const QString title = QStringLiteral("Quotes \"here\", commas; and\na new line");
    lesson(QStringLiteral("Algebra"), 2)->setValue(u"lessonTitle", title);

    const CalendarSyncCounts counts = syncToServer(false);

    EXPECT_EQ(counts.written, 20);
    EXPECT_TRUE(alerts.shown().isEmpty());
    const QList<StoredEvent> algebra = serverEvents(QStringLiteral("Algebra"));
    EXPECT_EQ(algebra.size(), 10);
    const std::optional<StoredEvent> typed = titled(algebra, title);
    ASSERT_TRUE(typed);
    EXPECT_EQ(typed->event.uid, lesson(QStringLiteral("Algebra"), 2)->value<QString>(u"iCalUID"));
    EXPECT_EQ(typed->event.timeZone, QStringLiteral("America/New_York"));
    EXPECT_EQ(typed->event.start, (DateComponents { 2025, 10, 28, 8, 30, 0 }));
    EXPECT_EQ(year().calendarSyncDict().value(QStringLiteral("Algebra")).toMap().value(QStringLiteral("calendarType")),
        QStringLiteral("CalDAV"));
}

TEST_F(CalDavSyncTest, ChangedAndClearedLessonsAreUpdatedAndRemovedWithoutDuplicates)
{
    syncToServer(false);
    lesson(QStringLiteral("Algebra"), 3)->setValue(u"lessonTitle", QStringLiteral("Algebra three"));
    lesson(QStringLiteral("Algebra"), 4)->wipe();

    const CalendarSyncCounts changes = syncToServer(true);
    const CalendarSyncCounts again = syncToServer(false);

    EXPECT_EQ(changes.updated, 1);
    EXPECT_EQ(changes.deleted, 1);
    EXPECT_EQ(again.written + again.updated + again.deleted, 0);
    const QList<StoredEvent> algebra = serverEvents(QStringLiteral("Algebra"));
    EXPECT_EQ(algebra.size(), 9);
    EXPECT_TRUE(titled(algebra, QStringLiteral("Algebra three")));
    EXPECT_FALSE(titled(algebra, QStringLiteral("Algebra 4")));
    CalDavStore reader = store();
    ASSERT_FALSE(reader.open());
    // The two courses, the notes and the non-school days, each made once.
    EXPECT_EQ(reader.calendars().size(), 4);
}

TEST_F(CalDavSyncTest, WrongPasswordIsReportedAndTheDocumentStaysAsItWas)
{
    alerts.answerNext(AlertDefaultReturn);
    const CalendarSyncCounts counts = syncToServer(false, QStringLiteral("chalkboard"));

    EXPECT_EQ(counts.failed, 20);
    ASSERT_TRUE(shown(QStringLiteral("Calendar Sync Failed")));
    EXPECT_TRUE(alerts.last().message.contains(QStringLiteral("did not accept")));
    EXPECT_TRUE(lesson(QStringLiteral("Algebra"), 1)->value<QString>(u"iCalUID").isEmpty());
    EXPECT_TRUE(year().value<QString>(u"teacherDepartment").isEmpty());
    EXPECT_FALSE(year().value<std::optional<Date>>(u"lastICalSync"));
}

TEST_F(CalDavSyncTest, ServerThatWentAwayIsReportedAndTheDocumentStaysAsItWas)
{
    syncToServer(false);
    Lesson* changed = lesson(QStringLiteral("Biology"), 2);
    const QString uid = changed->value<QString>(u"iCalUID");
    const std::optional<Date> lastSync = year().value<std::optional<Date>>(u"lastICalSync");
    const QString table = year().value<QString>(u"teacherDepartment");
    changed->setValue(u"lessonTitle", QStringLiteral("Biology two"));
    server.stop();
    alerts.answerNext(AlertDefaultReturn);

    syncToServer(true);

    ASSERT_TRUE(shown(QStringLiteral("Calendar Sync Failed")));
    EXPECT_TRUE(alerts.last().message.contains(QStringLiteral("could not be reached")));
    EXPECT_EQ(changed->value<QString>(u"iCalUID"), uid);
    EXPECT_EQ(year().value<std::optional<Date>>(u"lastICalSync"), lastSync);
    EXPECT_EQ(year().value<QString>(u"teacherDepartment"), table);
}

TEST_F(CalDavSyncTest, EventChangedOnTheServerIsNotOverwritten)
{
    syncToServer(false);
    const std::optional<StoredEvent> event
        = titled(serverEvents(QStringLiteral("Biology")), QStringLiteral("Biology 3"));
    ASSERT_TRUE(event);
    HttpRequest edit;
    edit.method = "PUT";
    edit.url = event->href;
    edit.user = RadicaleServer::user;
    edit.password = RadicaleServer::password;
    edit.headers = { { "Content-Type", "text/calendar" }, { "If-Match", event->etag } };
    edit.body = QByteArray(event->data).replace("SUMMARY:Biology 3", "SUMMARY:Lab moved");
    ASSERT_TRUE(HttpClient().send(edit).succeeded());
    lesson(QStringLiteral("Biology"), 3)->setValue(u"lessonTitle", QStringLiteral("Biology three"));
    alerts.answerNext(AlertDefaultReturn);

    const CalendarSyncCounts counts = syncToServer(true);

    EXPECT_EQ(counts.failed, 1);
    EXPECT_TRUE(shown(QStringLiteral("Events changed in the calendar")));
    const QList<StoredEvent> biology = serverEvents(QStringLiteral("Biology"));
    EXPECT_TRUE(titled(biology, QStringLiteral("Lab moved")));
    EXPECT_FALSE(titled(biology, QStringLiteral("Biology three")));
}

TEST_F(CalDavSyncTest, PasswordIsNeverSentOverPlainHttpToAnotherHost)
{
    CalDavStore remote(
        QUrl(QStringLiteral("http://calendar.example.org/")), RadicaleServer::user, RadicaleServer::password);

    const CalendarStore::Outcome failed = remote.open();

    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->failure, CalendarStore::Failure::Unavailable);
    EXPECT_TRUE(CalDavStore::isSafeAddress(QUrl(QStringLiteral("https://calendar.example.org/dav/"))));
    EXPECT_TRUE(CalDavStore::isSafeAddress(server.url()));
}

TEST(CalDavCommandTest, CommandLineSyncsToTheServerWithThePasswordFromStandardInput)
{
    RadicaleServer server;
    ASSERT_TRUE(server.isRunning()) << server.problem().toStdString();
    CliRunner cli;
    const QString file = cli.newYear();
    const QStringList arguments { QStringLiteral("calendar-sync"), file, QStringLiteral("--caldav"),
        server.url().toString(), QStringLiteral("--user"), RadicaleServer::user, QStringLiteral("--password-stdin") };

    const CliRunner::Run first = cli.run(arguments, RadicaleServer::password.toUtf8() + '\n');
    cli.run({ QStringLiteral("clear"), file, QStringLiteral("--course"), QStringLiteral("Art"),
        QStringLiteral("--date"), QStringLiteral("2025-09-08") });
    const CliRunner::Run cleared
        = cli.run(arguments + QStringList { QStringLiteral("--changes") }, RadicaleServer::password.toUtf8() + '\n');
    const CliRunner::Run wrong = cli.run(arguments, "chalkboard\n");

    EXPECT_EQ(first.exitCode, 0) << first.errors.toStdString();
    EXPECT_EQ(first.out.trimmed(), QStringLiteral("written: 1, updated: 0, deleted: 0, failed: 0"));
    EXPECT_EQ(cleared.out.trimmed(), QStringLiteral("written: 0, updated: 0, deleted: 1, failed: 0"));
    EXPECT_EQ(wrong.exitCode, 1);
    EXPECT_TRUE(wrong.errors.contains(QStringLiteral("did not accept"))) << wrong.errors.toStdString();
}
