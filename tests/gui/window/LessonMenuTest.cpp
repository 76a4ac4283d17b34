#include "DemoWindowFixture.h"
#include "content/LessonContentController.h"
#include "foundation/pasteboard/Pasteboard.h"
#include "gui/content/TemplateSheet.h"
#include "gui/window/EditActions.h"
#include "gui/window/DocumentWindow.h"
#include "gui/window/LessonActions.h"
#include "gui/window/PlanningArea.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Document.h"
#include "model/Lesson.h"
#include "model/Year.h"

#include <QAction>
#include <QClipboard>
#include <QDateEdit>
#include <QFile>
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// The Lesson menu of a window on the demo year, with the day's first lesson current.
class LessonMenuTest : public DemoWindowFixture {
protected:
    void SetUp() override
    {
        Pasteboard::general().clearContents();
        DemoWindowFixture::SetUp();
        ASSERT_NE(current(), nullptr);
    }

    LessonActions& actions() const { return window->lessonActions(); }
    Lesson* current() const { return planning().currentLesson(); }
    // The current lesson's course, its later meetings in order.
    QList<Lesson*> laterLessonsOfCourse() const
    {
        QList<Lesson*> later;
        for (Lesson* lesson : current()->course()->lessons()) {
            if (lesson->dayTaught() && lesson->dayTaught()->actualDate() > current()->dayTaught()->actualDate())
                later.append(lesson);
        }
        std::sort(later.begin(), later.end(), [](const Lesson* a, const Lesson* b) {
            return a->dayTaught()->actualDate() < b->dayTaught()->actualDate();
        });
        return later;
    }
};

} // namespace

TEST_F(LessonMenuTest, CommandsFollowTheCurrentLessonThePasteboardAndTheUnit)
{
    EXPECT_TRUE(actions().copyAction()->isEnabled());
    EXPECT_TRUE(actions().clearAction()->isEnabled());
    EXPECT_TRUE(actions().useAsTemplateAction()->isEnabled());
    EXPECT_TRUE(actions().manageUnitsAction()->isEnabled());
    EXPECT_FALSE(actions().pasteAction()->isEnabled());

    actions().copyAction()->trigger();
    EXPECT_TRUE(actions().pasteAction()->isEnabled());

    // The demo year puts every lesson in a unit.
    ASSERT_NE(current()->unit(), nullptr);
    EXPECT_TRUE(actions().removeFromUnitAction()->isEnabled());
    actions().removeFromUnitAction()->trigger();
    EXPECT_EQ(current()->unit(), nullptr);
    EXPECT_FALSE(actions().removeFromUnitAction()->isEnabled());
}

TEST_F(LessonMenuTest, WindowWithoutAYearOffersNoLessonCommand)
{
    // Something to paste, and still nothing to paste onto.
    actions().copyAction()->trigger();
    DocumentWindow empty(alerts, files);
    LessonActions& none = empty.lessonActions();
    none.updateStates();
    for (QAction* action : { none.copyAction(), none.pasteAction(), none.clearAction(), none.clearAllAction(),
             none.bumpAction(), none.pullBackAction(), none.useAsTemplateAction(), none.removeFromUnitAction(),
             none.manageUnitsAction() })
        EXPECT_FALSE(action->isEnabled()) << action->text().toStdString();
}

// A lost class meeting moves the plan a meeting later; falling behind pulls
// it back. Each is one step the Edit menu can undo under its own name.
TEST_F(LessonMenuTest, BumpAndPullBackMoveTheCoursesPlanAndUndoAsOneStep)
{
    Lesson* shown = current();
    const QList<Lesson*> later = laterLessonsOfCourse();
    ASSERT_GE(later.size(), 2);
    for (Lesson* lesson : later)
        lesson->setValue(u"anchored", false);
    shown->setValue(u"lessonTitle", QStringLiteral("Fractions"));
    later[0]->setValue(u"lessonTitle", QStringLiteral("Decimals"));
    later[1]->setValue(u"lessonTitle", QStringLiteral("Percent"));

    ASSERT_TRUE(actions().bumpAction()->isEnabled());
    actions().bumpAction()->trigger();
    EXPECT_FALSE(shown->hasTitle());
    EXPECT_EQ(later[0]->lessonTitle(), QStringLiteral("Fractions"));
    EXPECT_EQ(later[1]->lessonTitle(), QStringLiteral("Decimals"));
    EXPECT_EQ(window->editActions().undoAction()->text(), QStringLiteral("Undo Bump Lesson"));

    window->editActions().undoAction()->trigger();
    EXPECT_EQ(shown->lessonTitle(), QStringLiteral("Fractions"));
    EXPECT_EQ(later[0]->lessonTitle(), QStringLiteral("Decimals"));
    EXPECT_EQ(later[1]->lessonTitle(), QStringLiteral("Percent"));

    planning().lessonSelected(shown);
    actions().pullBackAction()->trigger();
    EXPECT_EQ(shown->lessonTitle(), QStringLiteral("Decimals"));
    EXPECT_EQ(later[0]->lessonTitle(), QStringLiteral("Percent"));
    EXPECT_EQ(window->editActions().undoAction()->text(), QStringLiteral("Undo Pull Lessons Back"));
    window->editActions().undoAction()->trigger();
    EXPECT_EQ(shown->lessonTitle(), QStringLiteral("Fractions"));
}

