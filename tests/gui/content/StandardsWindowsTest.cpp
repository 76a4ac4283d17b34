#include "cli/DemoYearFiller.h"
#include "content/LibraryController.h"
#include "content/StandardsController.h"
#include "gui/content/LessonStandardsPane.h"
#include "gui/content/LibraryPanel.h"
#include "gui/content/SearchResultsPanel.h"
#include "gui/content/StandardsSheet.h"
#include "gui/content/StandardsTree.h"
#include "gui/panels/LessonSettingsPanel.h"
#include "gui/window/DocumentWindow.h"
#include "gui/window/PlanningArea.h"
#include "gui/window/StandardsActions.h"
#include "model/Day.h"
#include "model/Document.h"
#include "model/Lesson.h"
#include "model/Standard.h"
#include "model/StandardInLesson.h"
#include "model/Year.h"
#include "planning/PlanningModeViewController.h"
#include "testlib/FixedClock.h"
#include "testlib/LocalDate.h"
#include "testlib/ScriptedAlertPresenter.h"
#include "testlib/ScriptedFileChooser.h"
#include "testlib/TemporaryPreferences.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The demo year in its window, with a small standards tree and a library of
// its own, so that the standards window, the lesson pane, the library and the
// search can be used and looked at.
class StandardsWindowsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString path = folder.filePath(QStringLiteral("Demo.semestra"));
        {
            DocumentWindow writer(alerts, files);
            ASSERT_NE(DemoYearFiller::buildYear(writer.document().context(), alerts, 1), nullptr);
            ASSERT_TRUE(writer.document().saveAs(path).ok());
        }
        window = new DocumentWindow(alerts, files);
        ASSERT_TRUE(window->openFile(path));
        window->resize(1200, 800);
        window->show();
        year = window->document().getCurrentYear();
        controller.setYear(year);
        Standard* reading
            = controller.addRootStandardWithName(QStringLiteral("Reading Literature"), QStringLiteral("RL"));
        rl1 = controller.addStandardWithName(
            QStringLiteral("Ask and answer questions about key details in a text."), QStringLiteral("RL"));
        rl1->setValue(u"shortName", QStringLiteral("RL.1"));
        controller.addStandardWithName(QStringLiteral("Retell stories, including key details."), QStringLiteral("RL"))
            ->setValue(u"shortName", QStringLiteral("RL.2"));
        Standard* math = controller.addRootStandardWithName(
            QStringLiteral("Operations and Algebraic Thinking"), QStringLiteral("OA"));
        oa6 = controller.addStandardWithName(QStringLiteral("Add and subtract within 20."), QStringLiteral("OA"));
        oa6->setValue(u"shortName", QStringLiteral("OA.6"));
        ASSERT_EQ(reading->numberOfChildren(), 2);
        ASSERT_EQ(math->numberOfChildren(), 1);
        lesson = year->getAllLessons().first();
        window->standardsActions().setLibraryPath(libraryPath());
    }

    void TearDown() override { delete window.data(); }

    QString libraryPath() const { return folder.filePath(QStringLiteral("library/library.plist")); }

    static void save(QWidget& widget, const QString& name)
    {
        QCoreApplication::processEvents();
        ASSERT_TRUE(QDir().mkpath(QStringLiteral(SEMESTRA_SCREENSHOT_DIR)));
        EXPECT_TRUE(widget.grab().save(QStringLiteral(SEMESTRA_SCREENSHOT_DIR "/") + name));
    }

    TemporaryPreferences preferences;
    FixedClock clock { local(2025, 10, 8, 9) };
    ScriptedAlertPresenter alerts;
    ScriptedFileChooser files;
    QTemporaryDir folder;
    QPointer<DocumentWindow> window;
    StandardsController controller { alerts };
    Year* year = nullptr;
    Lesson* lesson = nullptr;
    Standard* rl1 = nullptr;
    Standard* oa6 = nullptr;
};

