#include "gui/editing/EditingModeView.h"

#include "content/LessonContentController.h"
#include "content/StandardsController.h"
#include "content/TemplateWindowController.h"
#include "foundation/notify/NotificationCenter.h"
#include "gui/editing/FieldEditor.h"
#include "gui/editing/FieldEditorColumn.h"
#include "gui/editing/RichTextArea.h"
#include "gui/panels/AssignmentsPanel.h"
#include "gui/panels/AttachmentsTable.h"
#include "gui/panels/LessonSettingsPanel.h"
#include "model/Assignment.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/SemestraRecords.h"
#include "model/Unit.h"
#include "model/Year.h"
#include "planning/PlanningNotifications.h"
#include "testlib/FixedClock.h"
#include "testlib/LocalDate.h"
#include "testlib/SchoolYear.h"

#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <gtest/gtest.h>

namespace {

class EditingModeViewTest : public ::testing::Test {
protected:
    EditingModeViewTest()
    {
        year = buildSchoolYear(*context, { QStringLiteral("Math"), QStringLiteral("Art") });
        for (const char* flag : { "teacherEnlarged", "homeworkEnlarged", "publicEnlarged", "custom1Enlarged",
                 "custom2Enlarged", "custom3Enlarged" })
            year->setValue(QString::fromLatin1(flag), true);
        lesson = mathOn(9);
        math = lesson->course();
        StandardsController standards(alerts);
        standards.setYear(year);
        counting = standards.addRootStandardWithName(QStringLiteral("Count to 100"), QStringLiteral("K.CC.1"));
        observers.observe(
            PlanningNotifications::returnToPlanningMode, context.get(), [this](const Notification&) { ++returns; });
    }

    Lesson* mathOn(int september) const
    {
        Day* day = year->getExactDayWithDate(local(2026, 9, september, 12));
        return day->lessonInCourse(year->getCourseWithName(QStringLiteral("Math")), 0);
    }

    int rowOf(const Lesson* lesson) const { return int(math->allLessonsInOrder().indexOf(lesson)); }

    // A title, a link, work given and due in the lesson, and a standard.
    void fill(Lesson* target, const QString& title)
    {
        target->setValue(u"lessonTitle", title);
        target->addWebLinkWithURL(QStringLiteral("https://example.org/worksheet"), QStringLiteral("Worksheet"));
        Assignment* work = target->addAssignment();
        work->setValue(u"title", QStringLiteral("Exit ticket"));
        work->setObject(u"dueLesson", target);
        target->addStandard(counting);
    }

    // What the panels of the view show of its lesson.
    static QStringList panelsOf(const EditingModeView& view)
    {
        const QTreeWidgetItem* standard = nullptr;
        auto* tree = view.findChild<QTreeWidget*>(QStringLiteral("lessonStandards"));
        for (QTreeWidgetItemIterator it(tree); *it; ++it) {
            if ((*it)->checkState(0) == Qt::Checked)
                standard = *it;
        }
        return { view.titleEdit()->text(), view.lessonSettings()->titleEdit()->text(),
            QString::number(view.attachments()->table()->rowCount()),
            QString::number(view.assignments()->list()->count()), standard ? standard->text(0) : QString() };
    }

    Standard* counting = nullptr;

