#include "gui/editing/EditingModeView.h"
#include "gui/editing/FieldEditor.h"
#include "gui/editing/FieldEditorColumn.h"
#include "gui/editing/PlainTextPaste.h"
#include "gui/editing/RichTextArea.h"
#include "gui/panels/LessonEditorPanel.h"
#include "gui/panels/SidePanel.h"
#include "gui/report/ReportActions.h"
#include "gui/views/WeekView.h"
#include "gui/window/DemoWindowFixture.h"
#include "gui/window/LessonActions.h"
#include "gui/window/PlanningActions.h"
#include "gui/window/StandardsActions.h"
#include "gui/window/WindowShortcutGuard.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/Week.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QStackedWidget>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

using Mode = PlanningModeViewController::Mode;

// A text field that keeps every key it is asked about, as a line edit keeps
// Ctrl+E ("end of line") under the X11 desktops' key scheme. The offscreen
// platform's scheme leaves Ctrl+E alone, so a plain line edit proves nothing here.
class GreedyField : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    bool event(QEvent* event) override
    {
        if (event->type() != QEvent::ShortcutOverride)
            return QLineEdit::event(event);
        event->accept();
        return true;
    }
};

// The demo window shown and active, so that keys reach whatever has the focus.
class WindowHabitsTest : public ActiveDemoWindowFixture {
protected:
    // A greedy text field beside the planning views.
    QLineEdit* greedyField() const
    {
        auto* field = new GreedyField(window->centralWidget());
        field->show();
        return field;
    }

    QWidget* shown() const { return window->modes()->currentWidget(); }
    QLineEdit* searchField() const { return window->standardsActions().searchField(); }
    Week* shownWeek() const { return window->planningArea()->weekView()->week(); }

    // Gives the field the focus and presses the keys in it.
    static void pressIn(QWidget* field, Qt::Key key, Qt::KeyboardModifiers modifiers)
    {
        field->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), field);
        QTest::keyClick(field, key, modifiers);
    }
};

TEST_F(WindowHabitsTest, AWindowOpensWithTheKeyboardOnThePlanningView)
{
    EXPECT_EQ(QApplication::focusWidget(), window->planningArea()->currentView());
    EXPECT_FALSE(searchField()->hasFocus());
}