TEST_F(StandardsWindowsTest, TheStandardsWindowShowsTheTreeAndEditsTheChosenStandard)
{
    window->standardsActions().manageLessonStandards();
    StandardsSheet* sheet = window->standardsActions().standardsSheet();
    ASSERT_NE(sheet, nullptr);
    StandardsTree* outline = sheet->outline();
    ASSERT_EQ(outline->topLevelItemCount(), 1);
    QTreeWidgetItem* root = outline->topLevelItem(0);
    EXPECT_TRUE(root->isSelected());
    EXPECT_FALSE(sheet->removeButton()->isEnabled()) << "the root cannot be removed";
    // The demo year's own standards and the two groups made here, by short name.
    QStringList groups;
    for (int i = 0; i < root->childCount(); ++i)
        groups.append(root->child(i)->text(0));
    EXPECT_TRUE(groups.contains(QStringLiteral("OA")) && groups.contains(QStringLiteral("RL")));
    QStringList sorted = groups;
    sorted.sort();
    EXPECT_EQ(groups, sorted);
    outline->setCurrentItem(outline->itemOf(rl1));
    EXPECT_EQ(sheet->textEdit()->toPlainText(), rl1->text());
    sheet->shortNameEdit()->setText(QStringLiteral("RL.1a"));
    emit sheet->shortNameEdit()->editingFinished();
    EXPECT_EQ(rl1->shortName(), QStringLiteral("RL.1a"));
    EXPECT_EQ(outline->currentItem()->text(0), QStringLiteral("RL.1a")) << "still chosen after the reload";
    sheet->showShortNamesBox()->setChecked(false);
    EXPECT_EQ(outline->itemOf(rl1)->text(0), rl1->text());
    sheet->showShortNamesBox()->setChecked(true);
    QTest::mouseClick(sheet->addButton(), Qt::LeftButton);
    EXPECT_EQ(rl1->numberOfChildren(), 1);
    EXPECT_EQ(outline->currentItem()->text(0), QStringLiteral("New Standard"));
    // Dragged standards carry their store identifiers.
    std::unique_ptr<QMimeData> dragged(outline->mimeData({ outline->itemOf(rl1) }));
    EXPECT_EQ(QString::fromUtf8(dragged->data(QStringLiteral("SMStandardDataType"))), rl1->objectURI() + "----");
    save(*sheet, QStringLiteral("standards-window.png"));
}

TEST_F(StandardsWindowsTest, TheLessonPaneTicksTheLinkedStandardsAndTogglesLinks)
{
    LessonStandardsPane pane;
    pane.resize(280, 420);
    for (StandardInLesson* link : lesson->objects<StandardInLesson>(u"standards"))
        lesson->removeStandard(link);
    lesson->addStandard(rl1);
    pane.setLesson(lesson);
    pane.show();
    StandardsTree* tree = pane.tree();
    QTreeWidgetItem* item = tree->itemOf(rl1);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->checkState(0), Qt::Checked);
    EXPECT_FALSE(tree->topLevelItem(0)->flags() & Qt::ItemIsUserCheckable) << "the root is plain text";
    item->setCheckState(0, Qt::Unchecked);
    EXPECT_FALSE(lesson->hasStandard(rl1));
    QTreeWidgetItem* oa6Item = tree->itemOf(oa6);
    oa6Item->setCheckState(0, Qt::Checked);
    EXPECT_TRUE(lesson->hasStandard(oa6));
    tree->setCurrentItem(item);
    EXPECT_EQ(pane.description()->text(), rl1->text());
    tree->clearSelection();
    EXPECT_TRUE(pane.description()->text().isEmpty());
    tree->setCurrentItem(oa6Item);
    save(pane, QStringLiteral("lesson-standards-pane.png"));
}

