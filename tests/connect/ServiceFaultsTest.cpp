#include "ScriptedService.h"
#include "SyncFixture.h"
#include "connect/SemestraConnectSyncController.h"
#include "connect/SyncConnection.h"
#include "model/Document.h"
#include "model/Lesson.h"
#include "model/Year.h"
#include "testlib/ScriptedAlertPresenter.h"
#include "testlib/TemporaryPreferences.h"

#include <QEventLoop>

namespace {

const QByteArray errorPage = "<html><body><h1>502 Bad Gateway</h1></body></html>";
const QByteArray yearXml = "<?xml version=\"1.0\"?><year><id>5</id></year>";

} // namespace

// The engine against a service that misbehaves as real networks do.
class ServiceFaultsTest : public SyncFixture {
protected:
    void SetUp() override
    {
        SyncFixture::SetUp();
        document = open(smallYear());
        Year& year = *document->getCurrentYear();
        year.setValue(u"teacherSchool", QStringLiteral("5"));
        lesson = document->context().fetch<Lesson>(FetchRequest { QStringLiteral("Lesson"), {}, {} }).first();
        lesson->setValue(u"syncID", QStringLiteral("41\n"));
        ASSERT_TRUE(document->save());
        service.answer(QStringLiteral("GET /loginremote"), 200, "loggedin:5");
    }

    SyncOutcome runSync()
    {
        SyncConnection connection(*ServiceAddress::parse(service.address()));
        SemestraConnectSyncController sync(
            *document, connection, *m_alerts, SemestraConnectSyncController::Scope::Everything);
        sync.setReminder(SemestraConnectSyncController::Reminder::Skip);
        sync.setRetries(3, std::chrono::milliseconds(5));
        QEventLoop loop;
        QObject::connect(&sync, &SemestraConnectSyncController::finished, &loop, &QEventLoop::quit);
        sync.login();
        loop.exec();
        return sync.outcome();
    }

    int count(const QString& request) const { return int(service.received().count(request)); }

    TemporaryPreferences preferences;
    ScriptedService service;
    std::unique_ptr<Document> document;
    Lesson* lesson = nullptr;
};

TEST_F(ServiceFaultsTest, AnErrorOnTheYearCheckStopsWithoutPurgingOrCreatingAYear)
{
    service.answer(QStringLiteral("GET /years/5.xml"), 502, errorPage);
    m_alerts->answerNext(AlertDefaultReturn);
    const SyncOutcome outcome = runSync();
    EXPECT_EQ(outcome.state, SyncOutcome::State::Failed);
    EXPECT_EQ(count(QStringLiteral("GET /years/5.xml")), 3);
    EXPECT_EQ(count(QStringLiteral("POST /years/create")), 0);
    EXPECT_EQ(document->getCurrentYear()->value<QString>(u"teacherSchool"), QStringLiteral("5"));
    EXPECT_EQ(lesson->strippedID(), QStringLiteral("41"));
    EXPECT_EQ(m_alerts->last().title, SemestraConnectSyncController::stoppedTitle);
}

TEST_F(ServiceFaultsTest, OnlyA404MeansTheYearIsGone)
{
    service.answer(QStringLiteral("GET /years/5.xml"), 404, "no such year");
    service.answer(QStringLiteral("POST /years/create"), 500, errorPage);
    m_alerts->answerNext(AlertDefaultReturn);
    runSync();
    EXPECT_EQ(count(QStringLiteral("POST /years/create")), 3);
    // The old identifiers belong to the year that is gone.
    EXPECT_TRUE(lesson->syncID().isEmpty());
}

TEST_F(ServiceFaultsTest, AnErrorPageAnswered200IsNeverTakenForAnIdentifier)
{
    service.answer(QStringLiteral("GET /years/5.xml"), 200, yearXml);
    service.answer(QStringLiteral("PUT /years/5"), 200, "5");
    service.answer(QStringLiteral("GET /standards/"), 404);
    service.answer(QStringLiteral("POST /standards/create"), 200, errorPage);
    m_alerts->answerNext(AlertDefaultReturn);
    const SyncOutcome outcome = runSync();
    EXPECT_EQ(outcome.state, SyncOutcome::State::Failed);
    EXPECT_EQ(count(QStringLiteral("POST /standards/create")), 3);
    EXPECT_EQ(count(QStringLiteral("POST /courses/create")), 0);
    EXPECT_FALSE(SemestraConnectSyncController::referenceTime(*document->getCurrentYear()));
}

