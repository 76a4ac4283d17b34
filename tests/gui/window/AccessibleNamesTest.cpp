#include "foundation/notify/NotificationCenter.h"
#include "gui/calsync/CalendarSyncActions.h"
#include "gui/dialogs/SelectDateDialog.h"
#include "gui/editing/EditingModeView.h"
#include "gui/editing/FieldEditor.h"
#include "gui/editing/FieldEditorColumn.h"
#include "gui/editing/RichTextArea.h"
#include "gui/panels/LessonEditorPanel.h"
#include "gui/panels/SidePanel.h"
#include "gui/publish/PublishActions.h"
#include "gui/publish/PublishOptionsSheet.h"
#include "gui/report/ReportActions.h"
#include "gui/report/ReportView.h"
#include "gui/schedule/NewYearSheet.h"
#include "gui/window/CourseActions.h"
#include "gui/window/CourseExchangeActions.h"
#include "gui/window/DayActions.h"
#include "gui/window/HelpActions.h"
#include "gui/window/DemoWindowFixture.h"
#include "gui/window/LessonActions.h"
#include "gui/window/PlanningActions.h"
#include "gui/window/StandardsActions.h"
#include "gui/window/UnnamedControls.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/Year.h"
#include "planning/PlanningNotifications.h"

#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

namespace {

using Mode = PlanningModeViewController::Mode;

// Every control of the window and of its often-used dialogs, in each state
// that shows other controls, must tell a screen reader what it is.
class AccessibleNamesTest : public DemoWindowFixture {
protected:
    void SetUp() override
    {
        DemoWindowFixture::SetUp();
        // Open editors show their text areas, which are controls too.
        Year* year = window->document().getCurrentYear();
        for (const Year::FieldFlagKeys& keys : Year::lessonFieldFlagKeys())
            year->setValue(keys.expandedKey, true);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    }

    // Checks what shows now, under `state` in the failure message.
    void expectAllNamed(const QWidget* root, const QString& state) const
    {
        QApplication::processEvents();
        const QStringList unnamed = UnnamedControls::under(root);
        EXPECT_TRUE(unnamed.isEmpty()) << qPrintable(state) << ": controls without an accessible name:\n  "
                                       << qPrintable(unnamed.join(QStringLiteral("\n  ")));
    }

    void expectEverySegmentNamed(LessonEditorPanel* editor, const QString& state) const
    {
        for (auto segment : { LessonEditorPanel::StandardFields, LessonEditorPanel::CustomFields,
                 LessonEditorPanel::Assignments, LessonEditorPanel::Standards }) {
            editor->showSegment(segment);
            expectAllNamed(window, state + QStringLiteral(", segment %1").arg(int(segment)));
        }
    }

    SidePanel* side() const { return window->planningArea()->sidePanel(); }

    template <typename Sheet> Sheet* shownSheet() const
    {
        for (Sheet* sheet : window->findChildren<Sheet*>()) {
            if (sheet->isVisible())
                return sheet;
        }
        return nullptr;
    }
};

TEST_F(AccessibleNamesTest, EveryPlanningModeWithTheLessonEditorBesideIt)
{
    for (const auto& [mode, name] : { std::pair { Mode::DayMode, "day view" }, { Mode::WeekMode, "week view" },
             { Mode::MonthMode, "month view" } }) {
        window->planningActions().modeAction(mode)->trigger();
        side()->showLessonEditor(planning().currentLesson());
        expectEverySegmentNamed(side()->editor(), QString::fromLatin1(name));
    }
}

// The buttons show a letter each; a screen reader must not read "B".
TEST_F(AccessibleNamesTest, FormatButtonsSayWhatTheyDo)
{
    FieldEditor* body = side()->editor()->standardFields()->editor(QStringLiteral("lessonBody"));
    ASSERT_NE(body, nullptr);
    QStringList names;
    for (const QToolButton* button : body->findChildren<QToolButton*>()) {
        if (button != body->expandButton())
            names << QAccessible::queryAccessibleInterface(const_cast<QToolButton*>(button))->text(QAccessible::Name);
    }
    EXPECT_EQ(names, QStringList({ "Bold", "Italic", "Underline", "Bulleted list", "Text colour" }));
}

// Six editors look alike; each is told apart by the name the teacher gave its field.
TEST_F(AccessibleNamesTest, FieldControlsCarryTheFieldsNameAndFollowARename)
{
    FieldEditor* homework = side()->editor()->standardFields()->editor(QStringLiteral("homework"));
    ASSERT_NE(homework, nullptr);
    auto nameOf
        = [](QWidget* widget) { return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name); };
    const QString title = window->document().getCurrentYear()->fieldTitle(QStringLiteral("homework"));
    ASSERT_FALSE(title.isEmpty());
    EXPECT_EQ(nameOf(homework->textArea()), title);
    EXPECT_TRUE(nameOf(homework->showBox()).contains(title));

