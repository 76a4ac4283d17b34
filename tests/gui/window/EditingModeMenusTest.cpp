#include "DemoWindowFixture.h"
#include "content/LessonContentController.h"
#include "foundation/pasteboard/Pasteboard.h"
#include "gui/content/TemplateSheet.h"
#include "gui/editing/EditingModeView.h"
#include "gui/panels/DaySettingsPanel.h"
#include "gui/report/ReportActions.h"
#include "gui/schedule/AddCourseToSingleDaySheet.h"
#include "gui/schedule/CustomDaySheet.h"
#include "gui/schedule/RemoveCourseSheet.h"
#include "gui/schedule/RestartRotationSheet.h"
#include "gui/window/CourseActions.h"
#include "gui/window/DayActions.h"
#include "gui/window/LessonActions.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/Year.h"

#include <QAction>
#include <QCoreApplication>
#include <QDateEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

// Editing mode opened on the demo day's first lesson (the planning views'
// current lesson, "planned"), then another lesson of its course picked in
// the list ("shown"), a week later. The Lesson and Day menus must act on what
// the teacher sees.
class EditingModeMenusTest : public DemoWindowFixture {
protected:
    void SetUp() override
    {
        Pasteboard::general().clearContents();
        DemoWindowFixture::SetUp();
        window->resize(1400, 900);
        window->show();
        planned = planning().currentLesson();
        ASSERT_NE(planned, nullptr);
        window->editingModeAction()->trigger();
        ASSERT_NE(editor(), nullptr);
        shown = laterLesson(planned, 5);
        showInEditor(shown);
        ASSERT_EQ(editor()->lesson(), shown);
        ASSERT_EQ(planning().currentLesson(), planned);
        ASSERT_NE(shown->dayTaught(), planned->dayTaught());
    }

    EditingModeView* editor() const { return window->editingModeView(); }
    LessonActions& lessons() const { return window->lessonActions(); }
    DayActions& days() const { return window->dayActions(); }

    static Lesson* laterLesson(const Lesson* lesson, int steps)
    {
        const QList<Lesson*> all = lesson->course()->allLessonsInOrder();
        return all.value(all.indexOf(lesson) + steps);
    }

    void showInEditor(const Lesson* lesson) const
    {
        const QList<Lesson*> all = lesson->course()->allLessonsInOrder();
        editor()->lessonList()->setCurrentRow(int(all.indexOf(lesson)));
    }

    static QDate dateOf(const Lesson* lesson)
    {
        return lesson->dayTaught()->actualDate().toQDateTime().toLocalTime().date();
    }

    Lesson* planned = nullptr;
    Lesson* shown = nullptr;
};

TEST_F(EditingModeMenusTest, TheLessonMenuActsOnTheLessonTheEditorShows)
{
    const QString plannedTitle = planned->lessonTitle();
    ASSERT_NE(planned->unit(), nullptr);
    ASSERT_NE(shown->unit(), nullptr);
    lessons().removeFromUnitAction()->trigger();
    EXPECT_EQ(shown->unit(), nullptr);
    EXPECT_NE(planned->unit(), nullptr);
    EXPECT_FALSE(lessons().removeFromUnitAction()->isEnabled()) << "the shown lesson has no unit left";

    lessons().useAsTemplateAction()->trigger();
    ASSERT_NE(lessons().templateSheet(), nullptr);
    EXPECT_EQ(lessons().templateSheet()->startDateEdit()->date(), dateOf(shown));
    lessons().templateSheet()->reject();

    ASSERT_TRUE(shown->hasDataForKey(QStringLiteral("lessonBody")));
    lessons().clearAction()->trigger();
    EXPECT_TRUE(shown->lessonTitle().isEmpty());
    EXPECT_FALSE(shown->hasDataForKey(QStringLiteral("lessonBody")));
    EXPECT_EQ(planned->lessonTitle(), plannedTitle);
    EXPECT_TRUE(planned->hasDataForKey(QStringLiteral("lessonBody")));

    shown->setValue(u"lessonTitle", QStringLiteral("Shown in the editor"));
    lessons().copyAction()->trigger();
    Lesson* next = laterLesson(shown, 1);
    showInEditor(next);
    lessons().pasteAction()->trigger();
    EXPECT_EQ(next->lessonTitle(), QStringLiteral("Shown in the editor"));
    EXPECT_EQ(planned->lessonTitle(), plannedTitle);
}

