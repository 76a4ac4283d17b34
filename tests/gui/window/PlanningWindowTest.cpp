#include "foundation/prefs/Preferences.h"
#include "gui/dialogs/SelectDateDialog.h"
#include "gui/editing/EditingModeView.h"
#include "gui/navigation/CalendarPicker.h"
#include "gui/navigation/CalendarPickerGrid.h"
#include "gui/panels/SidePanel.h"
#include "gui/views/DayColumnsCanvas.h"
#include "gui/views/DayView.h"
#include "gui/views/MonthView.h"
#include "gui/views/WeekView.h"
#include "gui/window/DocumentWindow.h"
#include "gui/window/PlanningActions.h"
#include "gui/window/PlanningArea.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Document.h"
#include "model/Lesson.h"
#include "model/Week.h"
#include "model/Year.h"
#include "planning/DisplayPreferences.h"
#include "planning/PlanningNotifications.h"
#include "testlib/FixedClock.h"
#include "testlib/LocalDate.h"
#include "testlib/SchoolYear.h"
#include "testlib/TemporaryPreferences.h"
#include "testlib/ZoneAndLocale.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using Mode = PlanningModeViewController::Mode;

// The shared school year with two courses, saved as a file and opened into windows the way a teacher opens
// it; today is Wednesday 14 October 2026.
class PlanningWindowTest : public ::testing::Test {
protected:
    static QString writeYear(const QString& path)
    {
        DocumentWindow writer;
        buildSchoolYear(writer.document().context());
        EXPECT_TRUE(writer.document().saveAs(path).ok());
        return path;
    }

    DocumentWindow* openWindow(const QString& name)
    {
        auto* window = new DocumentWindow;
        windows << window;
        EXPECT_TRUE(window->openFile(writeYear(folder.filePath(name))));
        window->show();
        return window;
    }

    void TearDown() override
    {
        for (const QPointer<DocumentWindow>& window : windows)
            delete window.data();
    }

    static PlanningModeViewController& planning(DocumentWindow* window) { return window->planningArea()->controller(); }

    static Day* dayOn(DocumentWindow* window, int y, int m, int d)
    {
        return window->document().getCurrentYear()->getExactDayWithDate(local(y, m, d, 12));
    }

    // The days the calendar picker marks as selected.
    static QList<Day*> pickedDays(const DocumentWindow* window)
    {
        QList<Day*> days;
        for (const QList<CalendarPickerDay>& week : window->calendarPicker()->grid()->weeks()) {
            for (const CalendarPickerDay& cell : week) {
                if (cell.selected)
                    days << cell.day;
            }
        }
        return days;
    }

    static void clickInPicker(DocumentWindow* window, int dayOfMonth)
    {
        CalendarPicker* picker = window->calendarPicker();
        const CalendarPickerGrid& grid = *picker->grid();
        for (int row = 0; row < grid.rowCount(); ++row) {
            for (int column = 0; column < CalendarPickerGrid::columnCount; ++column) {
                if (grid.weeks()[row][column].dayOfMonth == dayOfMonth) {
                    QTest::mouseClick(picker, Qt::LeftButton, {}, grid.cellRect(row, column).center().toPoint());
                    return;
                }
            }
        }
        ADD_FAILURE() << "the picker does not show day " << dayOfMonth;
    }

    // The picker marks the day, and each view, brought up in turn, shows it.
    static void expectEverythingOn(DocumentWindow* window, Day* day)
    {
        ASSERT_NE(day, nullptr);
        EXPECT_EQ(planning(window).currentDay(), day);
        EXPECT_EQ(pickedDays(window), QList<Day*> { day });
        PlanningActions& actions = window->planningActions();
        const Mode mode = planning(window).selectedView();
        PlanningArea* area = window->planningArea();
        actions.modeAction(Mode::DayMode)->trigger();
        EXPECT_EQ(area->dayView()->day(), day);
        actions.modeAction(Mode::WeekMode)->trigger();
        EXPECT_EQ(area->weekView()->week(), day->week());
        actions.modeAction(Mode::MonthMode)->trigger();
        const MonthLayout::Cell* cell = area->monthView()->monthLayout()->cellForDate(day->actualDate());
        EXPECT_TRUE(cell && cell->inMonth);
        actions.modeAction(mode)->trigger();
        EXPECT_EQ(planning(window).currentDay(), day) << "looking changes nothing";
    }

