#include "calsync/CalendarFileStore.h"
#include "cli/DemoYearFiller.h"
#include "gui/calsync/CalendarSyncActions.h"
#include "gui/calsync/ICalSyncManagerWindow.h"
#include "gui/window/DocumentWindow.h"
#include "model/Course.h"
#include "model/Document.h"
#include "model/Lesson.h"
#include "model/Year.h"
#include "testlib/FixedClock.h"
#include "testlib/LocalDate.h"
#include "testlib/MemoryPasswordStore.h"
#include "testlib/ScriptedAlertPresenter.h"
#include "testlib/ScriptedFileChooser.h"
#include "testlib/TemporaryPreferences.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The window of the demo year, with calendar files going to a scratch data
// folder.
class CalendarSyncWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        qputenv("XDG_DATA_HOME", dataFolder.path().toUtf8());
        const QString path = folder.filePath(QStringLiteral("Demo.semestra"));
        {
            DocumentWindow writer;
            ScriptedAlertPresenter buildAlerts;
            ASSERT_NE(DemoYearFiller::buildYear(writer.document().context(), buildAlerts, 1), nullptr);
            ASSERT_TRUE(writer.document().saveAs(path).ok());
        }
        window = std::make_unique<DocumentWindow>(alerts, files);
        ASSERT_TRUE(window->openFile(path));
        window->calendarSyncActions().setPasswordStore(keyring);
    }

    void TearDown() override
    {
        window.reset();
        qunsetenv("XDG_DATA_HOME");
    }

    Year& year() const { return *window->document().getCurrentYear(); }
    CalendarSyncActions& actions() const { return window->calendarSyncActions(); }

    ICalSyncManagerWindow* openSheet() const
    {
        actions().syncWindowAction()->trigger();
        return actions().syncWindow();
    }

    CalendarSyncCounts syncAndWait(QAction* action) const
    {
        QSignalSpy finished(&actions(), &CalendarSyncActions::syncFinished);
        action->trigger();
        EXPECT_TRUE(finished.wait(60000));
        return finished.isEmpty() ? CalendarSyncCounts {} : finished.first().first().value<CalendarSyncCounts>();
    }

    TemporaryPreferences preferences;
    FixedClock clock { local(2025, 10, 8, 9) };
    QTemporaryDir folder;
    QTemporaryDir dataFolder;
    ScriptedAlertPresenter alerts;
    ScriptedFileChooser files;
    MemoryPasswordStore keyring;
    std::unique_ptr<DocumentWindow> window;
};

} // namespace

TEST_F(CalendarSyncWindowTest, CalendarMenuHoldsTheSheetAndBothSyncs)
{
    QStringList menus;
    for (const QAction* action : window->menuBar()->actions())
        menus.append(action->text());
    EXPECT_TRUE(menus.contains(QStringLiteral("C&alendar")));
    EXPECT_EQ(actions().syncAllAction()->text(), QStringLiteral("Sync All to Calendar"));
    EXPECT_EQ(actions().syncChangesAction()->text(), QStringLiteral("Sync Changes to Calendar"));
    EXPECT_TRUE(actions().syncAllAction()->isEnabled());
}

TEST_F(CalendarSyncWindowTest, SheetShowsEachCourseWithItsCalendarAndTellsWhereTheFilesAre)
{
    ICalSyncManagerWindow* sheet = openSheet();
    ASSERT_NE(sheet, nullptr);

    EXPECT_EQ(sheet->objectName(), QStringLiteral("ICalSyncManagerWindow"));
    EXPECT_EQ(sheet->calendarTable()->rowCount(), year().courses().size() + 2);
    EXPECT_EQ(
        sheet->calendarPopUp(0)->currentText(), year().courses().first()->courseName() + QStringLiteral(" - Local"));
    EXPECT_TRUE(sheet->filesChoice()->isChecked());
    EXPECT_TRUE(sheet->findChildren<QLabel*>().size() > 0);
    bool toldFolder = false;
    for (const QLabel* label : sheet->findChildren<QLabel*>())
        toldFolder = toldFolder || label->text().contains(CalendarFileStore::defaultFolder().toHtmlEscaped());
    EXPECT_TRUE(toldFolder);
    EXPECT_FALSE(actions().syncAllAction()->isEnabled());

    sheet->show();
    sheet->resize(720, 780);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    ASSERT_TRUE(QDir().mkpath(QStringLiteral(SEMESTRA_SCREENSHOT_DIR)));
    EXPECT_TRUE(sheet->grab().save(QStringLiteral(SEMESTRA_SCREENSHOT_DIR "/calendar-sync-sheet.png")));
}