TEST_F(EditingModeMenusTest, TheDayMenuActsOnTheDayOfTheLessonTheEditorShows)
{
    Day* shownDay = shown->dayTaught();
    Day* plannedDay = planned->dayTaught();

    days().makeCustomDayAction()->trigger();
    ASSERT_NE(days().customDaySheet(), nullptr);
    EXPECT_EQ(days().customDaySheet()->controller().day(), shownDay);
    days().customDaySheet()->reject();

    days().addCourseAction()->trigger();
    ASSERT_NE(days().addCourseSheet(), nullptr);
    EXPECT_EQ(days().addCourseSheet()->controller().day(), shownDay);
    days().addCourseSheet()->reject();

    // Another course's meeting the same day, taken off it after the teacher
    // chose to delete its content.
    Course* course = shown->course();
    alerts.answerNext(AlertOtherReturn);
    days().removeLessonAction()->trigger();
    EXPECT_EQ(shownDay->lessonInCourse(course, 0), nullptr);
    EXPECT_NE(plannedDay->lessonInCourse(course, 0), nullptr);
    ASSERT_NE(editor()->lesson(), nullptr);
    EXPECT_NE(editor()->lesson()->dayTaught(), shownDay) << "the editor moved to the nearest lesson";

    Day* nextDay = editor()->lesson()->dayTaught();
    alerts.answerNext(AlertOtherReturn);
    days().makeNonSchoolAction()->trigger();
    EXPECT_TRUE(nextDay->isNonSchoolDay());
    EXPECT_FALSE(plannedDay->isNonSchoolDay());
}

TEST_F(EditingModeMenusTest, ConvertingActsOnTheDayTheEditorShows)
{
    Day* shownDay = shown->dayTaught();
    days().updateStates();
    ASSERT_TRUE(days().convertMenu()->isEnabled());
    // Both are Wednesdays; Friday's schedule makes a custom day.
    days().convertMenu()->actions().last()->trigger();
    EXPECT_TRUE(shownDay->isCustomDay());
    EXPECT_FALSE(planned->dayTaught()->isCustomDay());
    EXPECT_TRUE(planned->hasData());
}

TEST_F(EditingModeMenusTest, TheDaySettingsTabOffersTheDayCommandsForTheShownLessonsDay)
{
    editor()->showTools(EditingModeView::DayTools);
    auto* tools = editor()->findChild<DaySettingsPanel*>();
    ASSERT_NE(tools, nullptr);
    EXPECT_TRUE(tools->isVisible());
    QPushButton* custom = nullptr;
    QPushButton* nonSchool = nullptr;
    for (QPushButton* button : tools->findChildren<QPushButton*>()) {
        if (button->text().startsWith(QStringLiteral("Make Custom Day")))
            custom = button;
        if (button->text().startsWith(QStringLiteral("Make Non-School Day")))
            nonSchool = button;
    }
    ASSERT_TRUE(custom && nonSchool);
    custom->click();
    ASSERT_NE(days().customDaySheet(), nullptr);
    EXPECT_EQ(days().customDaySheet()->controller().day(), shown->dayTaught());
    days().customDaySheet()->reject();

    Day* shownDay = shown->dayTaught();
    alerts.answerNext(AlertOtherReturn);
    nonSchool->click();
    EXPECT_TRUE(shownDay->isNonSchoolDay());
    EXPECT_FALSE(planned->dayTaught()->isNonSchoolDay());
}