    static QStringList courseNamesIn(const DayColumnsLayout& layout)
    {
        QStringList names;
        for (const DayColumnsLayout::DayColumn& column : layout.columns()) {
            for (const DayColumnsLayout::LessonBox& box : column.lessons)
                names << box.courseName;
        }
        names.removeDuplicates();
        return names;
    }

    TemporaryPreferences preferences;
    FixedClock clock { local(2026, 10, 14, 10) };
    QTemporaryDir folder;
    QList<QPointer<DocumentWindow>> windows;
};

TEST_F(PlanningWindowTest, AnOpenedYearShowsTodaysWeekWithItsFirstLessonBeingEdited)
{
    DocumentWindow* window = openWindow(QStringLiteral("a.semestra"));
    ASSERT_NE(window->planningArea(), nullptr);
    auto* week = dynamic_cast<WeekView*>(window->planningArea()->currentView());
    ASSERT_NE(week, nullptr);
    Day* today = dayOn(window, 2026, 10, 14);
    EXPECT_EQ(week->week(), today->week());
    EXPECT_TRUE(window->planningActions().modeAction(Mode::WeekMode)->isChecked());
    SidePanel* panel = window->planningArea()->sidePanel();
    EXPECT_EQ(panel->state(), SidePanel::State::LessonEditor);
    EXPECT_EQ(panel->heading(), today->lessonsToDrawInOrder().first()->dateAndCourseNameString());
    EXPECT_FALSE(window->progressIndicator()->isVisible());
}

TEST_F(PlanningWindowTest, TheSegmentsSwitchBetweenDayWeekAndMonth)
{
    DocumentWindow* window = openWindow(QStringLiteral("a.semestra"));
    PlanningActions& actions = window->planningActions();

    actions.modeAction(Mode::DayMode)->trigger();
    auto* day = dynamic_cast<DayView*>(window->planningArea()->currentView());
    ASSERT_NE(day, nullptr);
    EXPECT_EQ(day->day(), dayOn(window, 2026, 10, 14));
    EXPECT_TRUE(actions.modeAction(Mode::DayMode)->isChecked());
    EXPECT_FALSE(actions.modeAction(Mode::WeekMode)->isChecked());

    actions.modeAction(Mode::MonthMode)->trigger();
    EXPECT_NE(dynamic_cast<MonthView*>(window->planningArea()->currentView()), nullptr);
    actions.modeAction(Mode::WeekMode)->trigger();
    EXPECT_NE(dynamic_cast<WeekView*>(window->planningArea()->currentView()), nullptr);
    // Each view is made once and kept.
    EXPECT_EQ(window->planningArea()->dayView(), day);
}

TEST_F(PlanningWindowTest, BackAndForwardStopAtBothEndsOfTheYear)
{
    DocumentWindow* window = openWindow(QStringLiteral("a.semestra"));
    PlanningActions& actions = window->planningActions();
    Year* year = window->document().getCurrentYear();

    int steps = 0;
    while (actions.forwardAction()->isEnabled() && steps++ < 60)
        actions.forwardAction()->trigger();
    EXPECT_EQ(window->planningArea()->weekView()->week(), year->getLastWeek());
    EXPECT_TRUE(actions.backAction()->isEnabled());

    while (actions.backAction()->isEnabled() && steps++ < 120)
        actions.backAction()->trigger();
    EXPECT_EQ(window->planningArea()->weekView()->week(), year->getFirstWeek());
    EXPECT_TRUE(actions.forwardAction()->isEnabled());

    actions.modeAction(Mode::DayMode)->trigger();
    while (actions.backAction()->isEnabled() && steps++ < 400)
        actions.backAction()->trigger();
    EXPECT_EQ(window->planningArea()->dayView()->day(), year->getFirstDay());
}

