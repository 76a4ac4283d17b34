#include "SyncFixture.h"
#include "connect/ConnectSession.h"
#include "connect/SemestraConnectSyncController.h"
#include "connect/SyncConnection.h"
#include "connect/SyncText.h"
#include "model/AssignedFile.h"
#include "model/AssignedWebLink.h"
#include "model/Assignment.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Document.h"
#include "model/Lesson.h"
#include "model/Standard.h"
#include "model/StandardInLesson.h"
#include "model/Week.h"
#include "model/Year.h"
#include "testlib/FileHash.h"
#include "testlib/MemoryPasswordStore.h"
#include "testlib/ScriptedAlertPresenter.h"
#include "testlib/TemporaryPreferences.h"

#include <QEventLoop>
#include <QFile>
#include <QRegularExpression>
#include <QUrl>

namespace {

const QString biology = QStringLiteral("Biology");

QStringList lessonArguments(const QString& command, const QString& file, const QString& date)
{
    return { command, file, QStringLiteral("--course"), biology, QStringLiteral("--date"), date };
}

QStringList changing(const QStringList& requests)
{
    QStringList changes;
    for (const QString& request : requests) {
        if (!request.startsWith(QLatin1String("GET ")))
            changes.append(request.section(QLatin1Char(' '), 0, 1)
                               .replace(QRegularExpression(QStringLiteral("/\\d+")), QStringLiteral("/N")));
    }
    return changes;
}

template <typename T> QList<T*> all(Document& document, const QString& entity)
{
    return document.context().fetch<T>(FetchRequest { entity, {}, {} });
}

} // namespace

class SyncEndToEndTest : public SyncFixture {
protected:
    // A lesson with a tricky title, a file and a link, and work given in
    // it with a file and a link of its own.
    QString filledYear()
    {
        const QString file = smallYear();
        const QString day = QStringLiteral("2025-09-09");
        runOk(lessonArguments(QStringLiteral("set-lesson"), file, day)
            << QStringLiteral("--title") << QStringLiteral("Fish & Chips <2>"));
        runOk(lessonArguments(QStringLiteral("attach"), file, day)
            << QStringLiteral("--file") << writeFile(QStringLiteral("cells notes.pdf"), 70000));
        runOk(lessonArguments(QStringLiteral("attach"), file, day)
            << QStringLiteral("--url") << QStringLiteral("https://example.org/a?x=1&y=2") << QStringLiteral("--name")
            << QStringLiteral("Cells"));
        runOk(lessonArguments(QStringLiteral("assign"), file, day)
            << QStringLiteral("--title") << QStringLiteral("Read") << QStringLiteral("--due")
            << QStringLiteral("2025-09-11"));
        runOk(lessonArguments(QStringLiteral("attach"), file, day)
            << QStringLiteral("--assignment") << QStringLiteral("Read") << QStringLiteral("--file")
            << writeFile(QStringLiteral("reading.txt"), 1000));
        runOk(lessonArguments(QStringLiteral("attach"), file, day)
            << QStringLiteral("--assignment") << QStringLiteral("Read") << QStringLiteral("--url")
            << QStringLiteral("https://example.org/read") << QStringLiteral("--name") << QStringLiteral("Reading"));
        return file;
    }

