#include "foundation/richtext/RichText.h"
#include "gui/editing/FieldEditor.h"
#include "gui/editing/FieldEditorColumn.h"
#include "gui/editing/RichTextArea.h"
#include "gui/panels/LessonEditorPanel.h"
#include "gui/panels/SidePanel.h"
#include "gui/window/DemoWindowFixture.h"
#include "gui/window/EditActions.h"
#include "gui/window/StandardsActions.h"
#include "model/Lesson.h"
#include "model/Year.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The demo window shown and active, so that keys and clicks reach it as a
// teacher's would, and each command runs from the event that chose it.
class EditMenuTest : public DemoWindowFixture {
protected:
    void SetUp() override
    {
        DemoWindowFixture::SetUp();
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        lesson = planning().currentLesson();
        ASSERT_NE(lesson, nullptr);
    }

    EditActions& edit() const { return window->editActions(); }
    UndoHistory& history() const { return window->document().context().undoHistory(); }

    QMenu* menu(const QString& title) const
    {
        for (QAction* action : window->menuBar()->actions()) {
            if (action->text() == title)
                return action->menu();
        }
        return nullptr;
    }

    // Opens the menu and clicks the item, as the mouse would.
    void choose(const QString& menuTitle, const QString& item) const
    {
        QMenu* opened = menu(menuTitle);
        ASSERT_NE(opened, nullptr) << qPrintable(menuTitle);
        opened->popup(window->mapToGlobal(QPoint(10, 10)));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(opened));
        QAction* chosen = nullptr;
        for (QAction* action : opened->actions()) {
            if (action->text() == item)
                chosen = action;
        }
        ASSERT_NE(chosen, nullptr) << qPrintable(item);
        QTest::mouseClick(opened, Qt::LeftButton, {}, opened->actionGeometry(chosen).center());
        settle();
    }

    // Lets the event that made a change end, so that its step closes.
    static void settle() { QTest::qWait(20); }

    void pressUndo() const
    {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : window->planningArea()->currentView(), Qt::Key_Z, Qt::ControlModifier);
        settle();
    }

    RichTextArea* lessonBodyArea() const
    {
        return window->planningArea()
            ->sidePanel()
            ->editor()
            ->standardFields()
            ->editor(QStringLiteral("lessonBody"))
            ->textArea();
    }

    QString lessonBody() const { return lesson->value<QString>(u"lessonBodyString"); }

    Lesson* lesson = nullptr;
};

} // namespace