TEST_F(PlanningWindowTest, EveryViewAndThePickerStayOnTheOneCurrentDay)
{
    DocumentWindow* window = openWindow(QStringLiteral("a.semestra"));
    PlanningActions& actions = window->planningActions();
    for (int step = 0; step < 3; ++step)
        actions.backAction()->trigger();
    // Three weeks before Wednesday 14 October.
    expectEverythingOn(window, dayOn(window, 2026, 9, 23));

    actions.modeAction(Mode::DayMode)->trigger();
    actions.forwardAction()->trigger();
    expectEverythingOn(window, dayOn(window, 2026, 9, 24));

    // 24 October is a Saturday: the month view moves on to the Monday.
    actions.modeAction(Mode::MonthMode)->trigger();
    actions.forwardAction()->trigger();
    expectEverythingOn(window, dayOn(window, 2026, 10, 26));

    actions.todayAction()->trigger();
    expectEverythingOn(window, dayOn(window, 2026, 10, 14));

    SelectDateDialog sheet(*window->document().getCurrentYear(), window);
    sheet.setPickedDate(local(2027, 2, 10, 12));
    sheet.accept();
    expectEverythingOn(window, dayOn(window, 2027, 2, 10));

    actions.modeAction(Mode::WeekMode)->trigger();
    clickInPicker(window, 17);
    expectEverythingOn(window, dayOn(window, 2027, 2, 17));
}

TEST_F(PlanningWindowTest, ARenamedCourseIsRedrawnInEveryView)
{
    DocumentWindow* window = openWindow(QStringLiteral("a.semestra"));
    PlanningActions& actions = window->planningActions();
    actions.monthShowsCourseNamesAction()->trigger();
    for (int mode : { Mode::DayMode, Mode::MonthMode, Mode::WeekMode })
        actions.modeAction(mode)->trigger();
    PlanningArea* area = window->planningArea();
    Course* math = window->document().getCurrentYear()->getCourseWithName(QStringLiteral("Math"));

    math->setValue(u"courseName", QStringLiteral("Algebra"));

    const QStringList renamed { QStringLiteral("Algebra"), QStringLiteral("Art") };
    EXPECT_EQ(courseNamesIn(*area->weekView()->dayColumnsLayout()), renamed);
    EXPECT_EQ(courseNamesIn(*area->dayView()->dayColumnsLayout()), renamed);
    const MonthLayout::Cell* today = area->monthView()->monthLayout()->cellForDate(local(2026, 10, 14, 12));
    ASSERT_NE(today, nullptr);
    QStringList monthNames;
    for (const MonthLayout::LessonRow& row : today->lessons)
        monthNames << row.text;
    EXPECT_EQ(monthNames, renamed);
}

TEST_F(PlanningWindowTest, AtItsFirstSizeTheWeekShowsFiveSchoolDaysWithoutScrollingSideways)
{
    DocumentWindow* window = openWindow(QStringLiteral("a.semestra"));
    QCoreApplication::processEvents();
    EXPECT_EQ(window->size(), DocumentWindow::firstSize(window->screen()));

    WeekView* week = window->planningArea()->weekView();
    ASSERT_EQ(week->dayColumnsLayout()->columns().size(), 5);
    const DayColumnsCanvas* canvas = week->canvas();
    EXPECT_LE(canvas->minimumWidth(), canvas->scrollArea()->viewport()->width());
    EXPECT_EQ(canvas->scrollArea()->horizontalScrollBar()->maximum(), 0);
    // The calendar's column takes no more room from the week than the calendar needs.
    EXPECT_EQ(window->calendarPicker()->width(), window->calendarPicker()->sizeHint().width());
    EXPECT_GT(window->planningArea()->sidePanel()->width(), 0);
}

