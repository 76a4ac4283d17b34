#include "foundation/notify/NotificationCenter.h"
#include "foundation/richtext/RichText.h"
#include "gui/content/UnitManagerSheet.h"
#include "gui/editing/FieldEditor.h"
#include "gui/editing/FieldEditorColumn.h"
#include "gui/editing/RichTextArea.h"
#include "gui/navigation/CourseSourceList.h"
#include "gui/navigation/CourseSourceListDelegate.h"
#include "gui/navigation/CourseSourceListModel.h"
#include "gui/navigation/LessonDrag.h"
#include "gui/panels/AssignmentsPanel.h"
#include "gui/panels/AttachmentsTable.h"
#include "gui/panels/LessonEditorPanel.h"
#include "gui/panels/LessonSettingsPanel.h"
#include "gui/panels/SidePanel.h"
#include "gui/report/ReportActions.h"
#include "gui/report/ReportView.h"
#include "gui/schedule/RemoveCourseSheet.h"
#include "gui/window/CourseActions.h"
#include "gui/window/DayActions.h"
#include "gui/window/DemoWindowFixture.h"
#include "gui/window/EditActions.h"
#include "gui/window/LessonActions.h"
#include "gui/window/LessonBoxCommands.h"
#include "gui/window/StandardsActions.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/Year.h"
#include "planning/PlanningNotifications.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// The demo window shown and active, so that keys and clicks reach it as a
// teacher's would, and each command runs from the event that chose it.
class EditMenuTest : public ActiveDemoWindowFixture {
protected:
    void SetUp() override
    {
        ActiveDemoWindowFixture::SetUp();
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
        chooseIn(opened, item);
    }