TEST_F(EditMenuTest, UndoAndRedoAreNamedAfterTheCommandAndDisabledWhenThereIsNone)
{
    EXPECT_FALSE(edit().undoAction()->isEnabled());
    EXPECT_EQ(edit().undoAction()->text(), QStringLiteral("Undo"));
    EXPECT_EQ(edit().redoAction()->text(), QStringLiteral("Redo"));
    const QString body = lessonBody();
    ASSERT_FALSE(body.isEmpty());

    choose(QStringLiteral("&Lesson"), QStringLiteral("Clear Lesson"));
    ASSERT_TRUE(lessonBody().isEmpty());
    EXPECT_EQ(edit().undoAction()->text(), QStringLiteral("Undo Clear Lesson"));
    EXPECT_TRUE(edit().undoAction()->isEnabled());

    pressUndo();
    EXPECT_EQ(lessonBody(), body);
    EXPECT_EQ(edit().undoAction()->text(), QStringLiteral("Undo"));
    EXPECT_EQ(edit().redoAction()->text(), QStringLiteral("Redo Clear Lesson"));

    QTest::keyClick(window->planningArea()->currentView(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_TRUE(lessonBody().isEmpty());
    QTest::keyClick(window->planningArea()->currentView(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(lessonBody().isEmpty()) << "nothing is left to redo";
    EXPECT_FALSE(edit().redoAction()->isEnabled());
}

TEST_F(EditMenuTest, TypingIsOneStepPerPauseAndCtrlZInTheFieldUndoesIt)
{
    // The field shows only while it is expanded, which is the year's setting.
    lesson->year()->setValue(u"teacherEnlarged", true);
    window->planningArea()
        ->sidePanel()
        ->editor()
        ->standardFields()
        ->editor(QStringLiteral("lessonBody"))
        ->setLesson(lesson);
    settle();
    history().clear();
    RichTextArea* area = lessonBodyArea();
    area->setFocus();
    ASSERT_TRUE(area->hasFocus());
    area->moveCursor(QTextCursor::End);
    const QString body = lessonBody();

    QTest::keyClicks(area, QStringLiteral(" and more"));
    settle();
    EXPECT_EQ(history().undoCount(), 1u);
    EXPECT_EQ(edit().undoAction()->text(), QStringLiteral("Undo Typing"));
    QTest::qWait(EditActions::typingPause + 200);
    QTest::keyClicks(area, QStringLiteral(" again"));
    settle();
    EXPECT_EQ(history().undoCount(), 2u);
    EXPECT_TRUE(lessonBody().endsWith(QStringLiteral("more again")));

    pressUndo();
    EXPECT_TRUE(lessonBody().endsWith(QStringLiteral("and more")));
    EXPECT_EQ(area->toPlainText(), lessonBody()) << "the field shows what the lesson holds";
    pressUndo();
    EXPECT_EQ(lessonBody(), body);
}

TEST_F(EditMenuTest, ACommandAfterTypingIsAStepOfItsOwn)
{
    RichTextArea* area = lessonBodyArea();
    area->setFocus();
    QTest::keyClicks(area, QStringLiteral("typed"));
    settle();
    choose(QStringLiteral("&Lesson"), QStringLiteral("Clear Lesson"));

    EXPECT_EQ(history().undoCount(), 2u);
    EXPECT_EQ(history().undoName(), QStringLiteral("Clear Lesson"));
    pressUndo();
    EXPECT_TRUE(lessonBody().contains(QStringLiteral("typed")));
}

TEST_F(EditMenuTest, TextCommandsActOnTheFocusedField)
{
    QLineEdit* search = window->standardsActions().searchField();
    search->setText(QStringLiteral("fractions"));
    search->setFocus();
    ASSERT_TRUE(edit().selectAllAction()->isEnabled());

    edit().selectAllAction()->trigger();
    edit().copyAction()->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("fractions"));
    edit().cutAction()->trigger();
    EXPECT_TRUE(search->text().isEmpty());
    edit().pasteAction()->trigger();
    EXPECT_EQ(search->text(), QStringLiteral("fractions"));

    window->planningArea()->currentView()->setFocus();
    EXPECT_FALSE(edit().pasteAction()->isEnabled());
}

TEST_F(EditMenuTest, StepNamesLeaveOutMnemonicsEllipsesAndShownKeys)
{
    EXPECT_EQ(EditActions::stepName(QStringLiteral("Clear All Lessons…")), QStringLiteral("Clear All Lessons"));
    EXPECT_EQ(EditActions::stepName(QStringLiteral("&Add Course...")), QStringLiteral("Add Course"));
    EXPECT_EQ(EditActions::stepName(QStringLiteral("Cut\tCtrl+X")), QStringLiteral("Cut"));
    EXPECT_EQ(EditActions::stepName(QStringLiteral("Tom && Jerry")), QStringLiteral("Tom & Jerry"));
}

TEST_F(EditMenuTest, ScreenshotOfTheOpenEditMenu)
{
    choose(QStringLiteral("&Lesson"), QStringLiteral("Clear Lesson"));
    QMenu* editMenu = menu(QStringLiteral("&Edit"));
    ASSERT_NE(editMenu, nullptr);
    editMenu->popup(window->mapToGlobal(QPoint(0, window->menuBar()->height())));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(editMenu));
    QTest::qWait(50);
    QPixmap picture = window->grab();
    {
        QPainter painter(&picture);
        painter.drawPixmap(window->mapFromGlobal(editMenu->pos()), editMenu->grab());
    }
    ASSERT_TRUE(QDir().mkpath(QStringLiteral(SEMESTRA_SCREENSHOT_DIR)));
    EXPECT_TRUE(picture.save(QStringLiteral(SEMESTRA_SCREENSHOT_DIR "/edit-menu.png")));
    editMenu->hide();
}
