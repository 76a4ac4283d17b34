#include "exchange/windows/WindowsExportController.h"
#include "model/Document.h"
#include "model/Unit.h"
#include "model/Year.h"
#include "store/sqlite/FMDatabase.h"
#include "testlib/SchoolYear.h"
#include "testlib/ScriptedFileChooser.h"
#include "testlib/TemporaryPreferences.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using Outcome = WindowsExportController::Outcome;

class WindowsExportControllerTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return m_folder.filePath(name); }
    // A saved plan named Biology with one unsaved problem for the clean-up.
    void makeSavedPlan()
    {
        Year* year = buildSchoolYear(m_document.context());
        ASSERT_TRUE(m_document.saveAs(path(QStringLiteral("Biology.semestra"))).ok());
        auto* loose = m_document.context().insert<Unit>(QStringLiteral("Unit"));
        loose->setObject(u"year", year);
    }
    QStringList alertTitles() const
    {
        QStringList titles;
        for (const Alert& alert : m_alerts.shown())
            titles << alert.title;
        return titles;
    }
    Outcome exportPlan() { return WindowsExportController(m_document, m_alerts, m_files).exportForWindows(); }

    TemporaryPreferences m_preferences;
    QTemporaryDir m_folder;
    ScriptedAlertPresenter m_alerts;
    ScriptedFileChooser m_files;
    Document m_document { m_alerts, m_files };
};

TEST_F(WindowsExportControllerTest, CancelLeavesThePlanAndItsFileAlone)
{
    makeSavedPlan();
    m_alerts.answerNext(AlertAlternateReturn);
    EXPECT_EQ(exportPlan(), Outcome::Cancelled);
    EXPECT_EQ(m_alerts.last().defaultButton, u"Export and Reopen");
    EXPECT_EQ(m_alerts.last().alternateButton, u"Cancel");
    EXPECT_TRUE(m_files.savePanels().isEmpty());
    EXPECT_EQ(m_document.context().countOfEntity(QStringLiteral("Unit")), 1) << "nothing was cleaned up";
}

TEST_F(WindowsExportControllerTest, AnUntitledPlanIsNotExportedBecauseReopeningItWouldLoseIt)
{
    buildSchoolYear(m_document.context());
    m_alerts.answerNext(AlertDefaultReturn);
    m_alerts.answerNext(AlertDefaultReturn);
    EXPECT_EQ(exportPlan(), Outcome::NotSaved);
    EXPECT_EQ(alertTitles(), (QStringList { QStringLiteral("Export to Semestra for Windows"),
                                 QStringLiteral("Could Not Save Document") }));
    EXPECT_TRUE(m_files.savePanels().isEmpty());
    EXPECT_TRUE(m_document.getCurrentYear());
}

TEST_F(WindowsExportControllerTest, AFailedSaveStopsTheExportBeforeAnythingIsClosed)
{
    makeSavedPlan();
    // Something else took the file's place, so the save cannot write.
    ASSERT_TRUE(QFile::remove(path(QStringLiteral("Biology.semestra"))));
    ASSERT_TRUE(QDir().mkdir(path(QStringLiteral("Biology.semestra"))));
    m_alerts.answerNext(AlertDefaultReturn);
    m_alerts.answerNext(AlertDefaultReturn);
    const Outcome outcome = exportPlan();
    EXPECT_EQ(outcome, Outcome::NotSaved);
    EXPECT_EQ(m_alerts.last().title, u"Could Not Save Document");
    EXPECT_TRUE(m_files.savePanels().isEmpty());
}

TEST_F(WindowsExportControllerTest, AnExportSavesFirstProposesTheNameWritesTheFileAndAsksToReopen)
{
    makeSavedPlan();
    const QString target = path(QStringLiteral("Exported.smsqlite"));
    m_alerts.answerNext(AlertDefaultReturn);
    m_alerts.answerNext(AlertDefaultReturn);
    m_files.answerNext(target);

    EXPECT_EQ(exportPlan(), Outcome::Reopen);

    EXPECT_EQ(alertTitles(),
        (QStringList { QStringLiteral("Export to Semestra for Windows"), QStringLiteral("Export Successful") }));
    EXPECT_EQ(m_alerts.last().message, u"This file will now be closed and re-opened");
    ASSERT_EQ(m_files.savePanels().size(), 1);
    const SavePanelRequest& panel = m_files.savePanels().first();
    EXPECT_EQ(panel.proposedName, u"Biology_Windows.smsqlite");
    EXPECT_EQ(panel.nameFieldLabel, u"Export To:");
    EXPECT_EQ(panel.prompt, u"Export");
    EXPECT_EQ(panel.allowedTypes, QStringList { QStringLiteral("smsqlite") });
    EXPECT_EQ(panel.directory, QDir::home().filePath(QStringLiteral("Documents")));
    EXPECT_TRUE(QFileInfo(target).isFile());

    // What is reopened is the saved, cleaned-up plan, marked as exported.
    ScriptedAlertPresenter alerts;
    ScriptedFileChooser files;
    Document reopened(alerts, files);
    ASSERT_TRUE(reopened.open(path(QStringLiteral("Biology.semestra"))).ok());
    EXPECT_EQ(reopened.context().countOfEntity(QStringLiteral("Unit")), 0);
    EXPECT_EQ(reopened.getCurrentYear()->value<QString>(u"teacherEmail"), u"1");
}

TEST_F(WindowsExportControllerTest, FailuresAfterTheSaveAreReportedAndTheDocumentClosed)
{
    makeSavedPlan();
    const QString blocked = path(QStringLiteral("blocked.smsqlite"));
    ASSERT_TRUE(QDir().mkpath(blocked + QStringLiteral("/inside")));
    for (const QString& target : { blocked, path(QStringLiteral("missing/out.smsqlite")) }) {
        m_alerts.answerNext(AlertDefaultReturn);
        m_alerts.answerNext(AlertDefaultReturn);
        m_files.answerNext(target);
        EXPECT_EQ(exportPlan(), Outcome::Close);
        EXPECT_EQ(m_alerts.last().defaultButton, u"Ok");
    }
    const QList<Alert>& shown = m_alerts.shown();
    ASSERT_EQ(shown.size(), 4);
    EXPECT_EQ(shown[1].title, u"Error Exporting File");
    EXPECT_TRUE(shown[1].message.startsWith(QStringLiteral("There was an error exporting your file: ")));
    EXPECT_TRUE(shown[1].message.endsWith(
        QStringLiteral(".  This file will now be safely closed.  You can reopen it using the File-->Open Recent menu "
                       "item.")));
    EXPECT_EQ(shown[3].title, u"Could Not Generate Windows File");
    EXPECT_TRUE(QDir(blocked + QStringLiteral("/inside")).exists());
}

TEST_F(WindowsExportControllerTest, CancellingTheSaveSheetEndsTheCommandWithThePlanSaved)
{
    makeSavedPlan();
    m_alerts.answerNext(AlertDefaultReturn);
    m_files.answerNext(std::nullopt);
    EXPECT_EQ(exportPlan(), Outcome::Cancelled);
    EXPECT_FALSE(m_document.context().hasChanges());
}

} // namespace