    void chooseIn(QMenu* opened, const QString& item) const
    {
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

// Each kind of change, made as the teacher makes it, is offered back under
// the name of what the teacher did, both ways.
TEST_F(EditMenuTest, EveryKindOfChangeIsUndoneAndRedoneUnderTheNameOfTheTeachersAction)
{
    SidePanel* side = window->planningArea()->sidePanel();
    LessonSettingsPanel* settings = side->settings();
    auto showSettings = [this] {
        NotificationCenter::defaultCenter().post(PlanningNotifications::lessonSettingsClicked, lesson);
        settle();
    };
    auto showEditor = [this, side](LessonEditorPanel::Segment segment) {
        side->showLessonEditor(lesson);
        side->editor()->showSegment(segment);
        settle();
    };
    auto click = [](QWidget* widget) {
        ASSERT_TRUE(widget->isVisible());
        // Near the left edge: a check box stretched by its form takes clicks only on its box and label.
        QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(8, widget->height() / 2));
        settle();
    };
    auto typeInto = [](QLineEdit* field, const QString& text, Qt::Key done = Qt::Key_Return) {
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
        QTest::keyClick(field, done);
        field->clearFocus();
        settle();
    };
    auto buttonIn = [](const QWidget* sheet, const QString& text) -> QPushButton* {
        for (QPushButton* button : sheet->findChildren<QPushButton*>()) {
            if (button->text() == text)
                return button;
        }
        return nullptr;
    };
    CourseSourceList* list = window->courseList();
    auto* courses = dynamic_cast<CourseSourceListModel*>(list->model());
    ASSERT_NE(courses, nullptr);
    // A lesson of another course on the next day: its course can go without this lesson.
    Lesson* other = nullptr;
    for (Lesson* next : window->document().getCurrentYear()->getDayAfter(lesson->dayTaught())->lessonsToDrawInOrder()) {
        if (next->course() != lesson->course())
            other = next;
    }
    ASSERT_NE(other, nullptr);
    Day* nextDay = other->dayTaught();

    struct Command {
        const char* name;
        std::function<void()> perform;
    };
    const QList<Command> commands {
        { "Remove Attachment",
            [&] {
                showEditor(LessonEditorPanel::StandardFields);
                side->editor()->attachments()->table()->selectRow(0);
                click(side->editor()->attachments()->removeButton());
            } },
        { "Clear Lesson", [&] { choose(QStringLiteral("&Lesson"), QStringLiteral("Clear Lesson")); } },
        { "Paste Lesson",
            [&] {
                choose(QStringLiteral("&Lesson"), QStringLiteral("Copy Lesson"));
                NotificationCenter::defaultCenter().post(PlanningNotifications::lessonClicked, other);
                settle();
                choose(QStringLiteral("&Lesson"), QStringLiteral("Paste Lesson"));
                NotificationCenter::defaultCenter().post(PlanningNotifications::lessonClicked, lesson);
                settle();
            } },
        { "Lock Lesson",
            [&] {
                showSettings();
                click(settings->lockBox());
            } },
        { "Unlock Lesson",
            [&] {
                showSettings();
                click(settings->lockBox());
            } },
        { "Change Lesson Time",
            [&] {
                showSettings();
                // Only this lesson, not every lesson of its course.
                alerts.answerNext(AlertDefaultReturn);
                typeInto(settings->startTimeEdit(), QStringLiteral("9:05"));
            } },
        { "Change Lesson Time",
            [&] {
                showSettings();
                // Already set apart from its course's times, the lesson is not asked about again.
                typeInto(settings->endTimeEdit(), QStringLiteral("9:55"), Qt::Key_Tab);
            } },
        { "Typing",
            [&] {
                showSettings();
                typeInto(settings->titleEdit(), QStringLiteral("Fractions"), Qt::Key_Tab);
            } },
        { "Typing",
            [&] {
                showEditor(LessonEditorPanel::StandardFields);
                FieldEditor* homework = side->editor()->standardFields()->editor(QStringLiteral("homework"));
                homework->textArea()->setFocus();
                QTest::keyClicks(homework->textArea(), QStringLiteral("Read page 4"));
                settle();
            } },
        { "Change Report Text Size",
            [&] {
                window->reportActions().openDailyReport();
                auto* size = window->reportActions().currentReport()->findChild<QDoubleSpinBox*>();
                ASSERT_NE(size, nullptr);
                size->setFocus();
                QTest::keyClick(size, Qt::Key_Up);
                settle();
                window->reportActions().closeReport();
            } },
        { "Add Assignment",
            [&] {
                showEditor(LessonEditorPanel::Assignments);
                click(side->editor()->assignments()->addButton());
            } },
        { "Remove Assignment",
            [&] {
                showEditor(LessonEditorPanel::Assignments);
                side->editor()->assignments()->list()->setCurrentRow(0);
                click(side->editor()->assignments()->removeButton());
            } },
        { "Collapse Field",
            [&] {
                showEditor(LessonEditorPanel::StandardFields);
                click(side->editor()->standardFields()->editor(QStringLiteral("lessonBody"))->expandButton());
            } },
        { "Rename Field",
            [&] {
                showEditor(LessonEditorPanel::StandardFields);
                typeInto(side->editor()->standardFields()->editor(QStringLiteral("homework"))->titleEdit(),
                    QStringLiteral("Practice"));
            } },
        { "Hide Course",
            [&] {
                const QModelIndex row = courses->indexOf(static_cast<const ManagedObject*>(lesson->course()));
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    CourseSourceListDelegate::checkBoxRect(list->visualRect(row)).center());
                settle();
            } },
        { "Rename Course",
            [&] {
                list->edit(courses->indexOf(static_cast<const ManagedObject*>(lesson->course())));
                auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
                ASSERT_NE(editor, nullptr);
                typeInto(editor, QStringLiteral("Algebra"));
            } },
        { "Drop Lesson",
            [&] {
                // One with content of its own: the lessons above were cleared and pasted over.
                Year* year = window->document().getCurrentYear();
                const Lesson* full
                    = year->getDayAfter(year->getDayAfter(other->dayTaught()))->lessonsToDrawInOrder().value(0);
                ASSERT_TRUE(full && full->hasData());
                const std::unique_ptr<QMimeData> dragged(LessonDrag::mimeDataFor(full));
                window->lessonBoxCommands().drop(*lesson, *dragged);
                settle();
            } },
        { "Add Unit",
            [&] {
                window->lessonActions().manageUnitsAction()->trigger();
                auto* sheet = window->findChild<UnitManagerSheet*>();
                ASSERT_NE(sheet, nullptr);
                click(buttonIn(sheet, QStringLiteral("Add Unit")));
                sheet->reject();
                settle();
            } },
        { "Remove Course",
            [&] {
                window->courseActions().removeCourseAction()->trigger();
                auto* sheet = window->findChild<RemoveCourseSheet*>();
                ASSERT_NE(sheet, nullptr);
                sheet->controller().popUpChanged(other->course());
                for (qsizetype row = 0; row < sheet->controller().rows().size(); ++row)
                    sheet->controller().setIncluded(row, true);
                alerts.answerNext(AlertDefaultReturn);
                click(buttonIn(sheet, QStringLiteral("Remove")));
                sheet->reject();
                settle();
            } },
        // The next day: converting a day replaces its lessons.
        { "Convert Day",
            [&] {
                NotificationCenter::defaultCenter().post(
                    PlanningNotifications::lessonClicked, nextDay->lessonsToDrawInOrder().value(0));
                QMenu* convert = window->dayActions().convertMenu();
                window->dayActions().updateStates();
                ASSERT_FALSE(convert->actions().isEmpty());
                chooseIn(convert, convert->actions().last()->text());
                NotificationCenter::defaultCenter().post(PlanningNotifications::lessonClicked, lesson);
                settle();
            } },
        // Last: the day's lessons are bumped away, the current one with them.
        { "Cancel Day",
            [&] {
                alerts.answerNext(AlertDefaultReturn);
                choose(QStringLiteral("&Day"), QStringLiteral("Make Non-School Day…"));
            } },
    };

    lesson->year()->setValue(u"teacherEnlarged", true);
    lesson->addWebLinkWithURL(QStringLiteral("https://example.org/worksheet"), QStringLiteral("Worksheet"));
    for (const Command& command : commands) {
        history().clear();
        command.perform();
        const QString name = QString::fromUtf8(command.name);
        EXPECT_EQ(edit().undoAction()->text().toStdString(), "Undo " + name.toStdString());
        EXPECT_EQ(history().undoCount(), 1u) << command.name << " is one step";
        edit().undoAction()->trigger();
        EXPECT_EQ(edit().redoAction()->text().toStdString(), "Redo " + name.toStdString());
        edit().redoAction()->trigger();
        settle();
    }
    EXPECT_EQ(alerts.pendingAnswers(), 0) << "every question was asked";
}
