#include "exchange/ExchangeFileBuilder.h"
#include "exchange/windows/WindowsImportController.h"
#include "exchange/windows/WindowsImportSummary.h"
#include "model/Document.h"
#include "model/Year.h"
#include "testlib/ScriptedAlertPresenter.h"
#include "testlib/ScriptedFileChooser.h"
#include "testlib/TemporaryPreferences.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using Outcome = WindowsImportController::Outcome;

class WindowsImportControllerTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return m_folder.filePath(name); }
    QString exchangeFile(const QString& extraRows = {})
    {
        const QString file = path(QStringLiteral("Chemistry.smsqlite"));
        ExchangeFileBuilder builder(file);
        builder.createTables().addSmallPlan().sql(
            QStringLiteral("INSERT INTO ZLESSON (Z_PK, ZDAYTAUGHT, ZCOURSE) VALUES (1, 1, 10);") + extraRows);
        return file;
    }
    Outcome importChosen() { return WindowsImportController(m_document, m_alerts, m_files).openSemestraForWindows(); }

    TemporaryPreferences m_preferences;
    QTemporaryDir m_folder;
    ScriptedAlertPresenter m_alerts;
    ScriptedFileChooser m_files;
    Document m_document { m_alerts, m_files };
};

TEST_F(WindowsImportControllerTest, CancellingTheOpenSheetImportsNothing)
{
    EXPECT_EQ(importChosen(), Outcome::NothingImported);
    ASSERT_EQ(m_files.openPanels().size(), 1);
    EXPECT_EQ(m_files.openPanels().first().allowedTypes, QStringList { QStringLiteral("smsqlite") });
    EXPECT_FALSE(m_document.getCurrentYear());
    EXPECT_TRUE(m_alerts.shown().isEmpty());
}

TEST_F(WindowsImportControllerTest, ARefusedFileIsExplainedAndLeavesNoYear)
{
    QFile text(path(QStringLiteral("notes.smsqlite")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("just some notes");
    text.close();
    m_files.answerNext(text.fileName());
    m_alerts.answerNext(AlertDefaultReturn);

    EXPECT_EQ(importChosen(), Outcome::NothingImported);
    ASSERT_EQ(m_alerts.shown().size(), 1);
    EXPECT_EQ(m_alerts.last().title, WindowsImportController::refusedTitle);
    EXPECT_TRUE(m_alerts.last().message.contains(QStringLiteral("not an SQLite database")));
    EXPECT_FALSE(m_document.getCurrentYear());
    EXPECT_FALSE(m_document.context().hasChanges());
    EXPECT_TRUE(m_files.savePanels().isEmpty());
}

TEST_F(WindowsImportControllerTest, ACleanImportIsSavedWhereTheTeacherChoosesWithoutAnyAlert)
{
    m_files.answerNext(exchangeFile());
    const QString saved = path(QStringLiteral("Chemistry.semestra"));
    m_files.answerNext(saved);

    EXPECT_EQ(importChosen(), Outcome::Imported);
    EXPECT_TRUE(m_alerts.shown().isEmpty());
    EXPECT_TRUE(m_document.isOpeningProgrammatically());
    ASSERT_EQ(m_files.savePanels().size(), 1);
    EXPECT_EQ(m_files.savePanels().first().proposedName, u"Chemistry.semestra");
    EXPECT_EQ(QFileInfo(m_document.filePath()).absoluteFilePath(), QFileInfo(saved).absoluteFilePath());
    EXPECT_FALSE(m_document.context().hasChanges());
    ASSERT_TRUE(m_document.getCurrentYear());
    EXPECT_EQ(m_document.getCurrentYear()->getAllLessons().size(), 1);
}

TEST_F(WindowsImportControllerTest, SkippedRowsAreReportedInOneAlert)
{
    const QString file = exchangeFile(QStringLiteral("INSERT INTO ZLESSON (Z_PK, ZDAYTAUGHT, ZCOURSE) VALUES "
                                                     "(2, 1, 99), (3, 77, 10); INSERT INTO ZDAY (Z_PK, ZWEEK) "
                                                     "VALUES (9, 9);"));
    m_alerts.answerNext(AlertDefaultReturn);
    EXPECT_EQ(WindowsImportController(m_document, m_alerts, m_files).openSemestraForWindowsFileAtPath(file),
        Outcome::Imported);
    ASSERT_EQ(m_alerts.shown().size(), 1);
    EXPECT_EQ(m_alerts.last().title, WindowsImportSummary::alertTitle);
    EXPECT_TRUE(m_alerts.last().message.contains(QStringLiteral("2 lesson(s)")));
    EXPECT_TRUE(m_alerts.last().message.contains(QStringLiteral("1 day(s)")));
    EXPECT_TRUE(m_document.filePath().isEmpty()) << "the save sheet was cancelled";
    EXPECT_TRUE(m_document.getCurrentYear());
}

} // namespace