TEST_F(CalendarSyncWindowTest, OkWritesTheChoicesAndCancelLeavesThem)
{
    ICalSyncManagerWindow* sheet = openSheet();
    const QString course = year().courses().first()->courseName();
    sheet->calendarPopUp(0)->setCurrentText(QStringLiteral("Semestra - Local"));
    sheet->switchBox(QStringLiteral("syncHomework"))->setChecked(false);
    sheet->reject();
    EXPECT_EQ(year().calendarSyncDict().value(course).toMap().value(QStringLiteral("calendarName")), course);

    sheet = openSheet();
    sheet->calendarPopUp(0)->setCurrentText(QStringLiteral("Semestra - Local"));
    sheet->switchBox(QStringLiteral("syncHomework"))->setChecked(false);
    sheet->accept();

    EXPECT_EQ(year().calendarSyncDict().value(course).toMap().value(QStringLiteral("calendarName")),
        QStringLiteral("Semestra"));
    EXPECT_FALSE(CalendarSyncSettings(year()).isOn(QStringLiteral("syncHomework")));
}

TEST_F(CalendarSyncWindowTest, ServerPasswordGoesToTheKeyringOrTheTeacherIsToldWhyNot)
{
    ICalSyncManagerWindow* sheet = openSheet();
    sheet->serverChoice()->setChecked(true);
    sheet->addressField()->setText(QStringLiteral("https://cloud.example.org/dav/"));
    sheet->userField()->setText(QStringLiteral("mrs.b"));
    sheet->passwordField()->setText(QStringLiteral("secret"));
    sheet->accept();
    EXPECT_EQ(keyring.kept.value(QStringLiteral("Semestra Calendar Server/mrs.b@cloud.example.org")),
        QStringLiteral("secret"));
    EXPECT_EQ(CalendarSyncSettings(year()).storeKind(), CalendarSyncSettings::StoreKind::CalDav);

    keyring.running = false;
    sheet = openSheet();
    EXPECT_TRUE(sheet->serverChoice()->isChecked());
    EXPECT_TRUE(sheet->keyringNote()->text().contains(QStringLiteral("asked for at each sync")));
    sheet->reject();
}

TEST_F(CalendarSyncWindowTest, SyncAllRunsOffTheWindowAndReportsInTheStatusLine)
{
    const CalendarSyncCounts counts = syncAndWait(actions().syncAllAction());

    EXPECT_GT(counts.written, 1000);
    EXPECT_EQ(counts.failed, 0);
    EXPECT_TRUE(window->statusBar()->currentMessage().startsWith(QStringLiteral("Calendar sync: ")));
    EXPECT_FALSE(window->progressIndicator()->isVisible());
    EXPECT_TRUE(actions().syncChangesAction()->isEnabled());
    EXPECT_FALSE(year().getLessonWithData()->value<QString>(u"iCalUID").isEmpty());
    EXPECT_TRUE(QDir(CalendarFileStore::defaultFolder()).exists(CalendarFileStore::indexFileName));

    year().getLessonWithData()->setValue(u"lessonTitle", QStringLiteral("Changed for the calendar"));
    clock.set(local(2025, 10, 8, 10));
    const CalendarSyncCounts changes = syncAndWait(actions().syncChangesAction());
    EXPECT_EQ(changes.updated, 1);
    EXPECT_EQ(changes.written, 0);
}