    QLineEdit* titleEdit = homework->titleEdit();
    titleEdit->setFocus();
    titleEdit->selectAll();
    QTest::keyClicks(titleEdit, QStringLiteral("Practice"));
    QTest::keyClick(titleEdit, Qt::Key_Tab);
    homework->setLesson(planning().currentLesson());
    EXPECT_EQ(nameOf(homework->textArea()), QStringLiteral("Practice"));
    EXPECT_EQ(nameOf(homework->expandButton()), QStringLiteral("Expand Practice"));
}

TEST_F(AccessibleNamesTest, TheSidePanelsOfLessonSettingsAndOfDays)
{
    Lesson* lesson = planning().currentLesson();
    ASSERT_NE(lesson, nullptr);
    NotificationCenter& center = NotificationCenter::defaultCenter();
    center.post(PlanningNotifications::lessonSettingsClicked, lesson);
    ASSERT_EQ(side()->state(), SidePanel::State::LessonSettings);
    expectAllNamed(window, QStringLiteral("lesson settings"));
    center.post(PlanningNotifications::nonSchoolSettingsClicked, lesson->dayTaught());
    ASSERT_EQ(side()->state(), SidePanel::State::NonSchoolSettings);
    expectAllNamed(window, QStringLiteral("non-school day settings"));
    center.post(PlanningNotifications::noLessonsClicked, lesson->dayTaught());
    ASSERT_EQ(side()->state(), SidePanel::State::NoLessonsSettings);
    expectAllNamed(window, QStringLiteral("day without lessons"));
}

TEST_F(AccessibleNamesTest, EditingModeInEachOfItsSegments)
{
    NotificationCenter::defaultCenter().post(PlanningNotifications::lessonDoubleClicked, planning().currentLesson());
    EditingModeView* editing = window->editingModeView();
    ASSERT_NE(editing, nullptr);
    expectAllNamed(window, QStringLiteral("editing mode"));
    for (QTabBar* segments : editing->findChildren<QTabBar*>()) {
        for (int index = 0; index < segments->count(); ++index) {
            segments->setCurrentIndex(index);
            expectAllNamed(window, QStringLiteral("editing mode, tab %1").arg(segments->tabText(index)));
        }
    }
}

TEST_F(AccessibleNamesTest, TheSearchResultsAndTheLibrary)
{
    StandardsActions& actions = window->standardsActions();
    actions.findAction()->trigger();
    QTest::keyClicks(actions.searchField(), QStringLiteral("a"));
    ASSERT_NE(actions.searchPanel(), nullptr);
    expectAllNamed(window, QStringLiteral("search results"));
    actions.libraryAction()->trigger();
    expectAllNamed(window, QStringLiteral("lesson library"));
}

TEST_F(AccessibleNamesTest, ThePublishingPreferencesAndTheSelectDateDialog)
{
    window->publishActions().publishOptionsPressed();
    auto* options = shownSheet<PublishOptionsSheet>();
    ASSERT_NE(options, nullptr);
    for (QTabWidget* tabs : options->findChildren<QTabWidget*>()) {
        for (int index = 0; index < tabs->count(); ++index) {
            tabs->setCurrentIndex(index);
            expectAllNamed(options, QStringLiteral("publishing preferences, tab %1").arg(tabs->tabText(index)));
        }
    }
    expectAllNamed(options, QStringLiteral("publishing preferences"));
    options->reject();

    window->planningActions().selectDateAction()->trigger();
    auto* selectDate = shownSheet<SelectDateDialog>();
    ASSERT_NE(selectDate, nullptr);
    expectAllNamed(selectDate, QStringLiteral("select date"));
    selectDate->reject();
}

