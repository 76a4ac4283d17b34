#include "../window/DemoWindowFixture.h"
#include "../window/ShellFixture.h"
#include "content/Workspace.h"
#include "gui/publish/PublishActions.h"
#include "gui/publish/PublishOptionsSheet.h"
#include "gui/publish/PublishSheet.h"
#include "model/PublishInfo.h"
#include "model/Year.h"
#include "publish/PublishJob.h"
#include "publish/PublishOptionsController.h"

#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>

namespace {

// Records what would have been opened in the web browser.
class RecordingWorkspace : public Workspace {
public:
    bool hasApplicationFor(const QString&) const override { return true; }
    bool open(const QUrl& url) override
    {
        opened.append(url);
        return true;
    }
    QList<QUrl> opened;
};

class PublishSheetsTest : public DemoWindowFixture {
protected:
    PublishActions& actions() const { return window->publishActions(); }
    PublishInfo& info() const { return *window->document().getCurrentYear()->publish(); }

    QTemporaryDir site;
};

using PublishMenuTest = ShellFixture;

} // namespace

TEST_F(PublishMenuTest, TheFileMenuOffersPublishOptionsAndPublish)
{
    DocumentWindow* window = controller.newDocument();
    QStringList commands;
    for (QAction* menu : window->menuBar()->actions()) {
        if (menu->menu() && menu->text() == QStringLiteral("&File")) {
            for (QAction* command : menu->menu()->actions())
                commands.append(command->text());
        }
    }
    EXPECT_TRUE(commands.contains(QStringLiteral("Publish Options…")));
    EXPECT_TRUE(commands.contains(QStringLiteral("Publish…")));
    // Nothing to publish before the year is built.
    EXPECT_FALSE(window->publishActions().publishAction()->isEnabled());
}

TEST_F(PublishSheetsTest, PublishingRunsInTheBackgroundWithProgressInTheStatusLine)
{
    window->show();
    actions().publishPressed();
    PublishSheet* sheet = actions().publishSheet();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->objectName(), QStringLiteral("PublishWindow"));
    EXPECT_EQ(sheet->tabs()->widget(0)->objectName(), QStringLiteral("local"));
    files.answerNext(site.path());
    sheet->chooseButton()->click();
    EXPECT_EQ(sheet->folderField()->text(), site.path());
    sheet->calendarStart()->setDate(QDate(2025, 10, 1));
    sheet->calendarEnd()->setDate(QDate(2025, 10, 31));
    sheet->lessonStart()->setDate(QDate(2025, 10, 1));
    sheet->lessonEnd()->setDate(QDate(2025, 10, 31));
    sheet->publishButton()->click();

    EXPECT_FALSE(sheet->isVisible());
    ASSERT_NE(actions().job(), nullptr);
    EXPECT_TRUE(window->progressIndicator()->isVisible());
    EXPECT_FALSE(actions().publishAction()->isEnabled());
    bool ended = false;
    QObject::connect(&actions(), &PublishActions::publishEnded, [&] { ended = true; });
    QList<QString> messages;
    QObject::connect(
        window->statusBar(), &QStatusBar::messageChanged, [&](const QString& text) { messages.append(text); });
    EXPECT_TRUE(QTest::qWaitFor([&] { return ended; }, 60000));
    EXPECT_TRUE(std::any_of(messages.begin(), messages.end(),
        [](const QString& m) { return m.startsWith(QStringLiteral("Publishing the web site: ")); }));
    EXPECT_TRUE(window->statusBar()->currentMessage().startsWith(QStringLiteral("Web site published: ")));
    EXPECT_FALSE(window->progressIndicator()->isVisible());
    EXPECT_TRUE(actions().publishAction()->isEnabled());
    EXPECT_TRUE(QFileInfo::exists(QDir(site.path()).filePath(QStringLiteral("Biology/Oct82025/index.html"))));
    EXPECT_EQ(info().localExportLocation(), site.path());
    EXPECT_TRUE(alerts.shown().isEmpty());
}

TEST_F(PublishSheetsTest, PublishingWithoutAFolderKeepsTheSheetOpen)
{
    window->show();
    actions().publishPressed();
    PublishSheet* sheet = actions().publishSheet();
    ASSERT_NE(sheet, nullptr);
    QTest::qWait(50);
    sheet->folderField()->clear();
    alerts.answerNext(AlertDefaultReturn);
    sheet->publishButton()->click();
    ASSERT_EQ(alerts.shown().size(), 1);
    EXPECT_EQ(alerts.last().title, QStringLiteral("No Folder Chosen"));
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(actions().job(), nullptr);
}

TEST_F(PublishSheetsTest, TheOptionsSheetPreviewsWithoutChangingAndOkKeepsTheChoices)
{
    RecordingWorkspace workspace;
    PublishOptionsController controller(*window->document().getCurrentYear());
    QTemporaryDir preview;
    controller.setPreviewFolder(preview.path());
    PublishOptionsSheet sheet(controller, alerts, workspace, window);
    EXPECT_EQ(sheet.objectName(), QStringLiteral("PublishOptionsWindow"));
    EXPECT_EQ(sheet.themeList()->count(), 10);
    EXPECT_EQ(sheet.themeList()->currentItem()->text(), QStringLiteral("Default"));
    EXPECT_EQ(sheet.fieldSwitch(0)->text(), QStringLiteral("Plan"));

    sheet.themeList()->setCurrentRow(3);
    sheet.titleField()->setText(QStringLiteral("Room 214"));
    sheet.previewButton()->click();
    ASSERT_EQ(workspace.opened.size(), 1);
    EXPECT_TRUE(workspace.opened.first().toLocalFile().startsWith(preview.path()));
    EXPECT_TRUE(QFileInfo::exists(workspace.opened.first().toLocalFile()));
    EXPECT_EQ(info().cssTheme(), QStringLiteral("Default"));
    EXPECT_NE(info().text(u"mainIndexTitle"), QStringLiteral("Room 214"));

    sheet.okPressed();
    EXPECT_EQ(info().cssTheme(), QStringLiteral("Woody"));
    EXPECT_EQ(info().text(u"mainIndexTitle"), QStringLiteral("Room 214"));
}

TEST_F(PublishSheetsTest, PictureOfTheSheets)
{
    window->show();
    actions().publishOptionsPressed();
    actions().optionsSheet()->adjustSize();
    QTest::qWait(50);
    ASSERT_TRUE(QDir().mkpath(QStringLiteral(SEMESTRA_SCREENSHOT_DIR)));
    EXPECT_TRUE(actions().optionsSheet()->grab().save(QStringLiteral(SEMESTRA_SCREENSHOT_DIR "/publish-options.png")));
    actions().optionsSheet()->reject();
    actions().publishPressed();
    QTest::qWait(50);
    EXPECT_TRUE(actions().publishSheet()->grab().save(QStringLiteral(SEMESTRA_SCREENSHOT_DIR "/publish.png")));
    actions().publishSheet()->reject();
}
