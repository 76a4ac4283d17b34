#include "SyncFixture.h"
#include "connect/ConnectSession.h"
#include "connect/FeedbackController.h"
#include "connect/SyncConnection.h"
#include "foundation/prefs/Preferences.h"
#include "gui/connect/FeedbackWindow.h"
#include "gui/connect/SemestraConnectActions.h"
#include "gui/window/DocumentWindow.h"
#include "model/Document.h"
#include "model/Year.h"
#include "store/FetchRequest.h"
#include "store/ManagedObject.h"
#include "testlib/MemoryPasswordStore.h"
#include "testlib/ScriptedAlertPresenter.h"
#include "testlib/ScriptedFileChooser.h"
#include "testlib/TemporaryPreferences.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTextEdit>
#include <QTimer>
#include <QtTest/QTest>

#include <functional>
#include <memory>

namespace {

void saveShot(QWidget& widget, const QString& name)
{
    ASSERT_TRUE(QDir().mkpath(QStringLiteral(SEMESTRA_SCREENSHOT_DIR)));
    EXPECT_TRUE(widget.grab().save(QStringLiteral(SEMESTRA_SCREENSHOT_DIR "/") + name));
}
} // namespace

// The document window's SemestraConnect menu, status line and feedback
// window, against the service.
class ConnectWindowTest : public SyncFixture {
protected:
    void SetUp() override
    {
        SyncFixture::SetUp();
        preferences.preferences().setValue(SemestraConnectActions::addressKey, m_server.address());
        openWindow(smallYear());
    }

    void openWindow(const QString& file)
    {
        window = std::make_unique<DocumentWindow>(windowAlerts, windowFiles);
        ASSERT_TRUE(window->openFile(file));
        actions().setPasswordStore(keyring);
        actions().setRetries(2, std::chrono::milliseconds(10));
        actions().setBrowser([this](const QUrl& url) { allowInBrowser(url); });
    }

    // Runs `action` whenever the status line first shows a text starting with `prefix`.
    void onStatus(const QString& prefix, std::function<void()> action)
    {
        auto done = std::make_shared<bool>(false);
        QObject::connect(window->statusBar(), &QStatusBar::messageChanged, window.get(),
            [prefix, action = std::move(action), done](const QString& text) {
                if (!*done && text.startsWith(prefix)) {
                    *done = true;
                    action();
                }
            });
    }

    // Records of the document that hold an identifier of the service.
    int identifiedRecords()
    {
        int count = 0;
        for (const QString& entity : { QStringLiteral("MyCourse"), QStringLiteral("Week"), QStringLiteral("Day"),
                 QStringLiteral("Lesson"), QStringLiteral("Standard") }) {
            for (ManagedObject* record : window->document().context().fetch(FetchRequest { entity, {}, {} }))
                count += record->value<QString>(u"syncID").isEmpty() ? 0 : 1;
        }
        return count;
    }

    SemestraConnectActions& actions() { return window->connectActions(); }

    // What the teacher does in the browser: log in, then press "Allow" on
    // the page the planner opened, sending that form as a browser would.
    void allowInBrowser(const QUrl& url)
    {
        ++browserVisits;
        HttpRequest page;
        page.url = url.path() + QLatin1Char('?') + url.query(QUrl::FullyEncoded);
        const QString html = QString::fromUtf8(service().sendAndWait(page).body);
        static const QRegularExpression allow(QStringLiteral("<button[^>]*name=\"([^\"]+)\" value=\"allow\""));
        const auto button = allow.match(html);
        ASSERT_TRUE(button.hasMatch()) << html.toStdString();
        const QString form = html.left(button.capturedStart()).section(QStringLiteral("<form"), -1);
        static const QRegularExpression action(QStringLiteral("action=\"([^\"]+)\""));
        static const QRegularExpression hidden(QStringLiteral("type=\"hidden\" name=\"([^\"]+)\" value=\"([^\"]*)\""));
        HttpRequest confirm;
        confirm.method = "POST";
        confirm.url = QUrl(action.match(form).captured(1)).path();
        confirm.headers = { { "Content-Type", "application/x-www-form-urlencoded" } };
        confirm.body = button.captured(1).toUtf8() + "=allow";
        for (auto field = hidden.globalMatch(form); field.hasNext();) {
            const auto match = field.next();
            confirm.body += '&' + match.captured(1).toUtf8() + '=' + QUrl::toPercentEncoding(match.captured(2));
        }
        EXPECT_EQ(service().sendAndWait(confirm).status, 200);
    }

    SyncOutcome syncFromMenu(QAction* action)
    {
        QSignalSpy finished(&actions(), &SemestraConnectActions::syncFinished);
        action->trigger();
        EXPECT_TRUE(finished.wait(60000));
        return finished.isEmpty() ? SyncOutcome {} : finished.first().first().value<SyncOutcome>();
    }