TEST_F(WindowHabitsTest, EditingModeComesAndGoesByKeyboardFromATextField)
{
    QLineEdit* field = greedyField();
    pressIn(field, Qt::Key_E, Qt::ControlModifier);
    ASSERT_NE(window->editingModeView(), nullptr);

    pressIn(field, Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(window->editingModeView(), nullptr);
    EXPECT_EQ(shown(), window->planningArea());
}

// A line edit asks to keep a key before any shortcut runs; for every command
// of the window it must be told no, or the command is dead while it has the focus.
TEST_F(WindowHabitsTest, NoWindowCommandIsSwallowedByATextField)
{
    QLineEdit* field = greedyField();
    int checked = 0;
    for (const QAction* action : window->findChildren<QAction*>() + window->actions()) {
        if (!action->isEnabled())
            continue;
        for (const QKeySequence& keys : action->shortcuts()) {
            QKeyEvent question(QEvent::ShortcutOverride, keys[0].key(), keys[0].keyboardModifiers());
            question.ignore();
            // Shared on purpose: in a text field it pastes plain text (tested below).
            if (PlainTextPaste::isPlainTextPasteKey(question))
                continue;
            ASSERT_FALSE(WindowShortcutGuard::isTextEditingKey(question))
                << action->text().toStdString() << " takes a key that text editing needs";
            QCoreApplication::sendEvent(field, &question);
            EXPECT_FALSE(question.isAccepted()) << action->text().toStdString() << " " << keys.toString().toStdString();
            ++checked;
        }
    }
    EXPECT_GT(checked, 10);
}

// Were a command ever given Ctrl+A, the field would still select its text with it.
TEST_F(WindowHabitsTest, TextEditingKeysStayWithTheFieldEvenWhenACommandHasThem)
{
    QAction* command = window->addAction(QStringLiteral("Select All Lessons"));
    command->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    int triggered = 0;
    QObject::connect(command, &QAction::triggered, [&triggered] { ++triggered; });
    searchField()->setText(QStringLiteral("fractions"));
    searchField()->deselect();

    pressIn(searchField(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(searchField()->selectedText(), QStringLiteral("fractions"));
    EXPECT_EQ(triggered, 0);
    pressIn(window->planningArea()->currentView(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(triggered, 1) << "elsewhere the command has its key";
}

// Ctrl+Shift+V is "paste as plain text" in a text field and Paste Lesson
// anywhere else in the window.
TEST_F(WindowHabitsTest, CtrlShiftVPastesPlainTextInATextFieldAndTheLessonElsewhere)
{
    Lesson* source = planning().currentLesson();
    source->setValue(u"lessonTitle", QStringLiteral("Long division"));
    window->lessonActions().copyAction()->trigger();
    // The copied lesson, with a styled form besides, as a word processor would leave it.
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    auto* styled = new QMimeData;
    for (const QString& format : copied->formats())
        styled->setData(format, copied->data(format));
    styled->setHtml(QStringLiteral("<b>Long division</b>"));
    QGuiApplication::clipboard()->setMimeData(styled);
    Lesson* target = planning().currentDay()->lessonsToDrawInOrder().value(1);
    ASSERT_NE(target, nullptr);
    const QString targetTitle = target->lessonTitle();
    ASSERT_NE(targetTitle, source->lessonTitle());
    planning().lessonSelected(target);
    ASSERT_TRUE(window->lessonActions().pasteAction()->isEnabled());

    RichTextArea* area = window->planningArea()
                             ->sidePanel()
                             ->editor()
                             ->standardFields()
                             ->editor(QStringLiteral("homework"))
                             ->textArea();
    area->show();
    pressIn(area, Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(area->toPlainText().contains(QStringLiteral("Long division")));
    QTextCursor pasted = area->document()->find(QStringLiteral("Long division"));
    EXPECT_FALSE(pasted.charFormat().font().bold()) << "the styling stays behind";
    EXPECT_EQ(target->lessonTitle(), targetTitle) << "in a field the key is not Paste Lesson";

    searchField()->clear();
    pressIn(searchField(), Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(searchField()->text().contains(QStringLiteral("Long division")));
    EXPECT_EQ(target->lessonTitle(), targetTitle);

    pressIn(window->planningArea()->currentView(), Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(target->lessonTitle(), QStringLiteral("Long division")) << "on the planning view it pastes the lesson";
}

TEST_F(WindowHabitsTest, AltArrowsGoBackAndForwardAndCtrlFGoesToTheSearchField)
{
    Week* start = shownWeek();
    pressIn(window->planningArea()->currentView(), Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(shownWeek(), start->previousWeek());
    pressIn(window->planningArea()->currentView(), Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(shownWeek(), start);

    searchField()->setText(QStringLiteral("old search"));
    pressIn(window->planningArea()->currentView(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), searchField());
    EXPECT_EQ(searchField()->selectedText(), QStringLiteral("old search")) << "typing replaces the last search";
}

TEST_F(WindowHabitsTest, ViewCommandsInEditingModeBringThePlanningViewsBackFirst)
{
    PlanningActions& actions = window->planningActions();
    window->editingModeAction()->trigger();
    ASSERT_NE(window->editingModeView(), nullptr);
    EXPECT_TRUE(actions.modeAction(Mode::DayMode)->isEnabled());
    actions.modeAction(Mode::DayMode)->trigger();
    EXPECT_EQ(window->editingModeView(), nullptr);
    EXPECT_EQ(shown(), window->planningArea());
    EXPECT_EQ(planning().selectedView(), Mode::DayMode);

    window->editingModeAction()->trigger();
    ASSERT_NE(window->editingModeView(), nullptr);
    actions.modeAction(Mode::WeekMode)->trigger();
    Week* start = shownWeek();
    window->editingModeAction()->trigger();
    actions.backAction()->trigger();
    EXPECT_EQ(shown(), window->planningArea());
    EXPECT_EQ(shownWeek(), start->previousWeek());
}

TEST_F(WindowHabitsTest, ViewCommandsUnderAReportCloseItFirst)
{
    PlanningActions& actions = window->planningActions();
    Week* start = shownWeek();
    window->reportActions().openWeeklyReport();
    ASSERT_NE(window->reportActions().currentReport(), nullptr);
    EXPECT_TRUE(actions.forwardAction()->isEnabled());
    actions.forwardAction()->trigger();
    EXPECT_EQ(window->reportActions().currentReport(), nullptr);
    EXPECT_EQ(shown(), window->planningArea());
    EXPECT_EQ(shownWeek(), start->nextWeek());

    window->reportActions().openWeeklyReport();
    actions.todayAction()->trigger();
    EXPECT_EQ(shown(), window->planningArea());
    EXPECT_EQ(shownWeek(), start);
}

} // namespace
