#include "../../publish/upload/RemoteTree.h"
#include "../../publish/upload/UploadServers.h"
#include "../window/DemoWindowFixture.h"
#include "gui/publish/PublishActions.h"
#include "gui/publish/PublishSheet.h"
#include "model/Course.h"
#include "model/PublishInfo.h"
#include "model/Year.h"
#include "publish/SiteUploadController.h"
#include "testlib/MemoryPasswordStore.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>

namespace {

constexpr int uploadTimeoutMs = 120000;

// The publish sheet's "ftp" tab on the demo year, uploading to servers on
// the loopback address, with a keyring in memory and the working folder in
// a scratch data folder.
class UploadSheetTest : public DemoWindowFixture {
protected:
    void SetUp() override
    {
        qputenv("XDG_DATA_HOME", data.path().toUtf8());
        DemoWindowFixture::SetUp();
        actions().setPasswordStore(keyring);
        actions().setPasswordPrompt([](const QString&) { return std::optional<QString>(); });
        window->show();
    }

    PublishActions& actions() const { return window->publishActions(); }
    PublishInfo& info() const { return *window->document().getCurrentYear()->publish(); }
    std::optional<Date> mathPublishedUntil() const
    {
        for (Course* course : window->document().getCurrentYear()->courses()) {
            if (course->value<int>(u"publish") != 0)
                return course->value<std::optional<Date>>(u"latestUploadDate");
        }
        return std::nullopt;
    }
    PublishSheet* fillFtpTab(int port, const QString& password)
    {
        actions().publishPressed();
        PublishSheet* sheet = actions().publishSheet();
        sheet->tabs()->setCurrentWidget(sheet->ftpTab());
        sheet->hostField()->setText(QStringLiteral("ftp://127.0.0.1"));
        sheet->portField()->setValue(port);
        sheet->userField()->setText(FtpServer::user);
        sheet->passwordField()->setText(password);
        sheet->remotePathField()->setText(QStringLiteral("/class site/"));
        return sheet;
    }
    // Publishes and waits for the upload to end.
    bool publishAndWait(PublishSheet* sheet)
    {
        QSignalSpy ended(&actions(), &PublishActions::publishEnded);
        sheet->publishButton()->click();
        return ended.wait(uploadTimeoutMs);
    }
    static void screenshot(QWidget* widget, const QString& name)
    {
        QDir().mkpath(QStringLiteral(SEMESTRA_SCREENSHOT_DIR));
        EXPECT_TRUE(widget->grab().save(QStringLiteral(SEMESTRA_SCREENSHOT_DIR "/") + name));
    }

    QTemporaryDir data;
    MemoryPasswordStore keyring;
};

TEST_F(UploadSheetTest, FtpTabUploadsTheSiteAndShowsItsProgress)
{
    FtpServer server;
    ASSERT_TRUE(server.isRunning()) << server.problem().toStdString();
    PublishSheet* sheet = fillFtpTab(server.port(), FtpServer::password);
    sheet->requireEncryptionBox()->setChecked(false);
    screenshot(sheet, QStringLiteral("publish-sheet-ftp.png"));

    QStringList messages;
    QObject::connect(window->statusBar(), &QStatusBar::messageChanged, window, [&](const QString& message) {
        const bool first = messages.isEmpty() || !messages.last().endsWith(QStringLiteral("files left to send"));
        if (message.endsWith(QStringLiteral("files left to send")) && first) {
            EXPECT_TRUE(actions().cancelButton()->isVisible());
            screenshot(window->statusBar(), QStringLiteral("upload-status-line.png"));
        }
        if (!message.isEmpty())
            messages.append(message);
    });
    ASSERT_TRUE(publishAndWait(sheet));
    EXPECT_TRUE(alerts.shown().isEmpty()) << alerts.last().message.toStdString();
    EXPECT_TRUE(messages.contains(QStringLiteral("Connecting to Host: 127.0.0.1:%1").arg(server.port())));
    EXPECT_TRUE(messages.contains(QStringLiteral("0 files left to send")));
    EXPECT_EQ(treeDifferences(
                  treeAt(server.root() + QStringLiteral("/class_site")), treeAt(SiteUploadController::workingFolder())),
        "");
    EXPECT_EQ(mathPublishedUntil(), info().date(u"calendarExportEndDate"));
    EXPECT_EQ(info().value<int>(u"defaultConnectionType"), int(PublishInfo::Ftp));
    EXPECT_EQ(keyring.kept.value(SiteUploadController::passwordService + QStringLiteral("/teacher@127.0.0.1")),
        FtpServer::password);
    EXPECT_EQ(info().text(u"ftpPassword"), QString());
    EXPECT_FALSE(actions().cancelButton()->isVisible());

    // Next time the sheet opens on the server tab, the password from the keyring.
    actions().publishPressed();
    EXPECT_EQ(sheet->tabs()->currentWidget(), sheet->ftpTab());
    EXPECT_EQ(sheet->portField()->value(), server.port());
    EXPECT_TRUE(sheet->passwordField()->text().isEmpty());
    ASSERT_TRUE(publishAndWait(sheet));
    EXPECT_TRUE(alerts.shown().isEmpty());
}

TEST_F(UploadSheetTest, RefusedLoginIsReportedAndNothingCountsAsPublished)
{
    FtpServer server;
    ASSERT_TRUE(server.isRunning()) << server.problem().toStdString();
    const std::optional<Date> before = mathPublishedUntil();
    alerts.answerNext(AlertDefaultReturn);
    ASSERT_TRUE(publishAndWait(fillFtpTab(server.port(), QStringLiteral("wrong"))));
    ASSERT_EQ(alerts.shown().size(), 1);
    EXPECT_EQ(alerts.last().title, QStringLiteral("Error Logging In"));
    EXPECT_EQ(mathPublishedUntil(), before);
}

TEST_F(UploadSheetTest, CancelStopsAnUploadThatHangs)
{
    SilentServer server;
    PublishSheet* sheet = fillFtpTab(server.port(), FtpServer::password);
    QSignalSpy ended(&actions(), &PublishActions::publishEnded);
    QObject::connect(window->statusBar(), &QStatusBar::messageChanged, window, [&](const QString& message) {
        if (message.startsWith(QStringLiteral("Connecting to Host:")))
            actions().cancelButton()->click();
    });
    sheet->publishButton()->click();
    ASSERT_TRUE(ended.wait(uploadTimeoutMs));
    EXPECT_TRUE(alerts.shown().isEmpty());
    EXPECT_NE(info().value<int>(u"defaultConnectionType"), int(PublishInfo::Ftp));
}

TEST_F(UploadSheetTest, ClosingTheWindowStopsItsUpload)
{
    SilentServer server;
    PublishSheet* sheet = fillFtpTab(server.port(), FtpServer::password);
    bool connecting = false;
    QObject::connect(window->statusBar(), &QStatusBar::messageChanged, window, [&](const QString& message) {
        connecting = connecting || message.startsWith(QStringLiteral("Connecting to Host:"));
    });
    sheet->publishButton()->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return connecting; }, uploadTimeoutMs));
    ASSERT_NE(actions().uploadJob(), nullptr);
    delete window.data();
    EXPECT_TRUE(window.isNull());
}

} // namespace
