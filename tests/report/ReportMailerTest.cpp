#include "foundation/alerts/AlertPresenter.h"
#include "report/ReportMailer.h"
#include "testlib/ScriptedAlertPresenter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <gtest/gtest.h>

class ReportMailerTest : public testing::Test {
protected:
    ReportMailer mailer(bool starts, const QString& handler = QStringLiteral("thunderbird.desktop"))
    {
        return ReportMailer(
            alerts,
            [this, starts](const QString& program, const QStringList& arguments) {
                launched << program << arguments;
                return starts;
            },
            [this](const QString& folder) { opened << folder; }, [handler] { return handler; });
    }

    ScriptedAlertPresenter alerts;
    QStringList launched;
    QStringList opened;
};

TEST_F(ReportMailerTest, ComposerGetsTheSubjectAndTheAttachment)
{
    EXPECT_TRUE(mailer(true).send(QStringLiteral("/tmp/r/weeklyreport.pdf"), QStringLiteral("Lesson Plans")));
    EXPECT_EQ(launched,
        QStringList({ QStringLiteral("xdg-email"), QStringLiteral("--subject"), QStringLiteral("Lesson Plans"),
            QStringLiteral("--attach"), QStringLiteral("/tmp/r/weeklyreport.pdf") }));
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_TRUE(alerts.shown().isEmpty());
}

TEST_F(ReportMailerTest, WithoutAComposerTheFolderIsShownAndTheUserToldWhy)
{
    alerts.answerNext(AlertDefaultReturn);
    EXPECT_FALSE(mailer(false).send(QStringLiteral("/tmp/r/dailyreport.pdf"), QStringLiteral("Lesson Plans")));
    EXPECT_EQ(opened, QStringList({ QStringLiteral("/tmp/r") }));
    ASSERT_EQ(alerts.shown().size(), 1);
    EXPECT_EQ(alerts.last().title, QStringLiteral("Could Not Create Mail"));
    EXPECT_TRUE(alerts.last().message.contains(QStringLiteral("/tmp/r/dailyreport.pdf")));
}

// Only some mail programs take the file xdg-email hands them; the others
// open a message without it, so the teacher is told where the PDF is.
TEST_F(ReportMailerTest, AMailProgramThatDropsAttachmentsIsNoSuccessAndTheUserIsToldWhereThePdfIs)
{
    for (const QString& handler : { QStringLiteral("userapp-webmail.desktop"), QString() }) {
        alerts.answerNext(AlertDefaultReturn);
        opened.clear();
        EXPECT_FALSE(
            mailer(true, handler).send(QStringLiteral("/tmp/r/weeklyreport.pdf"), QStringLiteral("Lesson Plans")))
            << qPrintable(handler);
        EXPECT_EQ(opened, QStringList({ QStringLiteral("/tmp/r") }));
        EXPECT_TRUE(alerts.last().message.contains(QStringLiteral("/tmp/r/weeklyreport.pdf")));
    }
    for (const char* handler : { "org.kde.kmail2.desktop", "Thunderbird.desktop", "org.gnome.Evolution.desktop" })
        EXPECT_TRUE(ReportMailer::takesAttachments(QString::fromLatin1(handler))) << handler;
}

TEST_F(ReportMailerTest, PdfGoesToTheCacheFolderReplacingAnOlderOne)
{
    QStandardPaths::setTestModeEnabled(true);
    const QString path = ReportMailer::pdfPathFor(QStringLiteral("weeklyreport.pdf"));
    ASSERT_FALSE(path.isEmpty());
    EXPECT_EQ(QFileInfo(path).absolutePath(), QStandardPaths::writableLocation(QStandardPaths::CacheLocation));
    QFile older(path);
    ASSERT_TRUE(older.open(QIODevice::WriteOnly));
    older.write("old");
    older.close();
    EXPECT_EQ(ReportMailer::pdfPathFor(QStringLiteral("weeklyreport.pdf")), path);
    EXPECT_FALSE(QFile::exists(path));
    QStandardPaths::setTestModeEnabled(false);
}