    void expectServerHoldsDocument(Document& document)
    {
        const Year& year = *document.getCurrentYear();
        ASSERT_FALSE(year.value<QString>(u"teacherSchool").isEmpty());
        for (Course* course : all<Course>(document, QStringLiteral("MyCourse")))
            EXPECT_EQ(record(QStringLiteral("courses"), course->syncID()).value(QStringLiteral("course_name")),
                course->courseName());
        for (Week* week : all<Week>(document, QStringLiteral("Week")))
            EXPECT_EQ(record(QStringLiteral("weeks"), week->syncID()).value(QStringLiteral("week_number")).toInt(),
                week->weekNumber());
        for (Day* day : all<Day>(document, QStringLiteral("Day"))) {
            const auto held = record(QStringLiteral("days"), day->syncID());
            EXPECT_EQ(held.value(QStringLiteral("actual_date")), SyncText::dayDate(day->actualDate()));
            EXPECT_EQ(held.value(QStringLiteral("week_id")), day->week()->syncID());
        }
        for (Lesson* lesson : all<Lesson>(document, QStringLiteral("Lesson"))) {
            const auto held = record(QStringLiteral("lessons"), lesson->syncID());
            EXPECT_EQ(held.value(QStringLiteral("title")), lesson->lessonTitle());
            EXPECT_EQ(held.value(QStringLiteral("day_id")), lesson->dayTaught()->syncID());
            EXPECT_EQ(held.value(QStringLiteral("course_id")), lesson->course()->syncID());
        }
        for (StandardInLesson* link : all<StandardInLesson>(document, QStringLiteral("StandardInLesson"))) {
            const auto held = record(QStringLiteral("lesson_standards"), link->syncID());
            EXPECT_EQ(held.value(QStringLiteral("lesson_id")), link->lesson()->syncID());
            EXPECT_EQ(held.value(QStringLiteral("standard_id")), link->standard()->syncID());
        }
        for (Assignment* work : all<Assignment>(document, QStringLiteral("Assignment"))) {
            const auto held = record(QStringLiteral("assignments"), work->syncID());
            EXPECT_EQ(held.value(QStringLiteral("title")), work->title());
            EXPECT_EQ(held.value(QStringLiteral("assigned_lesson_id")), work->assignedLesson()->syncID());
            EXPECT_EQ(held.value(QStringLiteral("due_lesson_id")), work->dueLesson()->syncID());
        }
        for (AttachedFile* file : all<AttachedFile>(document, QStringLiteral("AttachedFile"))) {
            const bool assigned = dynamic_cast<AssignedFile*>(file) != nullptr;
            const QString resource
                = assigned ? QStringLiteral("assignment_attachfiles") : QStringLiteral("attachfiles");
            QFile local(file->actualPath());
            // A file that is not on this computer cannot be sent.
            if (!local.open(QIODevice::ReadOnly)) {
                EXPECT_TRUE(file->syncID().isEmpty());
                continue;
            }
            EXPECT_EQ(download(resource, file->syncID()), local.readAll()) << file->actualPath().toStdString();
        }
        for (AttachedWebLink* link : all<AttachedWebLink>(document, QStringLiteral("AttachedWebLink"))) {
            const bool assigned = dynamic_cast<AssignedWebLink*>(link) != nullptr;
            const auto held = record(
                assigned ? QStringLiteral("assignment_attachlinks") : QStringLiteral("attachlinks"), link->syncID());
            EXPECT_EQ(QUrl::fromPercentEncoding(held.value(QStringLiteral("url")).toUtf8()), link->url());
            EXPECT_EQ(held.value(QStringLiteral("name")), link->name());
        }
    }
};

TEST_F(SyncEndToEndTest, FullSyncPutsEveryRecordOnTheServiceAsTheDocumentHoldsIt)
{
    const QString file = filledYear();
    const CliRun synced = sync(file, QStringLiteral("teacher"), { QStringLiteral("--all") });
    ASSERT_TRUE(synced.succeeded()) << synced.errors.toStdString();
    EXPECT_TRUE(synced.out.contains(QLatin1String("POST /years/create 302")));
    EXPECT_TRUE(synced.out.contains(QLatin1String(" 0 files failed")));
    auto document = open(file);
    expectServerHoldsDocument(*document);
    EXPECT_TRUE(SemestraConnectSyncController::referenceTime(*document->getCurrentYear()).has_value());
}

TEST_F(SyncEndToEndTest, FullSyncOfADemoYearMatchesTheDocument)
{
    const QString file = path(QStringLiteral("demo.semestra"));
    runOk({ QStringLiteral("demo"), file });
    const CliRun synced = sync(file);
    ASSERT_TRUE(synced.succeeded()) << synced.errors.toStdString();
    auto document = open(file);
    expectServerHoldsDocument(*document);
}

TEST_F(SyncEndToEndTest, ChangesOnlySendTheYearAndTheChangedLesson)
{
    const QString file = filledYear();
    ASSERT_TRUE(sync(file).succeeded());
    runOk(lessonArguments(QStringLiteral("set-lesson"), file, QStringLiteral("2025-09-15"))
        << QStringLiteral("--title") << QStringLiteral("Osmosis"));
    newRequests();
    const CliRun again = sync(file);
    ASSERT_TRUE(again.succeeded()) << again.errors.toStdString();
    EXPECT_EQ(changing(newRequests()),
        QStringList(
            { QStringLiteral("POST /login"), QStringLiteral("PUT /years/N"), QStringLiteral("PUT /lessons/N") }));
}