// Moving on to another lesson of the year ticks that lesson's links and
// leaves the reader on the standard they were reading.
TEST_F(StandardsWindowsTest, TheLessonPaneMovingToAnotherLessonOfTheYearKeepsTheChosenStandard)
{
    Lesson* other = year->getAllLessons().last();
    ASSERT_NE(other, lesson);
    lesson->addStandard(rl1);
    other->addStandard(oa6);
    LessonStandardsPane pane;
    pane.setLesson(lesson);
    StandardsTree* tree = pane.tree();
    tree->setCurrentItem(tree->itemOf(oa6));

    pane.setLesson(other);
    EXPECT_EQ(tree->itemOf(rl1)->checkState(0), other->hasStandard(rl1) ? Qt::Checked : Qt::Unchecked);
    EXPECT_EQ(tree->itemOf(oa6)->checkState(0), Qt::Checked);
    EXPECT_EQ(tree->currentItem(), tree->itemOf(oa6));
    EXPECT_EQ(pane.description()->text(), oa6->text());

    pane.setLesson(nullptr);
    EXPECT_EQ(tree->topLevelItemCount(), 0);
    pane.setLesson(lesson);
    ASSERT_NE(tree->itemOf(rl1), nullptr);
    EXPECT_EQ(tree->itemOf(rl1)->checkState(0), Qt::Checked);
}

// The lesson pane stays with the standards window: a renamed standard is
// shown by its new name, a removed one is gone and can no longer be ticked.
TEST_F(StandardsWindowsTest, TheLessonPaneFollowsStandardsRenamedAndRemovedInTheStandardsWindow)
{
    lesson->addStandard(rl1);
    LessonStandardsPane pane;
    pane.setLesson(lesson);
    window->standardsActions().manageLessonStandards();
    StandardsSheet* sheet = window->standardsActions().standardsSheet();
    ASSERT_NE(sheet, nullptr);

    sheet->outline()->setCurrentItem(sheet->outline()->itemOf(oa6));
    sheet->shortNameEdit()->setText(QStringLiteral("OA.6b"));
    emit sheet->shortNameEdit()->editingFinished();
    ASSERT_NE(pane.tree()->itemOf(oa6), nullptr);
    EXPECT_EQ(pane.tree()->itemOf(oa6)->text(0), QStringLiteral("OA.6b"));

    QTreeWidgetItem* stale = pane.tree()->itemOf(rl1);
    ASSERT_NE(stale, nullptr);
    sheet->outline()->setCurrentItem(sheet->outline()->itemOf(rl1));
    alerts.answerNext(AlertDefaultReturn);
    sheet->removeButton()->click();
    ASSERT_TRUE(rl1->isDeleted());
    EXPECT_EQ(pane.tree()->itemOf(rl1), nullptr);
    const qsizetype links = lesson->objects<StandardInLesson>(u"standards").size();
    pane.tree()->itemOf(oa6)->setCheckState(0, Qt::Checked);
    EXPECT_EQ(lesson->objects<StandardInLesson>(u"standards").size(), links + 1);
    for (const StandardInLesson* link : lesson->objects<StandardInLesson>(u"standards"))
        EXPECT_TRUE(link->standard() && !link->standard()->isDeleted());
}

TEST_F(StandardsWindowsTest, AStandardWithoutAShortNameIsShownByItsText)
{
    Standard* untitled = controller.addStandardWithName(QStringLiteral("Count to 100 by ones."), QStringLiteral("OA"));
    ASSERT_TRUE(untitled->shortName().isEmpty());
    LessonStandardsPane pane;
    pane.setLesson(lesson);
    ASSERT_NE(pane.tree()->itemOf(untitled), nullptr);
    EXPECT_EQ(pane.tree()->itemOf(untitled)->text(0), untitled->text());
}