TEST_F(PlanningWindowTest, DisplayTogglesCarryCheckMarksThatFollowThePreferences)
{
    DocumentWindow* window = openWindow(QStringLiteral("a.semestra"));
    PlanningActions& actions = window->planningActions();
    for (const QString& key : DisplayPreferences::toggles()) {
        QAction* action = actions.toggleAction(key);
        ASSERT_NE(action, nullptr);
        const bool before = Preferences::shared().boolValue(key);
        EXPECT_EQ(action->isChecked(), before) << key.toStdString();
        action->trigger();
        EXPECT_EQ(Preferences::shared().boolValue(key), !before);
        EXPECT_EQ(action->isChecked(), !before);
    }
    actions.monthShowsTitlesAction()->trigger();
    EXPECT_FALSE(Preferences::shared().boolValue(DisplayPreferences::showCourseNamesInMonthView));
    EXPECT_TRUE(actions.monthShowsTitlesAction()->isChecked());
    EXPECT_FALSE(actions.monthShowsCourseNamesAction()->isChecked());
}

TEST_F(PlanningWindowTest, CoursesAreHiddenAndShownTogether)
{
    DocumentWindow* window = openWindow(QStringLiteral("a.semestra"));
    Day* day = dayOn(window, 2026, 10, 14);
    window->planningActions().showNoCoursesAction()->trigger();
    EXPECT_TRUE(day->lessonsToDrawInOrder().isEmpty());
    window->planningActions().showAllCoursesAction()->trigger();
    EXPECT_EQ(day->lessonsToDrawInOrder().size(), 2);
}

TEST_F(PlanningWindowTest, ADateIsPickedAndTheViewsMoveToTheYearsDayForIt)
{
    DocumentWindow* window = openWindow(QStringLiteral("a.semestra"));
    window->planningActions().modeAction(Mode::DayMode)->trigger();
    SelectDateDialog sheet(*window->document().getCurrentYear(), window);
    sheet.dateField()->setText(QStringLiteral("02/10/2027"));
    sheet.accept();
    EXPECT_EQ(window->planningArea()->dayView()->day(), dayOn(window, 2027, 2, 10));

    // A date after the year ends goes to its last day.
    SelectDateDialog late(*window->document().getCurrentYear(), window);
    late.setPickedDate(local(2027, 8, 1, 12));
    late.accept();
    EXPECT_EQ(window->planningArea()->dayView()->day(), window->document().getCurrentYear()->getLastDay());

    window->planningActions().todayAction()->trigger();
    EXPECT_EQ(window->planningArea()->dayView()->day(), dayOn(window, 2026, 10, 14));
}

TEST_F(PlanningWindowTest, TheDateFieldShowsAndReadsDatesTheTeachersWay)
{
    DocumentWindow* window = openWindow(QStringLiteral("a.semestra"));
    window->planningActions().modeAction(Mode::DayMode)->trigger();
    Year& year = *window->document().getCurrentYear();
    {
        ZoneAndLocale british("America/New_York", "en_GB");
        SelectDateDialog sheet(year, window);
        EXPECT_EQ(sheet.dateField()->text(), QStringLiteral("14/10/2026")) << "today, day first";
        sheet.dateField()->setText(QStringLiteral("10/02/2027"));
        sheet.accept();
        EXPECT_EQ(window->planningArea()->dayView()->day(), dayOn(window, 2027, 2, 10));
    }
    ZoneAndLocale german("America/New_York", "de_DE");
    SelectDateDialog iso(year, window);
    EXPECT_EQ(iso.dateField()->text(), QStringLiteral("14.10.2026"));
    iso.dateField()->setText(QStringLiteral("2027-03-03"));
    iso.accept();
    EXPECT_EQ(window->planningArea()->dayView()->day(), dayOn(window, 2027, 3, 3));

    // A date that does not exist puts the field back to the calendar's date.
    SelectDateDialog wrong(year, window);
    wrong.setPickedDate(local(2027, 1, 12, 12));
    wrong.dateField()->setText(QStringLiteral("31.02.2027"));
    wrong.accept();
    EXPECT_EQ(wrong.dateField()->text(), QStringLiteral("12.1.2027"));
    EXPECT_EQ(window->planningArea()->dayView()->day(), dayOn(window, 2027, 1, 12));
}

