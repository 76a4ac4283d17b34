#include "gui/help/AboutDialog.h"
#include "gui/help/LibraryVersions.h"
#include "gui/help/ShortcutList.h"
#include "gui/help/ShortcutsWindow.h"
#include "gui/window/DemoWindowFixture.h"
#include "gui/window/HelpActions.h"
#include "gui/window/LessonActions.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTest>
#include <QTreeWidget>

#include <sqlite3.h>

namespace {

class HelpMenuTest : public ActiveDemoWindowFixture {
protected:
    HelpActions& help() const { return window->helpActions(); }
    QList<ShortcutList::Entry> listed() const { return ShortcutList::of(*window); }

    std::optional<ShortcutList::Entry> entryFor(const QString& command) const
    {
        for (const ShortcutList::Entry& entry : listed()) {
            if (entry.command == command)
                return entry;
        }
        return std::nullopt;
    }

    static void save(QWidget& widget, const QString& name)
    {
        QCoreApplication::processEvents();
        ASSERT_TRUE(QDir().mkpath(QStringLiteral(SEMESTRA_SCREENSHOT_DIR)));
        EXPECT_TRUE(widget.grab().save(QStringLiteral(SEMESTRA_SCREENSHOT_DIR "/") + name));
    }
};

TEST_F(HelpMenuTest, TheHelpMenuComesLastWithShortcutsAndAbout)
{
    const QList<QAction*> menus = window->menuBar()->actions();
    ASSERT_FALSE(menus.isEmpty());
    EXPECT_EQ(menus.last()->text(), QStringLiteral("&Help"));
    const QList<QAction*> items = menus.last()->menu()->actions();
    EXPECT_TRUE(items.contains(help().shortcutsAction()));
    EXPECT_TRUE(items.contains(help().aboutAction()));
}

// Read from the actions themselves: every key that works is listed, with its
// menu and its command's title as the menu shows it.
TEST_F(HelpMenuTest, TheShortcutListHoldsEveryKeyOfTheWindowOnce)
{
    QStringList working;
    for (const QAction* action : window->findChildren<QAction*>() + window->actions()) {
        for (const QKeySequence& keys : action->shortcuts())
            working.append(keys.toString(QKeySequence::NativeText));
    }
    QStringList shown;
    for (const ShortcutList::Entry& entry : listed())
        shown += entry.keys;
    working.removeDuplicates();
    EXPECT_EQ(shown.size(), working.size()) << "no key listed twice";
    std::sort(working.begin(), working.end());
    std::sort(shown.begin(), shown.end());
    EXPECT_EQ(shown, working);

    const auto paste = entryFor(QStringLiteral("Paste Lesson"));
    ASSERT_TRUE(paste);
    EXPECT_EQ(paste->group, QStringLiteral("Lesson"));
    EXPECT_EQ(paste->keys, QStringList { QStringLiteral("Ctrl+Shift+V") });
    const auto back = entryFor(QStringLiteral("Back"));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->group, QStringLiteral("View"));
    EXPECT_EQ(back->keys, QStringList({ QStringLiteral("Ctrl+["), QStringLiteral("Alt+Left") }));
    EXPECT_TRUE(entryFor(QStringLiteral("Select Date"))) << "titles lose their ellipsis";
}

TEST_F(HelpMenuTest, ACommandGivenKeysLaterIsListedTooAndOnlyCommandsWithKeysAre)
{
    QAction* clear = window->lessonActions().clearAction();
    EXPECT_FALSE(entryFor(QStringLiteral("Clear Lesson")));
    clear->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Delete));
    const auto listedClear = entryFor(QStringLiteral("Clear Lesson"));
    ASSERT_TRUE(listedClear);
    EXPECT_EQ(listedClear->group, QStringLiteral("Lesson"));

    QTest::keyClick(window->planningArea()->currentView(), Qt::Key_Question, Qt::ControlModifier);
    ShortcutsWindow* shortcuts = help().shortcutsWindow();
    ASSERT_NE(shortcuts, nullptr) << "Ctrl+? opens the list";
    EXPECT_TRUE(shortcuts->isVisible());
    const QList<QTreeWidgetItem*> found
        = shortcuts->list()->findItems(QStringLiteral("Clear Lesson"), Qt::MatchExactly | Qt::MatchRecursive, 0);
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found.first()->parent()->text(0), QStringLiteral("Lesson"));
    EXPECT_EQ(found.first()->text(1), QStringLiteral("Ctrl+Alt+Del"));
}

TEST_F(HelpMenuTest, TheListShowsOneGroupPerMenuInMenuOrder)
{
    help().shortcutsAction()->trigger();
    QTreeWidget* list = help().shortcutsWindow()->list();
    QStringList groups;
    int rows = 0;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        groups.append(list->topLevelItem(i)->text(0));
        rows += list->topLevelItem(i)->childCount();
    }
    EXPECT_EQ(rows, listed().size());
    EXPECT_LT(groups.indexOf(QStringLiteral("View")), groups.indexOf(QStringLiteral("Lesson")));
    EXPECT_EQ(groups.removeDuplicates(), 0);
    save(*help().shortcutsWindow(), QStringLiteral("shortcuts-window.png"));
}

TEST_F(HelpMenuTest, AboutNamesTheVersionTheLicenceAndEveryLibraryWithItsVersion)
{
    help().aboutAction()->trigger();
    AboutDialog* about = help().aboutDialog();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->windowTitle(), QStringLiteral("About Semestra"));
    const QString text = about->plainText();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d+\\.\\d+\\.\\d+$")).match(AboutDialog::version()).hasMatch());
    EXPECT_TRUE(text.contains(QStringLiteral("Version ") + AboutDialog::version()));
    EXPECT_TRUE(text.contains(AboutDialog::licence()));
    const QList<LibraryVersions::Library> libraries = LibraryVersions::all();
    QStringList names;
    for (const LibraryVersions::Library& library : libraries) {
        names.append(library.name);
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d+\\.\\d+")).match(library.version).hasMatch())
            << library.name.toStdString() << " " << library.version.toStdString();
        EXPECT_TRUE(text.contains(library.name)) << library.name.toStdString();
        EXPECT_TRUE(text.contains(library.version)) << library.name.toStdString();
    }
    EXPECT_EQ(names, QStringList({ "Qt", "ICU", "SQLite", "libcurl", "libical" }));
    EXPECT_TRUE(text.contains(QString::fromLatin1(qVersion())));
    EXPECT_TRUE(text.contains(QString::fromLatin1(sqlite3_libversion())));
    save(*about, QStringLiteral("about.png"));
}

} // namespace