// The sheets the menus open, each walked while it shows.
TEST_F(AccessibleNamesTest, TheSheetsOfTheMenus)
{
    const QList<QAction*> commands { window->standardsActions().manageStandardsAction(),
        window->lessonActions().manageUnitsAction(), window->courseActions().addCourseAction(),
        window->courseActions().removeCourseAction(), window->courseActions().courseColorsAction(),
        window->courseActions().assignTimesAction(), window->dayActions().makeCustomDayAction(),
        window->dayActions().addCourseAction(), window->calendarSyncActions().syncWindowAction(),
        window->lessonActions().useAsTemplateAction(), window->courseActions().migrateAction(),
        window->courseExchangeActions().exportCourseAction(),
        window->dayActions().restartRotationAction(), window->helpActions().shortcutsAction(),
        window->helpActions().aboutAction() };
    for (QAction* command : commands) {
        command->setEnabled(true);
        command->trigger();
        QDialog* sheet = shownSheet<QDialog>();
        ASSERT_NE(sheet, nullptr) << qPrintable(command->text());
        expectAllNamed(sheet, command->text());
        sheet->reject();
        QApplication::processEvents();
    }
}

TEST_F(AccessibleNamesTest, EveryReport)
{
    ReportActions& reports = window->reportActions();
    const QList<std::pair<void (ReportActions::*)(), const char*>> kinds {
        { &ReportActions::openWeeklyReport, "weekly" }, { &ReportActions::openDailyReport, "daily" },
        { &ReportActions::openUnitReport, "unit" }, { &ReportActions::openStandardsReport, "standards" }
    };
    for (const auto& [open, name] : kinds) {
        (reports.*open)();
        ASSERT_NE(reports.currentReport(), nullptr) << name;
        expectAllNamed(reports.currentReport(), QStringLiteral("%1 report").arg(QString::fromLatin1(name)));
        reports.closeReport();
    }
}

// The wizard of a new document, on both of its pages.
TEST(AccessibleNamesOfTheNewYearWizard, BothPagesNameEveryControl)
{
    QPointer<DocumentWindow> window = new DocumentWindow;
    window->show();
    NewYearSheet* sheet = window->showNewYearSheet();
    ASSERT_NE(sheet, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(sheet));
    auto expectAllNamed = [sheet](const QString& page) {
        QApplication::processEvents();
        const QStringList unnamed = UnnamedControls::under(sheet);
        EXPECT_TRUE(unnamed.isEmpty()) << qPrintable(page) << ": controls without an accessible name:\n  "
                                       << qPrintable(unnamed.join(QStringLiteral("\n  ")));
    };
    expectAllNamed(QStringLiteral("first page"));

    auto* courseName = sheet->findChild<QLineEdit*>(QStringLiteral("courseName"));
    ASSERT_NE(courseName, nullptr);
    QTest::keyClicks(courseName, QStringLiteral("Math"));
    QTest::keyClick(courseName, Qt::Key_Return);
    sheet->findChild<QDateEdit*>(QStringLiteral("startDate"))->setDate(QDate(2026, 9, 8));
    sheet->findChild<QDateEdit*>(QStringLiteral("endDate"))->setDate(QDate(2026, 9, 30));
    auto* weekly = sheet->findChild<QRadioButton*>(QStringLiteral("schedule1"));
    ASSERT_NE(weekly, nullptr);
    weekly->setChecked(true);
    QTest::mouseClick(sheet->findChild<QPushButton*>(QStringLiteral("continue")), Qt::LeftButton);
    ASSERT_FALSE(sheet->findChild<QPushButton*>(QStringLiteral("continue"))->isVisible()) << "still on the first page";
    expectAllNamed(QStringLiteral("course selection page"));
    delete window.data();
}

} // namespace