TEST_F(PlanningWindowTest, TwoDocumentsSideBySideDoNotDisturbEachOther)
{
    DocumentWindow* first = openWindow(QStringLiteral("first.semestra"));
    DocumentWindow* second = openWindow(QStringLiteral("second.semestra"));
    SidePanel* secondPanel = second->planningArea()->sidePanel();
    const QString secondHeading = secondPanel->heading();
    Lesson* secondLesson = planning(second).currentLesson();

    Day* day = dayOn(first, 2026, 11, 3);
    NotificationCenter::defaultCenter().post(
        PlanningNotifications::lessonSettingsClicked, day->lessonsInOrder().last());
    NotificationCenter::defaultCenter().post(PlanningNotifications::gotoDate, dayOn(first, 2027, 3, 3));

    EXPECT_EQ(first->planningArea()->sidePanel()->state(), SidePanel::State::LessonSettings);
    EXPECT_EQ(planning(first).shownWeek(), dayOn(first, 2027, 3, 3)->week());
    EXPECT_EQ(secondPanel->state(), SidePanel::State::LessonEditor);
    EXPECT_EQ(secondPanel->heading(), secondHeading);
    EXPECT_EQ(planning(second).currentLesson(), secondLesson);
    EXPECT_EQ(planning(second).shownWeek(), dayOn(second, 2026, 10, 14)->week());

    // Hiding the courses of one year leaves the other's drawn.
    first->planningActions().showNoCoursesAction()->trigger();
    EXPECT_EQ(dayOn(second, 2026, 10, 14)->lessonsToDrawInOrder().size(), 2);
}

} // namespace

namespace {

TEST_F(PlanningWindowTest, OpeningALessonShowsItsCourseInEditingModeUntilTheReturn)
{
    DocumentWindow* window = openWindow(QStringLiteral("a.semestra"));
    QAction* editing = window->editingModeAction();
    EXPECT_EQ(editing->text(), QStringLiteral("Enter Editing Mode"));
    Lesson* current = planning(window).currentLesson();
    current->setValue(QStringLiteral("lessonTitle"), QStringLiteral("Fractions"));

    editing->trigger();
    EditingModeView* view = window->editingModeView();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->isVisible());
    EXPECT_FALSE(window->planningArea()->isVisible());
    EXPECT_EQ(editing->text(), QStringLiteral("Return to Planning Mode"));
    QListWidget* list = view->lessonList();
    EXPECT_EQ(list->count(), current->course()->allLessonsInOrder().size());
    ASSERT_NE(list->currentItem(), nullptr);
    EXPECT_TRUE(list->currentItem()->text().endsWith(QStringLiteral("Fractions")));

    // A row picked in the list is the lesson shown.
    list->setCurrentRow(0);
    EXPECT_EQ(view->lesson(), current->course()->allLessonsInOrder().first());
    EXPECT_TRUE(list->currentItem()->text().endsWith(QStringLiteral("No Title Provided")));

    QTest::mouseClick(view->findChild<QPushButton*>(QStringLiteral("returnToPlanning")), Qt::LeftButton);
    EXPECT_EQ(window->editingModeView(), nullptr);
    EXPECT_TRUE(window->planningArea()->isVisible());
    EXPECT_EQ(editing->text(), QStringLiteral("Enter Editing Mode"));
}

TEST_F(PlanningWindowTest, AClickInTheCalendarBringsThePlanningViewsBackFromEditingMode)
{
    DocumentWindow* window = openWindow(QStringLiteral("a.semestra"));
    window->editingModeAction()->trigger();
    ASSERT_NE(window->editingModeView(), nullptr);

    clickInPicker(window, 21);
    EXPECT_EQ(window->editingModeView(), nullptr);
    EXPECT_TRUE(window->planningArea()->isVisible());
    EXPECT_EQ(planning(window).currentDay(), dayOn(window, 2026, 10, 21));
}

TEST_F(PlanningWindowTest, ADoubleClickedCourseOpensItsLessonClosestToToday)
{
    DocumentWindow* window = openWindow(QStringLiteral("a.semestra"));
    Course* art = window->document().getCurrentYear()->getCourseWithName(QStringLiteral("Art"));
    NotificationCenter::defaultCenter().post(PlanningNotifications::courseDoubleClicked, art);
    ASSERT_NE(window->editingModeView(), nullptr);
    EXPECT_EQ(window->editingModeView()->lesson(), art->getLessonClosestToToday());
}

} // namespace