TEST_F(SyncEndToEndTest, AnEmptiedLessonIsSentWithTheChanges)
{
    const QString file = filledYear();
    ASSERT_TRUE(sync(file).succeeded());
    runOk(lessonArguments(QStringLiteral("clear"), file, QStringLiteral("2025-09-09")));
    newRequests();
    ASSERT_TRUE(sync(file).succeeded());
    EXPECT_TRUE(changing(newRequests()).contains(QStringLiteral("PUT /lessons/N")));
}

TEST_F(SyncEndToEndTest, ADeletedLessonsFilesAreDeletedBeforeTheLesson)
{
    const QString file = smallYear();
    const QString day = QStringLiteral("2025-09-10");
    for (const QString& name : { QStringLiteral("one.txt"), QStringLiteral("two.txt") })
        runOk(lessonArguments(QStringLiteral("attach"), file, day) << QStringLiteral("--file") << writeFile(name, 100));
    ASSERT_TRUE(sync(file).succeeded());
    QString lessonId;
    {
        auto document = open(file);
        for (Lesson* lesson : all<Lesson>(*document, QStringLiteral("Lesson"))) {
            if (!lesson->attachments().isEmpty())
                lessonId = lesson->strippedID();
        }
    }
    runOk(lessonArguments(QStringLiteral("remove-lesson"), file, day) << QStringLiteral("--delete"));
    newRequests();
    ASSERT_TRUE(sync(file).succeeded());
    QStringList deletes;
    for (const QString& request : newRequests()) {
        if (request.startsWith(QLatin1String("DELETE")))
            deletes.append(request.section(QLatin1Char(' '), 1, 1).section(QLatin1Char('/'), 1, 1));
    }
    EXPECT_EQ(deletes,
        QStringList({ QStringLiteral("attachfiles"), QStringLiteral("attachfiles"), QStringLiteral("lessons") }));
    EXPECT_TRUE(record(QStringLiteral("lessons"), lessonId).isEmpty());
    EXPECT_TRUE(open(file)->getCurrentYear()->deleteStack().isEmpty());
}

TEST_F(SyncEndToEndTest, AfterAResetTheYearIsSentAnewOnceTheOnlineCopyIsPurged)
{
    const QString file = smallYear();
    ASSERT_TRUE(sync(file).succeeded());
    runOk({ QStringLiteral("sync-reset"), file, QStringLiteral("--yes") });
    const CliRun refused = sync(file);
    EXPECT_FALSE(refused.succeeded());
    EXPECT_TRUE(refused.errors.contains(QLatin1String("does not match")));

    HttpRequest settings;
    settings.url = QStringLiteral("/");
    const QByteArray page = service().sendAndWait(settings).body;
    const QString token = QRegularExpression(QStringLiteral("name=\"csrf_token\" value=\"([^\"]*)\""))
                              .match(QString::fromUtf8(page))
                              .captured(1);
    HttpRequest purge;
    purge.method = "POST";
    purge.url = QStringLiteral("/settings/purge");
    purge.headers = { { "Content-Type", "application/x-www-form-urlencoded" } };
    purge.body = "confirm=yes&csrf_token=" + QUrl::toPercentEncoding(token);
    ASSERT_LT(service().sendAndWait(purge).status, 400);

    newRequests();
    const CliRun again = sync(file);
    ASSERT_TRUE(again.succeeded()) << again.errors.toStdString();
    const QStringList sent = changing(newRequests());
    EXPECT_TRUE(sent.contains(QStringLiteral("POST /years/create")));
    EXPECT_FALSE(sent.contains(QStringLiteral("PUT /lessons/N")));
    expectServerHoldsDocument(*open(file));
}

TEST_F(SyncEndToEndTest, AFileOfAnotherAccountsYearIsRefusedAndLeftAsItWas)
{
    const QString file = smallYear();
    ASSERT_TRUE(sync(file).succeeded());
    const QString others = path(QStringLiteral("others.semestra"));
    QFile::copy(file, others);
    runOk({ QStringLiteral("sync-reset"), others, QStringLiteral("--yes") });
    ASSERT_TRUE(sync(others, QStringLiteral("other")).succeeded());
    const QByteArray before = fileHash(file);
    const CliRun refused = sync(file, QStringLiteral("other"));
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.out.contains(QLatin1String("File doesn't match account"))
        || refused.errors.contains(QLatin1String("File doesn't match account")));
    EXPECT_EQ(fileHash(file), before);
}