    FixedClock clock { local(2026, 9, 9, 10) };
    std::unique_ptr<ObjectContext> context = SemestraRecords::newContext();
    ScriptedAlertPresenter alerts;
    Year* year = nullptr;
    Lesson* lesson = nullptr;
    Course* math = nullptr;
    int returns = 0;
    ObserverBag observers;
};

TEST_F(EditingModeViewTest, SixFieldEditorsAndTheTitleEditTheChosenLesson)
{
    EditingModeView view(*year, lesson, alerts);
    view.show();
    QStringList keys;
    for (const FieldEditor* editor : view.fields()->editors())
        keys.append(editor->textKey());
    EXPECT_EQ(keys, Lesson::richFieldKeys());
    EXPECT_EQ(view.heading(), lesson->stringForEditingMode());

    QTest::keyClicks(view.titleEdit(), QStringLiteral("Fractions"));
    QTest::keyClicks(view.fields()->editor(QStringLiteral("custom3"))->textArea(), QStringLiteral("Rulers"));
    EXPECT_EQ(lesson->lessonTitle(), QStringLiteral("Fractions"));
    EXPECT_EQ(lesson->value<QString>(u"custom3String"), QStringLiteral("Rulers"));
    // The list row follows the title as it is typed.
    EXPECT_TRUE(view.lessonList()->currentItem()->text().endsWith(QStringLiteral("Fractions")));
    EXPECT_EQ(view.lessonSettings()->lesson(), lesson);
}

TEST_F(EditingModeViewTest, UntitledLessonsAreListedAsNoTitleProvided)
{
    mathOn(10)->setValue(u"anchored", true);
    EditingModeView view(*year, lesson, alerts);
    EXPECT_EQ(view.lessonList()->count(), math->allLessonsInOrder().size());
    const QString row = view.lessonList()->item(rowOf(mathOn(10)))->text();
    EXPECT_TRUE(row.startsWith(mathOn(10)->dateStringForScrollingView()));
    EXPECT_TRUE(row.contains(QStringLiteral("No Title Provided")));
    EXPECT_TRUE(row.endsWith(QStringLiteral("🔒")));
}

TEST_F(EditingModeViewTest, TheDayToolsDescribeTheLessonsDay)
{
    EditingModeView view(*year, lesson, alerts);
    view.showTools(EditingModeView::DayTools);
    EXPECT_TRUE(view.daySettingsText().startsWith(lesson->dayTaught()->longDateString()));
    EXPECT_TRUE(view.daySettingsText().endsWith(QStringLiteral("2 lessons")));
}

TEST_F(EditingModeViewTest, ALessonDeletedUnderTheEditorGivesWayToTheNearestOfItsCourse)
{
    EditingModeView view(*year, lesson, alerts);
    view.show();
    const qsizetype rows = view.lessonList()->count();
    lesson->dayTaught()->removeLesson(lesson);
    NotificationCenter::defaultCenter().post(PlanningNotifications::planningModesNeedRefresh);

    EXPECT_EQ(view.lesson(), mathOn(10));
    EXPECT_EQ(view.lessonList()->count(), rows - 1);
    EXPECT_EQ(view.lessonList()->currentRow(), rowOf(mathOn(10)));
    EXPECT_EQ(view.fields()->editor(QStringLiteral("homework"))->lesson(), mathOn(10));
    EXPECT_EQ(returns, 0);
    QTest::keyClicks(view.titleEdit(), QStringLiteral("Moved"));
    EXPECT_EQ(mathOn(10)->lessonTitle(), QStringLiteral("Moved"));
}

TEST_F(EditingModeViewTest, ALessonWhoseCourseIsGoneReturnsToPlanning)
{
    EditingModeView view(*year, lesson, alerts);
    for (Lesson* each : math->allLessonsInOrder())
        each->dayTaught()->removeLesson(each);
    context->deleteObject(math);
    NotificationCenter::defaultCenter().post(PlanningNotifications::courseAdded);

    EXPECT_EQ(returns, 1);
    EXPECT_EQ(view.lesson(), nullptr);
    EXPECT_EQ(view.fields()->editor(QStringLiteral("homework"))->lesson(), nullptr);
    EXPECT_EQ(view.lessonSettings()->lesson(), nullptr);
}

// Content put into the shown lesson by a template, a unit copy or a clear
// shows in every panel at once; typing after it starts from what is shown.
TEST_F(EditingModeViewTest, EveryPanelShowsContentPutIntoTheLessonFromElsewhere)
{
    Lesson* shown = mathOn(11);
    Lesson* pattern = mathOn(10);
    fill(pattern, QStringLiteral("Counting on"));
    EditingModeView view(*year, shown, alerts);
    view.show();
    view.activateWindow();
    EXPECT_EQ(panelsOf(view), QStringList({ "", "", "0", "0", "" }));

    TemplateWindowController templates(alerts);
    templates.setLesson(pattern);
    alerts.answerNext(AlertDefaultReturn);
    ASSERT_TRUE(templates.applyPressed());
    EXPECT_EQ(panelsOf(view),
        QStringList(
            { "Counting on", "Counting on", "1", QString::number(shown->todaysAssignments().size()), "K.CC.1" }));

    view.lessonSettings()->titleEdit()->setFocus();
    LessonContentController(alerts).clearLesson(shown);
    EXPECT_EQ(panelsOf(view), QStringList({ "", "", "0", QString::number(shown->todaysAssignments().size()), "" }));
    QTest::keyClicks(view.lessonSettings()->titleEdit(), QStringLiteral("Tens"));
    EXPECT_EQ(shown->lessonTitle(), QStringLiteral("Tens"));

    Unit* unit = math->addUnitWithName(QStringLiteral("Counting"));
    pattern->setObject(u"unit", unit);
    alerts.answerNext(AlertDefaultReturn);
    ASSERT_TRUE(LessonContentController(alerts).dropUnit(shown, unit));
    EXPECT_EQ(panelsOf(view).first(), QStringLiteral("Counting on"));
    EXPECT_EQ(panelsOf(view).at(2), QStringLiteral("1"));
    EXPECT_EQ(panelsOf(view).last(), QStringLiteral("K.CC.1"));
}

// The title above the fields and the one in the lesson settings are two
// views of one value: each shows what is typed into the other.
TEST_F(EditingModeViewTest, TheTwoTitleFieldsShowEachOthersTyping)
{
    EditingModeView view(*year, lesson, alerts);
    view.show();
    QLineEdit* settingsTitle = view.lessonSettings()->titleEdit();
    QTest::keyClicks(view.titleEdit(), QStringLiteral("Frac"));
    EXPECT_EQ(settingsTitle->text(), QStringLiteral("Frac"));
    settingsTitle->setFocus();
    settingsTitle->end(false);
    QTest::keyClicks(settingsTitle, QStringLiteral("tions"));
    EXPECT_EQ(lesson->lessonTitle(), QStringLiteral("Fractions"));
    EXPECT_EQ(view.titleEdit()->text(), QStringLiteral("Fractions"));
    // Typing goes on where it was: the field being typed into is not reloaded.
    QTest::keyClick(settingsTitle, Qt::Key_Left);
    QTest::keyClicks(settingsTitle, QStringLiteral("-"));
    EXPECT_EQ(lesson->lessonTitle(), QStringLiteral("Fraction-s"));
}

} // namespace