// Ctrl+C and Ctrl+V belong to whatever text field has the focus.
TEST_F(LessonMenuTest, CopyAndPasteUseShiftedKeysAndCarryTheContent)
{
    EXPECT_EQ(actions().copyAction()->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    EXPECT_EQ(actions().pasteAction()->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V));

    Lesson* source = current();
    source->setValue(u"lessonTitle", QStringLiteral("Long division"));
    actions().copyAction()->trigger();
    Lesson* target = laterLessonsOfCourse().value(0);
    ASSERT_NE(target, nullptr);
    planning().lessonSelected(target);
    actions().pasteAction()->trigger();
    EXPECT_EQ(target->lessonTitle(), QStringLiteral("Long division"));

    actions().clearAction()->trigger();
    EXPECT_FALSE(target->hasData());
    EXPECT_EQ(source->lessonTitle(), QStringLiteral("Long division"));
}

// The clipboard is the desktop's, so any other window (or program) reads it.
TEST_F(LessonMenuTest, ALessonCopiedInOneWindowPastesIntoAnotherDocumentsWindow)
{
    const QString otherPath = folder.filePath(QStringLiteral("Other.semestra"));
    ASSERT_TRUE(QFile::copy(window->document().filePath(), otherPath));
    DocumentWindow other(alerts, files);
    ASSERT_TRUE(other.openFile(otherPath));
    LessonActions& otherActions = other.lessonActions();
    Lesson* target = other.planningArea()->controller().currentLesson();
    ASSERT_NE(target, nullptr);
    EXPECT_FALSE(otherActions.pasteAction()->isEnabled());

    current()->setValue(u"lessonTitle", QStringLiteral("Long division"));
    actions().copyAction()->trigger();
    EXPECT_TRUE(otherActions.pasteAction()->isEnabled()) << "Paste follows the clipboard in every window";
    otherActions.pasteAction()->trigger();
    EXPECT_EQ(target->lessonTitle(), QStringLiteral("Long division"));

    QGuiApplication::clipboard()->setText(QStringLiteral("a word copied in an editor"));
    EXPECT_FALSE(otherActions.pasteAction()->isEnabled());
    EXPECT_FALSE(actions().pasteAction()->isEnabled());
}

TEST_F(LessonMenuTest, ClearAllLessonsWipesOnlyAfterTheTeacherConfirms)
{
    current()->setValue(u"lessonTitle", QStringLiteral("Kept"));
    alerts.answerNext(AlertOtherReturn);
    actions().clearAllAction()->trigger();
    EXPECT_EQ(alerts.last().title, QStringLiteral("Clear All Lesson Information?"));
    EXPECT_EQ(current()->lessonTitle(), QStringLiteral("Kept"));

    alerts.answerNext(AlertDefaultReturn);
    actions().clearAllAction()->trigger();
    EXPECT_FALSE(current()->hasData());
}

TEST_F(LessonMenuTest, TemplateSheetOverwritesTheChosenDaysOnlyOnceConfirmed)
{
    Lesson* pattern = current();
    pattern->setValue(u"lessonTitle", QStringLiteral("Warm-up drill"));
    const QList<Lesson*> later = laterLessonsOfCourse();
    ASSERT_GE(later.size(), 3);
    later[2]->setValue(u"lessonTitle", QStringLiteral("Untouched"));
    actions().useAsTemplateAction()->trigger();
    TemplateSheet* sheet = actions().templateSheet();
    ASSERT_NE(sheet, nullptr);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(sheet->startDateEdit()->date(), QDate(2025, 10, 8));

    // Through the second later meeting: the third stays as it was.
    const QDate lastDay = later[1]->dayTaught()->actualDate().toQDateTime().toLocalTime().date();
    sheet->endDateEdit()->setDate(lastDay);
    alerts.answerNext(AlertAlternateReturn);
    sheet->accept();
    EXPECT_EQ(alerts.last().title, QStringLiteral("Overwrite Lessons?"));
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_NE(later[0]->lessonTitle(), QStringLiteral("Warm-up drill"));

    alerts.answerNext(AlertDefaultReturn);
    sheet->accept();
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_EQ(later[0]->lessonTitle(), QStringLiteral("Warm-up drill"));
    EXPECT_EQ(later[1]->lessonTitle(), QStringLiteral("Warm-up drill"));
    EXPECT_EQ(later[2]->lessonTitle(), QStringLiteral("Untouched"));
}