TEST_F(StandardsWindowsTest, TheLibraryPanelListsFiltersAndRemovesWhatIsShown)
{
    const QList<Lesson*> lessons = year->getAllLessons();
    for (int i : { 0, 1, 2, 3 }) {
        if (!lessons[i]->hasTitle())
            lessons[i]->setValue(u"lessonTitle", QStringLiteral("Lesson %1").arg(i));
        ASSERT_TRUE(LibraryController::sendToLibrary(*lessons[i], alerts, libraryPath()));
    }
    window->standardsActions().showLibrary();
    LibraryPanel* panel = window->standardsActions().libraryPanel();
    ASSERT_TRUE(panel && panel->isVisible());
    EXPECT_EQ(panel->table()->count(), 4);
    EXPECT_EQ(panel->table()->currentRow(), 0);
    EXPECT_TRUE(panel->removeButton()->isEnabled());
    save(*panel, QStringLiteral("library-panel.png"));
    const QString kept = panel->table()->item(0)->text();
    const QString removed = panel->table()->item(3)->text();
    panel->searchField()->setText(removed);
    ASSERT_EQ(panel->table()->count(), 1);
    QTest::mouseClick(panel->removeButton(), Qt::LeftButton);
    EXPECT_TRUE(panel->statusLabel()->isVisible());
    EXPECT_EQ(panel->statusLabel()->text(), QStringLiteral("No Library Lessons Match Query"));
    panel->searchField()->clear();
    EXPECT_EQ(panel->table()->count(), 3);
    EXPECT_EQ(panel->table()->item(0)->text(), kept);
    QTest::keyClick(panel, Qt::Key_Escape);
    EXPECT_FALSE(panel->isVisible());
}

TEST_F(StandardsWindowsTest, SendToLibraryAddsTheLessonAndRefreshesAnOpenLibrary)
{
    window->standardsActions().showLibrary();
    LibraryPanel* library = window->standardsActions().libraryPanel();
    EXPECT_EQ(library->statusLabel()->text(), QStringLiteral("No Library Lessons Found"));
    LessonSettingsPanel settings(alerts);
    settings.setLibraryPath(libraryPath());
    lesson->setValue(u"lessonTitle", QStringLiteral("Sent from the panel"));
    settings.setLesson(lesson);
    QTest::mouseClick(settings.sendToLibraryButton(), Qt::LeftButton);
    ASSERT_EQ(library->table()->count(), 1);
    EXPECT_EQ(library->table()->item(0)->text(), QStringLiteral("Sent from the panel"));
}

TEST_F(StandardsWindowsTest, TheSearchFieldOpensItsResultsClosesTheLibraryAndShowsTheChosenLesson)
{
    StandardsActions& actions = window->standardsActions();
    actions.showLibrary();
    const QString title = year->getAllLessons().at(5)->lessonTitle();
    ASSERT_FALSE(title.isEmpty()) << "the demo year titles its lessons";
    QTest::keyClicks(actions.searchField(), title.left(4).toLower());
    SearchResultsPanel* results = actions.searchPanel();
    ASSERT_TRUE(results && results->isVisible());
    EXPECT_FALSE(actions.libraryPanel()->isVisible());
    ASSERT_GT(results->table()->count(), 0);
    EXPECT_EQ(results->size(), QSize(225, 300));
    QTest::keyClick(actions.searchField(), Qt::Key_Return);
    EXPECT_EQ(results->table()->currentRow(), 0);
    QTest::keyClick(results->table(), Qt::Key_Return);
    EXPECT_EQ(window->planningArea()->controller().currentLesson(), results->controller().searchResults().first());
    save(*results, QStringLiteral("search-results.png"));

    actions.searchField()->setText(QStringLiteral("no lesson says this"));
    EXPECT_EQ(results->size(), QSize(225, 100));
    EXPECT_TRUE(results->emptyLabel()->isVisible());
    actions.searchField()->clear();
    EXPECT_FALSE(results->isVisible());
    actions.searchField()->setText(title.left(3));
    QTest::keyClick(results->table(), Qt::Key_Escape);
    EXPECT_FALSE(results->isVisible());
    EXPECT_TRUE(actions.searchField()->text().isEmpty());
}

} // namespace