TEST_F(SyncEndToEndTest, AWrongPasswordSendsNothingAndLeavesTheFile)
{
    const QString file = smallYear();
    const QByteArray before = fileHash(file);
    const CliRun refused = sync(file, QStringLiteral("teacher"), {}, QStringLiteral("wrong"));
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.errors.contains(QLatin1String("refused the user name or password")));
    EXPECT_EQ(refused.errors.count(QLatin1Char('\n')), 1);
    EXPECT_EQ(fileHash(file), before);
    EXPECT_FALSE(changing(newRequests()).contains(QStringLiteral("POST /years/create")));
}

TEST_F(SyncEndToEndTest, LargeAndPrivateFilesAreNotUploaded)
{
    const QString file = smallYear();
    const QString day = QStringLiteral("2025-09-11");
    runOk(lessonArguments(QStringLiteral("attach"), file, day)
        << QStringLiteral("--file") << writeFile(QStringLiteral("big.mov"), 20 * 1024 * 1024 + 1));
    runOk(lessonArguments(QStringLiteral("attach"), file, day)
        << QStringLiteral("--file") << writeFile(QStringLiteral("private.txt"), 10));
    runOk(lessonArguments(QStringLiteral("attach"), file, day)
        << QStringLiteral("--file") << writeFile(QStringLiteral("public.txt"), 10));
    {
        auto document = open(file);
        for (AttachedFile* attached : all<AttachedFile>(*document, QStringLiteral("AttachedFile"))) {
            if (attached->actualPath().endsWith(QLatin1String("private.txt")))
                attached->setValue(u"publish", false);
        }
        ASSERT_TRUE(document->save());
    }
    ASSERT_TRUE(sync(file).succeeded());
    auto document = open(file);
    for (AttachedFile* attached : all<AttachedFile>(*document, QStringLiteral("AttachedFile")))
        EXPECT_EQ(attached->syncID().isEmpty(), !attached->actualPath().endsWith(QLatin1String("public.txt")))
            << attached->actualPath().toStdString();
    EXPECT_EQ(changing(newRequests()).count(QStringLiteral("POST /attachfiles")), 1);
}

// In this process, to stop the service at a known point of the sync.
TEST_F(SyncEndToEndTest, AServiceThatStopsMidSyncLosesNothingAndTheNextSyncCompletes)
{
    TemporaryPreferences preferences;
    const QString file = filledYear();
    auto document = open(file);
    const qsizetype lessons = all<Lesson>(*document, QStringLiteral("Lesson")).size();
    MemoryPasswordStore keyring;
    {
        SyncConnection connection(*ServiceAddress::parse(m_server.address()));
        ASSERT_TRUE(ConnectSession(connection, keyring).logIn(QStringLiteral("teacher"), password));
        SemestraConnectSyncController sync(
            *document, connection, *m_alerts, SemestraConnectSyncController::Scope::Changes);
        sync.setReminder(SemestraConnectSyncController::Reminder::Skip);
        sync.setRetries(3, std::chrono::milliseconds(20));
        m_alerts->answerNext(AlertDefaultReturn);
        QObject::connect(&sync, &SemestraConnectSyncController::statusChanged, [this](const QString& text) {
            if (text == QLatin1String("sending lesson 5 of 20"))
                m_server.stop();
        });
        QEventLoop loop;
        QObject::connect(&sync, &SemestraConnectSyncController::finished, &loop, &QEventLoop::quit);
        sync.login();
        loop.exec();
        EXPECT_EQ(sync.outcome().state, SyncOutcome::State::Failed);
        ASSERT_FALSE(m_alerts->shown().isEmpty());
        EXPECT_EQ(m_alerts->last().title, SemestraConnectSyncController::stoppedTitle);
        EXPECT_FALSE(SemestraConnectSyncController::referenceTime(*document->getCurrentYear()).has_value());
    }
    document.reset();
    QString error;
    ASSERT_TRUE(m_server.restart(&error)) << error.toStdString();
    m_service.reset();
    const CliRun again = sync(file);
    ASSERT_TRUE(again.succeeded()) << again.errors.toStdString();
    // Every lesson was created once: the ids of the first try were kept.
    EXPECT_EQ(changing(m_server.requests()).count(QStringLiteral("POST /lessons/create")), lessons);
    expectServerHoldsDocument(*open(file));
}