TEST_F(ServiceFaultsTest, DeletesOfRecordsAlreadyGoneCountAsDoneAndFailuresStay)
{
    document->getCurrentYear()->setValue(u"teacherPhone", QStringLiteral("7:lesson,8:attachfile,9:day,10:week,"));
    service.answer(QStringLiteral("DELETE /attachfiles/8"), 404);
    service.answer(QStringLiteral("DELETE /lessons/7"), 410);
    service.answer(QStringLiteral("DELETE /days/9"), 500, errorPage);
    service.answer(QStringLiteral("DELETE /weeks/10"), 200, "success");
    service.answer(QStringLiteral("GET /years/5.xml"), 502, errorPage);
    m_alerts->answerNext(AlertDefaultReturn);
    runSync();
    EXPECT_EQ(service.received().mid(1, 4),
        QStringList({ QStringLiteral("DELETE /attachfiles/8"), QStringLiteral("DELETE /lessons/7"),
            QStringLiteral("DELETE /days/9"), QStringLiteral("DELETE /weeks/10") }));
    EXPECT_EQ(document->getCurrentYear()->deleteStack(), QStringLiteral("9:day,"));
}

TEST_F(ServiceFaultsTest, NotLoggedInSendsNothing)
{
    ScriptedService loggedOut;
    loggedOut.answer(QStringLiteral("GET /loginremote"), 401, "not logged in");
    SyncConnection connection(*ServiceAddress::parse(loggedOut.address()));
    SemestraConnectSyncController sync(*document, connection, *m_alerts, SemestraConnectSyncController::Scope::Changes);
    QEventLoop loop;
    QObject::connect(&sync, &SemestraConnectSyncController::finished, &loop, &QEventLoop::quit);
    sync.login();
    loop.exec();
    EXPECT_EQ(sync.outcome().state, SyncOutcome::State::NotLoggedIn);
    EXPECT_EQ(loggedOut.received(), QStringList({ QStringLiteral("GET /loginremote?version=1") }));
}

TEST_F(ServiceFaultsTest, FilesThatKeepFailingAreReportedAndTheReferenceTimeStays)
{
    lesson->addFileWithPath(writeFile(QStringLiteral("notes.txt"), 100));
    service.answer(QStringLiteral("GET /years/5.xml"), 200, yearXml);
    service.answer(QStringLiteral("PUT /years/5"), 200, "5");
    service.answer(QStringLiteral("GET /attachfiles/new"), 200, "token");
    service.answer(QStringLiteral("POST /attachfiles"), 503, errorPage);
    service.answer(QStringLiteral("GET /standards/relink"), 200, "ok");
    service.answer(QStringLiteral("GET /syncdone"), 200, "ok");
    service.answer(QStringLiteral("GET /"), 404, "no such record");
    service.answer(QStringLiteral("PUT /"), 200, "3");
    service.answer(QStringLiteral("POST /"), 200, "3");
    m_alerts->answerNext(AlertDefaultReturn);
    const SyncOutcome outcome = runSync();
    EXPECT_TRUE(outcome.completed());
    EXPECT_EQ(outcome.filesFailed, 1);
    EXPECT_EQ(count(QStringLiteral("POST /attachfiles")), 3);
    EXPECT_EQ(m_alerts->last().title, SemestraConnectSyncController::filesFailedTitle);
    EXPECT_TRUE(m_alerts->last().message.startsWith(QLatin1String("1 files could not be uploaded")));
    EXPECT_FALSE(SemestraConnectSyncController::referenceTime(*document->getCurrentYear()));
    EXPECT_EQ(lesson->strippedID(), QStringLiteral("3"));
}
