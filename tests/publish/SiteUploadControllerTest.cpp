#include "publish/SiteUploadController.h"

#include "SiteFixture.h"
#include "model/Course.h"
#include "testlib/MemoryPasswordStore.h"

namespace {

class SiteUploadControllerTest : public SiteFixture {
protected:
    std::optional<Date> mathPublishedUntil() const { return math->value<std::optional<Date>>(u"latestUploadDate"); }
    static UploadOutcome ended(UploadOutcome::Result result)
    {
        UploadOutcome outcome;
        outcome.result = result;
        outcome.filesToSend = 10;
        outcome.filesSent = result == UploadOutcome::Result::Uploaded ? 10 : 7;
        outcome.filesFailed = result == UploadOutcome::Result::FilesFailed ? 3 : 0;
        return outcome;
    }
    TransferAddress server() const { return *TransferAddress::parse(QStringLiteral("ftp://www.school.org")); }
    QString keptFor(const QString& account) const
    {
        return keyring.kept.value(SiteUploadController::passwordService + QLatin1Char('/') + account);
    }

    MemoryPasswordStore keyring;
    SiteUploadController uploads { controller(), keyring, alerts };
};

TEST_F(SiteUploadControllerTest, CompleteUploadMarksTheCoursesPublishedAndRemembersTheTab)
{
    EXPECT_EQ(uploads.uploadFinished(ended(UploadOutcome::Result::Uploaded)), SiteUploadController::Next::Done);
    EXPECT_EQ(mathPublishedUntil(), info->date(u"calendarExportEndDate"));
    EXPECT_EQ(info->value<int>(u"defaultConnectionType"), int(PublishInfo::Ftp));
    EXPECT_TRUE(alerts.shown().isEmpty());
}

TEST_F(SiteUploadControllerTest, IncompleteUploadsLeaveThePublishDatesAlone)
{
    alerts.answerNext(AlertDefaultReturn);
    alerts.answerNext(AlertDefaultReturn);
    for (UploadOutcome::Result result :
        { UploadOutcome::Result::FilesFailed, UploadOutcome::Result::Stopped, UploadOutcome::Result::Cancelled }) {
        uploads.uploadFinished(ended(result));
        EXPECT_EQ(mathPublishedUntil(), std::nullopt) << int(result);
    }
    // A cancel is the teacher's own doing: no alert for it.
    EXPECT_EQ(alerts.shown().size(), 2);
}

TEST_F(SiteUploadControllerTest, RefusedLoginSaysSo)
{
    UploadOutcome outcome = ended(UploadOutcome::Result::Stopped);
    outcome.loginRefused = true;
    alerts.answerNext(AlertDefaultReturn);
    uploads.uploadFinished(outcome);
    EXPECT_EQ(alerts.last().title, QStringLiteral("Error Logging In"));
    EXPECT_EQ(alerts.last().message, QStringLiteral("Please check your account username and password"));
    EXPECT_EQ(alerts.last().defaultButton, QStringLiteral("Ok"));
}

TEST_F(SiteUploadControllerTest, StoppedUploadSaysWhatFailedAndHowFarItGot)
{
    UploadOutcome outcome = ended(UploadOutcome::Result::Stopped);
    outcome.failure = QStringLiteral("Couldn't connect to server");
    alerts.answerNext(AlertDefaultReturn);
    uploads.uploadFinished(outcome);
    EXPECT_EQ(alerts.last().title, SiteUploadController::stoppedTitle);
    EXPECT_TRUE(alerts.last().message.startsWith(QStringLiteral("Couldn't connect to server. 7 of 10 files")));
}

TEST_F(SiteUploadControllerTest, FailedFilesAreCountedAndTheLogIsOffered)
{
    alerts.answerNext(AlertAlternateReturn);
    EXPECT_EQ(uploads.uploadFinished(ended(UploadOutcome::Result::FilesFailed)), SiteUploadController::Next::ShowLog);
    EXPECT_EQ(alerts.last().title, QStringLiteral("3 files could not be uploaded"));
    EXPECT_EQ(alerts.last().alternateButton, QStringLiteral("Show Log"));
    alerts.answerNext(AlertDefaultReturn);
    EXPECT_EQ(uploads.uploadFinished(ended(UploadOutcome::Result::FilesFailed)), SiteUploadController::Next::Done);
}

TEST_F(SiteUploadControllerTest, PasswordOfAnOlderDocumentMovesToTheKeyring)
{
    info->setValue(u"ftpPassword", QStringLiteral("chalk"));
    const PasswordStore::Lookup lookup = uploads.password(server(), QStringLiteral("teacher"));
    EXPECT_EQ(lookup.state, PasswordStore::Lookup::State::Found);
    EXPECT_EQ(lookup.password, QStringLiteral("chalk"));
    EXPECT_EQ(info->text(u"ftpPassword"), QString());
    EXPECT_EQ(keptFor(QStringLiteral("teacher@www.school.org")), QStringLiteral("chalk"));
    EXPECT_EQ(uploads.password(server(), QStringLiteral("teacher")).password, QStringLiteral("chalk"));
}

TEST_F(SiteUploadControllerTest, PasswordLeavesTheDocumentEvenWithoutAKeyring)
{
    keyring.running = false;
    info->setValue(u"ftpPassword", QStringLiteral("chalk"));
    EXPECT_EQ(uploads.password(server(), QStringLiteral("teacher")).password, QStringLiteral("chalk"));
    EXPECT_EQ(info->text(u"ftpPassword"), QString());
    const PasswordStore::Lookup next = uploads.password(server(), QStringLiteral("teacher"));
    EXPECT_EQ(next.state, PasswordStore::Lookup::State::NoKeyring);
    EXPECT_FALSE(next.reason.isEmpty());
}

TEST_F(SiteUploadControllerTest, PasswordsAreKeptByHostAndUser)
{
    ASSERT_TRUE(uploads.rememberPassword(server(), QStringLiteral("teacher"), QStringLiteral("chalk")));
    EXPECT_EQ(uploads.password(server(), QStringLiteral("teacher")).password, QStringLiteral("chalk"));
    EXPECT_EQ(uploads.password(server(), QStringLiteral("other")).state, PasswordStore::Lookup::State::NotStored);
    const TransferAddress elsewhere = *TransferAddress::parse(QStringLiteral("sftp://files.school.org"));
    EXPECT_EQ(uploads.password(elsewhere, QStringLiteral("teacher")).state, PasswordStore::Lookup::State::NotStored);
}

TEST_F(SiteUploadControllerTest, ServerSettingsGiveTheUploadAddress)
{
    uploads.setServer({ QStringLiteral("sftp://www.school.org"), 0, QStringLiteral("teacher"),
        QStringLiteral("/public html/"), true });
    EXPECT_EQ(info->text(u"ftpPortNumber"), QString());
    EXPECT_TRUE(uploads.server().requireEncryption);
    const Result<TransferAddress> address = uploads.address();
    ASSERT_TRUE(address.ok());
    EXPECT_EQ(address->port(), 22);
    EXPECT_EQ(address->folder(), QStringList { QStringLiteral("public_html") });

    uploads.setServer({ QStringLiteral("www.school.org"), 2121, QStringLiteral("teacher"), QString(), false });
    EXPECT_EQ(uploads.address()->port(), 2121);
    EXPECT_EQ(uploads.address()->scheme(), TransferAddress::Scheme::Ftp);
    uploads.setServer({ QStringLiteral("http://www.school.org"), 0, QStringLiteral("teacher"), QString(), false });
    EXPECT_FALSE(uploads.address().ok());
}

} // namespace