    TemporaryPreferences preferences;
    MemoryPasswordStore keyring;
    ScriptedAlertPresenter windowAlerts;
    ScriptedFileChooser windowFiles;
    std::unique_ptr<DocumentWindow> window;
    int browserVisits = 0;
};

TEST_F(ConnectWindowTest, WithoutAnAddressOnlyTheAddressItemShows)
{
    preferences.preferences().setValue(SemestraConnectActions::addressKey, QString());
    actions().updateStates();
    EXPECT_FALSE(actions().syncChangesAction()->isVisible());
    EXPECT_FALSE(actions().logOutAction()->isVisible());
    EXPECT_FALSE(actions().feedbackAction()->isVisible());
    preferences.preferences().setValue(SemestraConnectActions::addressKey, m_server.address());
    actions().updateStates();
    EXPECT_TRUE(actions().syncChangesAction()->isVisible());
    EXPECT_TRUE(actions().feedbackAction()->isVisible());
}

TEST_F(ConnectWindowTest, AFirstSyncLogsInThroughTheBrowserAndKeepsTheSessionInTheKeyring)
{
    window->show();
    windowAlerts.answerNext(AlertAlternateReturn); // "Close": no reminder next time
    bool sawBusyMenu = false;
    QObject::connect(window->statusBar(), &QStatusBar::messageChanged, window.get(), [&](const QString& text) {
        if (text.startsWith(QLatin1String("sending day 3 of")) && !sawBusyMenu) {
            sawBusyMenu = true;
            EXPECT_FALSE(actions().syncChangesAction()->isEnabled());
            EXPECT_FALSE(actions().syncEverythingAction()->isEnabled());
            EXPECT_TRUE(actions().cancelButton()->isVisible());
            saveShot(*window, QStringLiteral("connect-status-line.png"));
        }
    });
    const SyncOutcome outcome = syncFromMenu(actions().syncEverythingAction());
    EXPECT_TRUE(outcome.completed()) << outcome.reason.toStdString();
    EXPECT_TRUE(sawBusyMenu);
    EXPECT_EQ(browserVisits, 1);
    EXPECT_FALSE(preferences.preferences().boolValue(QStringLiteral("remindAboutSyncProgress")));
    EXPECT_EQ(keyring.kept.size(), 1);
    EXPECT_FALSE(window->document().getCurrentYear()->value<QString>(u"teacherSchool").isEmpty());
    EXPECT_TRUE(actions().syncChangesAction()->isEnabled());
    EXPECT_FALSE(actions().cancelButton()->isVisible());

    // The kept session serves the next sync: no browser this time.
    EXPECT_TRUE(syncFromMenu(actions().syncChangesAction()).completed());
    EXPECT_EQ(browserVisits, 1);

    actions().menu()->popup(window->mapToGlobal(QPoint(0, 0)));
    saveShot(*actions().menu(), QStringLiteral("connect-menu.png"));
    actions().menu()->hide();
}

TEST_F(ConnectWindowTest, CancelStopsTheSyncAndKeepsTheReferenceTime)
{
    windowAlerts.answerNext(AlertDefaultReturn);
    QObject::connect(window->statusBar(), &QStatusBar::messageChanged, window.get(), [&](const QString& text) {
        if (text.startsWith(QLatin1String("sending day 2 of")))
            actions().cancelButton()->click();
    });
    const SyncOutcome outcome = syncFromMenu(actions().syncEverythingAction());
    EXPECT_EQ(outcome.state, SyncOutcome::State::Cancelled);
    EXPECT_TRUE(window->document().getCurrentYear()->value<QString>(u"teacherAddress").isEmpty());
    EXPECT_TRUE(actions().syncEverythingAction()->isEnabled());
}

TEST_F(ConnectWindowTest, LogOutEndsTheSessionOnTheServiceAndForgetsIt)
{
    SyncConnection connection(*ServiceAddress::parse(m_server.address()));
    ConnectSession session(connection, keyring);
    ASSERT_TRUE(session.logIn(QStringLiteral("teacher"), password));
    ASSERT_TRUE(session.remember());
    const QString cookie = connection.sessionCookie();
    actions().logOutAction()->trigger();
    EXPECT_TRUE(keyring.kept.isEmpty());
    SyncConnection old(*ServiceAddress::parse(m_server.address()));
    old.setSessionCookie(cookie);
    HttpRequest check;
    check.url = QStringLiteral("/loginremote?version=1");
    EXPECT_EQ(old.sendAndWait(check).status, 401);
}

