#include "ShellFixture.h"
#include "exchange/ExchangeFileBuilder.h"
#include "gui/window/DocumentFileCommands.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTest>

namespace {

class WindowsExchangeWindowTest : public ShellFixture {
protected:
    QString exchangeFile()
    {
        const QString file = path(QStringLiteral("Chemistry.smsqlite"));
        ExchangeFileBuilder builder(file);
        builder.createTables().addSmallPlan().sql(
            QStringLiteral("INSERT INTO ZLESSON (Z_PK, ZDAYTAUGHT, ZCOURSE, ZLESSONTITLE) VALUES (1, 1, 10, 'Atoms');"));
        return file;
    }
    static QAction* fileMenuAction(DocumentWindow* window, const QString& text)
    {
        for (QAction* action : window->menuBar()->actions()) {
            if (!action->menu())
                continue;
            for (QAction* command : action->menu()->actions()) {
                if (command->text() == text)
                    return command;
            }
        }
        return nullptr;
    }
    void saveScreenshot(QWidget& widget, const QString& name)
    {
        QCoreApplication::processEvents();
        ASSERT_TRUE(QDir().mkpath(QStringLiteral(SEMESTRA_SCREENSHOT_DIR)));
        EXPECT_TRUE(widget.grab().save(QStringLiteral(SEMESTRA_SCREENSHOT_DIR "/") + name));
    }
};

} // namespace

TEST_F(WindowsExchangeWindowTest, TheFileMenuImportsAWindowsFileIntoANewWindowWithoutTheWizard)
{
    files.answerNext(exchangeFile());
    files.answerNext(path(QStringLiteral("Chemistry.semestra")));

    DocumentWindow* window = controller.importWindowsFile();

    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    ASSERT_TRUE(window->document().getCurrentYear());
    EXPECT_EQ(window->document().getCurrentYear()->getAllLessons().size(), 1);
    EXPECT_TRUE(QFileInfo::exists(path(QStringLiteral("Chemistry.semestra"))));
    EXPECT_TRUE(window->windowTitle().contains(QStringLiteral("Chemistry")));
    QTest::qWait(300);
    EXPECT_EQ(sheetOf(window), nullptr);
    EXPECT_TRUE(alerts.shown().isEmpty());
    EXPECT_NE(fileMenuAction(window, QStringLiteral("Import Windows File…")), nullptr);
}

TEST_F(WindowsExchangeWindowTest, ARefusedOrCancelledImportLeavesNoWindow)
{
    QFile garbage(path(QStringLiteral("notes.smsqlite")));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("nothing like SQLite");
    garbage.close();
    files.answerNext(garbage.fileName());
    alerts.answerNext(AlertDefaultReturn);
    EXPECT_EQ(controller.importWindowsFile(), nullptr);
    EXPECT_EQ(alerts.last().title, u"Could Not Import Windows File");

    EXPECT_EQ(controller.importWindowsFile(), nullptr) << "the open sheet was cancelled";
    deleteClosedWindows();
    EXPECT_TRUE(controller.windows().isEmpty());
}

TEST_F(WindowsExchangeWindowTest, TheWizardsWindowsButtonEndsTheWizardAndImportsIntoItsDocument)
{
    DocumentWindow* window = controller.newDocument();
    ASSERT_TRUE(QTest::qWaitFor([&] { return sheetOf(window) != nullptr; }, 2000));
    auto* button = sheetOf(window)->findChild<QPushButton*>(QStringLiteral("openWindowsFile"));
    ASSERT_NE(button, nullptr);
    saveScreenshot(*sheetOf(window), QStringLiteral("new-year-wizard-windows-file.png"));
    files.answerNext(exchangeFile());
    files.answerNext(path(QStringLiteral("Chemistry.semestra")));

    button->click();

    ASSERT_TRUE(QTest::qWaitFor([&] { return window->document().getCurrentYear() != nullptr; }, 2000));
    deleteClosedWindows();
    EXPECT_EQ(sheetOf(window), nullptr);
    EXPECT_EQ(controller.windows(), QList<DocumentWindow*> { window });
    EXPECT_EQ(QFileInfo(window->document().filePath()).fileName(), u"Chemistry.semestra");
    saveScreenshot(*window, QStringLiteral("imported-windows-file.png"));
}

TEST_F(WindowsExchangeWindowTest, CancellingTheWizardsOpenSheetClosesTheNewDocument)
{
    DocumentWindow* window = controller.newDocument();
    ASSERT_TRUE(QTest::qWaitFor([&] { return sheetOf(window) != nullptr; }, 2000));
    sheetOf(window)->findChild<QPushButton*>(QStringLiteral("openWindowsFile"))->click();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            deleteClosedWindows();
            return controller.windows().isEmpty();
        },
        2000));
    EXPECT_EQ(files.openPanels().size(), 1);
}

TEST_F(WindowsExchangeWindowTest, AnExportClosesThePlanAndOpensItAgainFromItsFile)
{
    const QString plan = savedYear(QStringLiteral("Biology.semestra"));
    QPointer<DocumentWindow> window = controller.openDocument(plan);
    ASSERT_NE(window, nullptr);
    QAction* exportAction = fileMenuAction(window, QStringLiteral("Export to Semestra for Windows…"));
    ASSERT_NE(exportAction, nullptr);
    alerts.answerNext(AlertDefaultReturn);
    alerts.answerNext(AlertDefaultReturn);
    files.answerNext(path(QStringLiteral("Biology_Windows.smsqlite")));

    exportAction->trigger();
    deleteClosedWindows();

    EXPECT_TRUE(QFileInfo::exists(path(QStringLiteral("Biology_Windows.smsqlite"))));
    ASSERT_EQ(controller.windows().size(), 1);
    DocumentWindow* reopened = controller.windows().first();
    EXPECT_TRUE(window.isNull()) << "the exporting window closed";
    EXPECT_EQ(QFileInfo(reopened->document().filePath()).canonicalFilePath(), QFileInfo(plan).canonicalFilePath());
    EXPECT_EQ(reopened->document().getCurrentYear()->value<QString>(u"teacherEmail"), u"1");
}