// The Day and Lesson menus follow the lesson as it changes in the editor,
// without waiting for a menu to open.
TEST_F(EditingModeMenusTest, CommandStatesFollowTheShownLesson)
{
    shown->setObject(u"unit", nullptr);
    showInEditor(planned);
    showInEditor(shown);
    EXPECT_FALSE(lessons().removeFromUnitAction()->isEnabled());
    showInEditor(planned);
    EXPECT_TRUE(lessons().removeFromUnitAction()->isEnabled());
    // Printing has nothing to print for a single lesson in this mode.
    EXPECT_FALSE(window->reportActions().printAction()->isEnabled());
    window->editingModeAction()->trigger();
    EXPECT_TRUE(window->reportActions().printAction()->isEnabled());
}

// Removing the current lesson's course leaves no command holding the
// deleted lesson.
TEST_F(EditingModeMenusTest, ARemovedCourseLeavesNoCommandOnItsDeletedLessons)
{
    window->editingModeAction()->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Course* course = planned->course();
    window->courseActions().removeCourseAction()->trigger();
    auto* sheet = window->findChild<RemoveCourseSheet*>();
    ASSERT_NE(sheet, nullptr);
    sheet->controller().popUpChanged(course);
    for (qsizetype row = 0; row < sheet->controller().rows().size(); ++row)
        sheet->controller().setIncluded(row, true);
    alerts.answerNext(AlertDefaultReturn);
    sheet->removePressed();
    sheet->reject();
    ASSERT_TRUE(course->isDeleted());

    EXPECT_EQ(planning().currentLesson(), nullptr);
    EXPECT_FALSE(lessons().copyAction()->isEnabled());
    EXPECT_FALSE(lessons().clearAction()->isEnabled());
    EXPECT_FALSE(days().removeLessonAction()->isEnabled());
    EXPECT_FALSE(window->editingModeAction()->isEnabled());
    lessons().updateStates();
    days().updateStates();
    EXPECT_FALSE(lessons().clearAction()->isEnabled());
    EXPECT_FALSE(days().removeLessonAction()->isEnabled());
}

// A rotating year, two day types, for the one day command that only such a
// year offers.
class RotatingEditingModeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString path = folder.filePath(QStringLiteral("Rotating.semestra"));
        {
            DocumentWindow writer;
            NewYearRequest request = DemoYearFiller::request(1);
            request.schedule = NewYearPlan::Schedule::Rotating;
            request.rotationLength = 2;
            request.meetings.clear();
            for (const QString& name : request.courseNames)
                request.meetings.insert(name, { QStringLiteral("0"), QStringLiteral("1") });
            ScriptedAlertPresenter buildAlerts;
            ASSERT_NE(request.build(writer.document().context(), buildAlerts), nullptr);
            ASSERT_TRUE(writer.document().saveAs(path).ok());
        }
        window = new DocumentWindow(alerts, files);
        ASSERT_TRUE(window->openFile(path));
    }

    void TearDown() override { delete window.data(); }

    TemporaryPreferences preferences;
    FixedClock clock { local(2025, 10, 8, 9) };
    QTemporaryDir folder;
    ScriptedAlertPresenter alerts;
    ScriptedFileChooser files;
    QPointer<DocumentWindow> window;
};

TEST_F(RotatingEditingModeTest, RestartRotationActsOnTheDayTheEditorShows)
{
    Lesson* planned = window->planningArea()->controller().currentLesson();
    ASSERT_NE(planned, nullptr);
    window->editingModeAction()->trigger();
    const QList<Lesson*> all = planned->course()->allLessonsInOrder();
    Lesson* shown = all.value(all.indexOf(planned) + 3);
    window->editingModeView()->lessonList()->setCurrentRow(int(all.indexOf(shown)));
    ASSERT_EQ(window->editingModeView()->lesson(), shown);

    DayActions& days = window->dayActions();
    days.updateStates();
    ASSERT_TRUE(days.restartRotationAction()->isEnabled());
    days.restartRotationAction()->trigger();
    ASSERT_NE(days.restartRotationSheet(), nullptr);
    EXPECT_EQ(days.restartRotationSheet()->controller().day(), shown->dayTaught());
    days.restartRotationSheet()->reject();
}

} // namespace