TEST_F(ConnectWindowTest, FeedbackIsPostedAndThanked)
{
    actions().feedbackAction()->trigger();
    FeedbackWindow* feedback = actions().feedbackWindow();
    ASSERT_NE(feedback, nullptr);
    feedback->sections()->setCurrentIndex(FeedbackController::Feature);
    feedback->text()->setPlainText(QStringLiteral("Please add a term calendar."));
    feedback->name()->setText(QStringLiteral("Ada Teacher"));
    feedback->email()->setEditText(QStringLiteral("ada@example.org"));
    saveShot(*feedback, QStringLiteral("feedback-window.png"));
    feedback->includeProfile()->setChecked(false);
    windowAlerts.answerNext(AlertDefaultReturn);
    QSignalSpy done(&feedback->controller(), &FeedbackController::finished);
    feedback->sendButton()->click();
    ASSERT_TRUE(done.wait(30000));
    EXPECT_TRUE(done.first().first().toBool());
    EXPECT_EQ(windowAlerts.last().title, FeedbackController::sentTitle);
    const QString listed = m_server.feedbackList();
    EXPECT_TRUE(listed.contains(QLatin1String("FEATURE"))) << listed.toStdString();
    EXPECT_TRUE(listed.contains(QLatin1String("ada@example.org")));
    EXPECT_TRUE(listed.contains(QLatin1String("Please add a term calendar.")));
}

TEST_F(ConnectWindowTest, FeedbackToAServiceThatIsDownSaysSo)
{
    actions().feedbackAction()->trigger();
    FeedbackWindow* feedback = actions().feedbackWindow();
    ASSERT_NE(feedback, nullptr);
    m_server.stop();
    feedback->includeContact()->setChecked(false);
    windowAlerts.answerNext(AlertDefaultReturn); // "Send Anyway" without an address
    windowAlerts.answerNext(AlertDefaultReturn);
    QSignalSpy done(&feedback->controller(), &FeedbackController::finished);
    feedback->sendButton()->click();
    ASSERT_TRUE(done.wait(30000));
    EXPECT_FALSE(done.first().first().toBool());
    EXPECT_EQ(windowAlerts.shown().first().title, FeedbackController::noEmailTitle);
    EXPECT_EQ(windowAlerts.last().title, FeedbackController::failedTitle);
    EXPECT_TRUE(feedback->sendButton()->isEnabled());
}

TEST_F(ConnectWindowTest, ACancelledSyncStopsItsHangingRequestSoTheNextStartsAtOnce)
{
    windowAlerts.answerNext(AlertAlternateReturn); // "Close" the reminder
    // The service hangs just as a day is sent; the teacher gives up.
    onStatus(QStringLiteral("sending day 2 of"), [this] {
        m_server.freeze();
        QTimer::singleShot(300, actions().cancelButton(), &QPushButton::click);
    });
    const SyncOutcome cancelled = syncFromMenu(actions().syncEverythingAction());
    EXPECT_EQ(cancelled.state, SyncOutcome::State::Cancelled);

    // Starting again must not wait for the hung request: the service's
    // own timeout is a minute, the guard here a third of that.
    QSignalSpy finished(&actions(), &SemestraConnectActions::syncFinished);
    QElapsedTimer starting;
    starting.start();
    actions().syncEverythingAction()->trigger();
    EXPECT_LT(starting.elapsed(), 20000);
    EXPECT_TRUE(actions().isBusy());
    m_server.thaw();
    ASSERT_TRUE(finished.wait(60000));
    const auto again = finished.first().first().value<SyncOutcome>();
    EXPECT_TRUE(again.completed()) << again.reason.toStdString();
    EXPECT_FALSE(window->document().getCurrentYear()->value<QString>(u"teacherAddress").isEmpty());
}

TEST_F(ConnectWindowTest, ResetSyncInformationAsksFirstThenForgetsEveryIdentifier)
{
    windowAlerts.answerNext(AlertAlternateReturn); // "Close" the reminder
    bool resetEnabled = true;
    bool logOutEnabled = true;
    onStatus(QStringLiteral("sending day 3 of"), [&] {
        resetEnabled = actions().resetAction()->isEnabled();
        logOutEnabled = actions().logOutAction()->isEnabled();
    });
    ASSERT_TRUE(syncFromMenu(actions().syncEverythingAction()).completed());
    EXPECT_FALSE(resetEnabled);
    EXPECT_FALSE(logOutEnabled);
    EXPECT_TRUE(actions().resetAction()->isEnabled());
    Year& year = *window->document().getCurrentYear();
    const int identified = identifiedRecords();
    ASSERT_GT(identified, 20);

    windowAlerts.answerNext(AlertAlternateReturn); // "Cancel"
    actions().resetAction()->trigger();
    EXPECT_EQ(windowAlerts.last().title, SemestraConnectSyncController::purgeTitle);
    EXPECT_TRUE(windowAlerts.last().message.contains(m_server.address()));
    EXPECT_EQ(identifiedRecords(), identified);
    EXPECT_FALSE(year.value<QString>(u"teacherSchool").isEmpty());
    EXPECT_FALSE(year.value<QString>(u"teacherAddress").isEmpty());

    windowAlerts.answerNext(AlertDefaultReturn); // "Purge"
    windowAlerts.answerNext(AlertDefaultReturn); // "OK"
    actions().resetAction()->trigger();
    EXPECT_EQ(windowAlerts.last().title, SemestraConnectSyncController::purgedTitle);
    EXPECT_EQ(identifiedRecords(), 0);
    EXPECT_TRUE(year.value<QString>(u"teacherSchool").isEmpty());
    EXPECT_TRUE(year.value<QString>(u"teacherAddress").isEmpty());
}

TEST_F(ConnectWindowTest, FeedbackToAHostThatCannotBeFoundAsksBeforeOpening)
{
    preferences.preferences().setValue(SemestraConnectActions::addressKey, QStringLiteral("https://feedback.invalid"));
    windowAlerts.answerNext(AlertAlternateReturn); // "Cancel"
    actions().feedbackAction()->trigger();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !windowAlerts.shown().isEmpty(); }, 20000));
    EXPECT_EQ(windowAlerts.last().title, SemestraConnectActions::unreachableFeedbackTitle);
    EXPECT_TRUE(windowAlerts.last().message.contains(QLatin1String("feedback.invalid")));
    EXPECT_EQ(windowAlerts.last().defaultButton, QStringLiteral("Proceed Anyway"));
    EXPECT_EQ(windowAlerts.last().alternateButton, QStringLiteral("Cancel"));
    QTest::qWait(50);
    EXPECT_EQ(actions().feedbackWindow(), nullptr);

    windowAlerts.answerNext(AlertDefaultReturn); // "Proceed Anyway"
    actions().feedbackAction()->trigger();
    ASSERT_TRUE(QTest::qWaitFor([this] { return actions().feedbackWindow() != nullptr; }, 20000));
    EXPECT_EQ(windowAlerts.shown().size(), 2);
    EXPECT_TRUE(actions().feedbackWindow()->isVisible());
}

TEST_F(ConnectWindowTest, FeedbackToTheLoopbackAddressOpensWithoutAsking)
{
    actions().feedbackAction()->trigger();
    ASSERT_NE(actions().feedbackWindow(), nullptr);
    EXPECT_TRUE(actions().feedbackWindow()->isVisible());
    EXPECT_TRUE(windowAlerts.shown().isEmpty());
}

TEST_F(ConnectWindowTest, AnUploadShowsItsProgressInTheStatusLine)
{
    const QString file = window->document().filePath();
    window.reset();
    runOk({ QStringLiteral("attach"), file, QStringLiteral("--course"), QStringLiteral("Biology"),
        QStringLiteral("--date"), QStringLiteral("2025-09-09"), QStringLiteral("--file"),
        writeFile(QStringLiteral("cell atlas.pdf"), 16 * 1024 * 1024) });
    openWindow(file);
    preferences.preferences().setValue(QStringLiteral("syncPrivateFiles"), true);
    window->resize(900, 600);
    window->show();
    windowAlerts.answerNext(AlertAlternateReturn); // "Close" the reminder
    // A service that stops reading mid-upload keeps the progress on screen.
    onStatus(QStringLiteral("Sending attached file 1 of 1"), [this] { m_server.freeze(); });
    static const QRegularExpression line(
        QStringLiteral("^cell atlas\\.pdf \\((\\d+)K of 16384K at (\\d+(\\.\\d)?) Kb/s\\)$"));
    QStringList progress;
    bool shot = false;
    QObject::connect(window->statusBar(), &QStatusBar::messageChanged, window.get(), [&](const QString& text) {
        if (!text.startsWith(QLatin1String("cell atlas")))
            return;
        progress.append(text);
        const auto match = line.match(text);
        EXPECT_TRUE(match.hasMatch()) << text.toStdString();
        if (match.captured(1).toInt() > 0 && !shot) {
            shot = true;
            saveShot(*window, QStringLiteral("sync-status-upload.png"));
            m_server.thaw();
        }
    });
    QTimer guard; // thaws a service that never got an upload
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [this] { m_server.thaw(); });
    guard.start(30000);
    const SyncOutcome outcome = syncFromMenu(actions().syncEverythingAction());
    EXPECT_TRUE(outcome.completed()) << outcome.reason.toStdString();
    EXPECT_EQ(outcome.filesSent, 1);
    EXPECT_TRUE(shot) << "no progress with bytes written was shown";
    ASSERT_FALSE(progress.isEmpty());
}
