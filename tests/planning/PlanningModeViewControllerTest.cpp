#include "planning/PlanningModeViewController.h"

#include "PlanningFixture.h"
#include "planning/PlanningNotifications.h"

namespace {

using Panel = PlanningModeViewController::SidePanel;
namespace Names = PlanningNotifications;

void post(const QString& name, NotificationSource* object)
{
    NotificationCenter::defaultCenter().post(name, object);
}

class PlanningModeViewControllerTest : public PlanningFixture {
protected:
    PlanningModeViewControllerTest()
    {
        planning.setViewChangedHandler([this] { ++viewChanges; });
        planning.setSelectionChangedHandler([this] { ++selectionChanges; });
    }

    PlanningModeViewController planning { *year };
    int viewChanges = 0;
    int selectionChanges = 0;
};

TEST_F(PlanningModeViewControllerTest, StartsOnTodayInTheWeekViewWithItsFirstLessonSelected)
{
    planning.start();
    Day* today = dayOn(2026, 10, 14);
    EXPECT_EQ(planning.currentDay(), today);
    EXPECT_EQ(planning.selectedView(), PlanningModeViewController::WeekMode);
    EXPECT_EQ(planning.shownWeek(), today->week());
    EXPECT_EQ(planning.currentLesson(), today->lessonsToDrawInOrder().first());
    EXPECT_EQ(planning.sidePanel(), Panel::LessonEditor);
}

TEST_F(PlanningModeViewControllerTest, TodayOutsideTheYearCentresOnTheDayTheYearGivesForToday)
{
    clock.set(local(2026, 8, 1, 9));
    planning.start();
    EXPECT_EQ(planning.currentDay(), year->getFirstDay());

    clock.set(local(2027, 7, 30, 9));
    planning.start();
    EXPECT_EQ(planning.currentDay(), year->getLastDay());
}

TEST_F(PlanningModeViewControllerTest, StartingOnADayWithoutLessonsShowsItsNoLessonsPanel)
{
    dayOn(2026, 10, 14)->removeAllLessons();
    planning.start();
    EXPECT_EQ(planning.currentLesson(), nullptr);
    EXPECT_EQ(planning.sidePanel(), Panel::NoLessonsSettings);
}

TEST_F(PlanningModeViewControllerTest, StartingOnADayOfHiddenCoursesSelectsNothing)
{
    for (Course* course : year->courses())
        course->setValue(QStringLiteral("draw"), 0);
    logNotifications({ Names::lessonClicked, Names::noLessonsClicked });
    planning.start();
    EXPECT_TRUE(posted.isEmpty());
}

TEST_F(PlanningModeViewControllerTest, ModesOutsideDayWeekAndMonthAreIgnored)
{
    planning.start();
    planning.setToMode(PlanningModeViewController::MonthMode);
    const int changes = viewChanges;
    planning.setToMode(3);
    planning.setToMode(-1);
    EXPECT_EQ(planning.selectedView(), PlanningModeViewController::MonthMode);
    EXPECT_EQ(viewChanges, changes);
}

TEST_F(PlanningModeViewControllerTest, WeekStepsStopAtBothEndsOfTheYear)
{
    planning.start();
    Week* last = year->getLastWeek();
    while (planning.canGoForward())
        planning.goForward();
    EXPECT_EQ(planning.shownWeek(), last);
    planning.goForward();
    EXPECT_EQ(planning.shownWeek(), last);

    planning.goBackward();
    EXPECT_EQ(planning.shownWeek()->weekNumber(), last->weekNumber() - 1);
    while (planning.canGoBackward())
        planning.goBackward();
    EXPECT_EQ(planning.shownWeek(), year->getFirstWeek());
    EXPECT_FALSE(planning.canGoBackward());
    EXPECT_TRUE(planning.canGoForward());
}

TEST_F(PlanningModeViewControllerTest, DayStepsVisitEveryDayAndStopAtTheEnds)
{
    clock.set(local(2027, 6, 16, 9));
    planning.start();
    planning.setToMode(PlanningModeViewController::DayMode);
    planning.goForward();
    planning.goForward();
    EXPECT_EQ(planning.currentDay(), year->getLastDay());
    EXPECT_FALSE(planning.canGoForward());

    clock.set(local(2026, 9, 9, 9));
    planning.start();
    planning.setToMode(PlanningModeViewController::DayMode);
    while (planning.canGoBackward())
        planning.goBackward();
    EXPECT_EQ(planning.currentDay(), year->getFirstDay());
    planning.goBackward();
    EXPECT_EQ(planning.currentDay(), year->getFirstDay());
}

TEST_F(PlanningModeViewControllerTest, MonthStepsStopAtTheMonthsThatHoldDaysOfTheYear)
{
    clock.set(local(2026, 9, 20, 9));
    planning.start();
    planning.setToMode(PlanningModeViewController::MonthMode);
    EXPECT_FALSE(planning.canGoBackward());
    int months = 0;
    while (planning.canGoForward()) {
        planning.goForward();
        ++months;
    }
    EXPECT_EQ(months, 9); // September to June
    EXPECT_TRUE(planning.shownMonth().isSameMonthAsDate(local(2027, 6, 1)));
}

TEST_F(PlanningModeViewControllerTest, WeekStepsCarryTheOneCurrentDayThatEveryViewShows)
{
    planning.start();
    for (int step = 0; step < 3; ++step)
        planning.goBackward();
    // Three weeks before Wednesday 14 October, on the same weekday.
    Day* wednesday = dayOn(2026, 9, 23);
    EXPECT_EQ(planning.currentDay(), wednesday);
    EXPECT_EQ(planning.shownWeek(), wednesday->week());

    planning.setToMode(PlanningModeViewController::DayMode);
    EXPECT_EQ(planning.currentDay(), wednesday);
    planning.setToMode(PlanningModeViewController::MonthMode);
    EXPECT_TRUE(planning.shownMonth().isSameMonthAsDate(wednesday->actualDate()));
    planning.goForward();
    planning.setToMode(PlanningModeViewController::WeekMode);
    EXPECT_EQ(planning.currentDay(), dayOn(2026, 10, 23));
    EXPECT_EQ(planning.shownWeek(), dayOn(2026, 10, 23)->week());
}

TEST_F(PlanningModeViewControllerTest, MonthStepsKeepTheDateOrTakeTheNearestSchoolDayOfThatMonth)
{
    planning.start();
    planning.setToMode(PlanningModeViewController::MonthMode);
    planning.goForward();
    // 14 November is a Saturday: the Monday after it.
    EXPECT_EQ(planning.currentDay(), dayOn(2026, 11, 16));
    planning.goBackward();
    planning.goBackward();
    EXPECT_EQ(planning.currentDay(), dayOn(2026, 9, 16));

    // 29 January becomes 28 February, a Sunday at the month's end: the
    // Friday before it.
    post(Names::calendarDaySelected, dayOn(2027, 1, 29));
    planning.goForward();
    EXPECT_EQ(planning.currentDay(), dayOn(2027, 2, 26));
}

TEST_F(PlanningModeViewControllerTest, ADaySelectedOutsideTheShownWeekTakesTheWeekViewAlong)
{
    planning.start();
    const int changes = viewChanges;
    post(Names::noLessonsClicked, dayOn(2026, 10, 16));
    EXPECT_EQ(viewChanges, changes) << "the same week is not drawn again";

    Lesson* later = dayOn(2026, 12, 2)->lessonsToDrawInOrder().first();
    post(Names::lessonClicked, later);
    EXPECT_EQ(planning.currentDay(), later->dayTaught());
    EXPECT_EQ(planning.shownWeek(), later->dayTaught()->week());
    EXPECT_EQ(viewChanges, changes + 1);
}

// A lesson removed from its day gives way to the nearest of its course,
// selected as if clicked so that the views mark it too, in the side panel
// state the teacher had chosen.
TEST_F(PlanningModeViewControllerTest, ADeletedCurrentLessonGivesWayToTheNearestOfItsCourse)
{
    planning.start();
    Lesson* lesson = dayOn(2026, 10, 14)->lessonsInOrder().first();
    post(Names::lessonSettingsClicked, lesson);
    logNotifications({ Names::lessonSettingsClicked, Names::lessonClicked });
    const Course* course = lesson->course();
    lesson->dayTaught()->removeLesson(lesson);
    post(Names::planningModesNeedRefresh, nullptr);

    // 13 and 15 October are as near as each other; the later one wins.
    Lesson* nearest = dayOn(2026, 10, 15)->lessonsInOrder().first();
    ASSERT_EQ(nearest->course(), course);
    EXPECT_EQ(planning.currentLesson(), nearest);
    EXPECT_EQ(planning.currentDay(), nearest->dayTaught());
    EXPECT_EQ(planning.sidePanel(), Panel::LessonSettings);
    EXPECT_EQ(posted, QStringList { Names::lessonSettingsClicked });
}

TEST_F(PlanningModeViewControllerTest, ACurrentLessonWhoseCourseIsGoneLeavesNoLessonCurrent)
{
    planning.start();
    Lesson* lesson = planning.currentLesson();
    ASSERT_NE(lesson, nullptr);
    Course* course = lesson->course();
    for (Lesson* each : course->allLessonsInOrder())
        each->dayTaught()->removeLesson(each);
    context->deleteObject(course);
    const int changes = selectionChanges;
    post(Names::courseAdded, nullptr);

    EXPECT_EQ(planning.currentLesson(), nullptr);
    EXPECT_EQ(planning.currentDay(), dayOn(2026, 10, 14));
    EXPECT_EQ(selectionChanges, changes + 1);
    post(ModelNotifications::refreshPlanningModes, nullptr);
    EXPECT_EQ(selectionChanges, changes + 1) << "nothing more to follow";
}

TEST_F(PlanningModeViewControllerTest, SelectionNotificationsSwitchTheSidePanel)
{
    planning.start();
    Day* day = dayOn(2026, 11, 3);
    Lesson* art = day->lessonsToDrawInOrder().last();

    post(Names::lessonSettingsClicked, art);
    EXPECT_EQ(planning.sidePanel(), Panel::LessonSettings);
    EXPECT_EQ(planning.currentLesson(), art);
    EXPECT_EQ(planning.currentDay(), day);

    Day* thursday = dayOn(2026, 11, 26);
    post(Names::nonSchoolSettingsClicked, thursday);
    EXPECT_EQ(planning.sidePanel(), Panel::NonSchoolSettings);
    EXPECT_EQ(planning.currentDay(), thursday);

    post(Names::noLessonsClicked, day);
    EXPECT_EQ(planning.sidePanel(), Panel::NoLessonsSettings);

    post(Names::lessonClicked, art);
    EXPECT_EQ(planning.sidePanel(), Panel::LessonEditor);
    EXPECT_EQ(selectionChanges, 5); // the first lesson of today, then four
}

TEST_F(PlanningModeViewControllerTest, DayToolsKeepTheCurrentLessonOnlyWhenItIsOnThatDay)
{
    planning.start();
    Day* day = dayOn(2026, 11, 3);
    Lesson* art = day->lessonsToDrawInOrder().last();
    post(Names::lessonClicked, art);
    post(Names::switchToDayTools, day);
    EXPECT_EQ(planning.currentLesson(), art);
    EXPECT_EQ(planning.sidePanel(), Panel::LessonSettings);

    Day* other = dayOn(2026, 11, 4);
    post(Names::switchToDayTools, other);
    EXPECT_EQ(planning.currentDay(), other);
    EXPECT_EQ(planning.currentLesson(), other->allLessonsToDraw().first());
}

TEST_F(PlanningModeViewControllerTest, AnotherDocumentsSelectionsChangeNothing)
{
    planning.start();
    auto otherContext = SemestraRecords::newContext();
    Year* otherYear = buildSchoolYear(*otherContext);
    Lesson* foreign = otherYear->getExactDayWithDate(local(2026, 11, 3, 12))->lessonsInOrder().first();
    Lesson* current = planning.currentLesson();
    const int changes = selectionChanges;

    post(Names::lessonClicked, foreign);
    post(Names::lessonSettingsClicked, foreign);
    post(Names::noLessonsClicked, foreign->dayTaught());
    post(Names::calendarDaySelected, foreign->dayTaught());

    EXPECT_EQ(planning.currentLesson(), current);
    EXPECT_EQ(planning.currentDay(), dayOn(2026, 10, 14));
    EXPECT_EQ(planning.sidePanel(), Panel::LessonEditor);
    EXPECT_EQ(selectionChanges, changes);
}

TEST_F(PlanningModeViewControllerTest, APickedDayMovesEveryViewButKeepsTheMode)
{
    planning.start();
    planning.setToMode(PlanningModeViewController::DayMode);
    Day* picked = dayOn(2027, 2, 10);
    post(Names::calendarDaySelected, picked);
    EXPECT_EQ(planning.currentDay(), picked);
    EXPECT_EQ(planning.shownWeek(), picked->week());
    EXPECT_TRUE(planning.shownMonth().isSameMonthAsDate(picked->actualDate()));
    EXPECT_EQ(planning.selectedView(), PlanningModeViewController::DayMode);
}

TEST_F(PlanningModeViewControllerTest, ASearchResultMovesTheViewsToItsLessonAndSelectsIt)
{
    planning.start();
    Lesson* found = dayOn(2027, 3, 2)->lessonsToDrawInOrder().first();
    logNotifications({ Names::lessonClicked });
    post(Names::lessonSelectedFromSearch, found);
    EXPECT_EQ(planning.shownWeek(), found->dayTaught()->week());
    EXPECT_EQ(planning.currentLesson(), found);
    EXPECT_EQ(planning.sidePanel(), Panel::LessonEditor);
    EXPECT_EQ(posted, QStringList { Names::lessonClicked });
}

} // namespace

namespace {

using Step = PlanningModeViewController::Step;

class ArrowStepTest : public PlanningModeViewControllerTest {
protected:
    void SetUp() override { planning.start(); }

    Lesson* lessonOf(Day* day, const QString& course) const
    {
        for (Lesson* lesson : day->lessonsInOrder()) {
            if (lesson->courseName() == course)
                return lesson;
        }
        return nullptr;
    }

    void select(Lesson* lesson) const { post(Names::lessonClicked, lesson); }
};

} // namespace

TEST_F(ArrowStepTest, UpAndDownMoveBetweenTheCoursesOfADayAndStopAtItsEnds)
{
    const QList<Lesson*> drawn = dayOn(2026, 10, 14)->lessonsToDrawInOrder();
    ASSERT_EQ(drawn.size(), 2);
    ASSERT_EQ(planning.currentLesson(), drawn.first());
    EXPECT_EQ(planning.neighbouringLesson(Step::PreviousCourse), nullptr);
    planning.selectNeighbouringLesson(Step::NextCourse);
    EXPECT_EQ(planning.currentLesson(), drawn.last());
    EXPECT_EQ(planning.neighbouringLesson(Step::NextCourse), nullptr);
    planning.selectNeighbouringLesson(Step::NextCourse);
    EXPECT_EQ(planning.currentLesson(), drawn.last()) << "the last course stays selected";
    planning.selectNeighbouringLesson(Step::PreviousCourse);
    EXPECT_EQ(planning.currentLesson(), drawn.first());
}

TEST_F(ArrowStepTest, LeftAndRightKeepTheCourseAndStepOverDaysWithoutLessons)
{
    select(lessonOf(dayOn(2026, 10, 16), QStringLiteral("Art")));
    dayOn(2026, 10, 20)->removeAllLessons();
    planning.selectNeighbouringLesson(Step::NextDay);
    EXPECT_EQ(planning.currentLesson(), lessonOf(dayOn(2026, 10, 19), QStringLiteral("Art"))) << "past the weekend";
    EXPECT_EQ(planning.shownWeek(), dayOn(2026, 10, 19)->week()) << "the week view follows";
    planning.selectNeighbouringLesson(Step::NextDay);
    EXPECT_EQ(planning.currentLesson(), lessonOf(dayOn(2026, 10, 21), QStringLiteral("Art")));
    planning.selectNeighbouringLesson(Step::PreviousDay);
    EXPECT_EQ(planning.currentLesson(), lessonOf(dayOn(2026, 10, 19), QStringLiteral("Art")));
}

TEST_F(ArrowStepTest, TheFirstAndLastDaysOfTheYearEndTheSteps)
{
    select(year->getFirstDay()->lessonsToDrawInOrder().first());
    EXPECT_EQ(planning.neighbouringLesson(Step::PreviousDay), nullptr);
    select(year->getLastDay()->lessonsToDrawInOrder().last());
    EXPECT_EQ(planning.neighbouringLesson(Step::NextDay), nullptr);
}

TEST_F(ArrowStepTest, ADayWithoutTheCourseGivesTheLessonAtTheSamePlace)
{
    select(lessonOf(dayOn(2026, 10, 14), QStringLiteral("Art")));
    Day* next = dayOn(2026, 10, 15);
    next->removeLesson(lessonOf(next, QStringLiteral("Art")));
    EXPECT_EQ(planning.neighbouringLesson(Step::NextDay), lessonOf(next, QStringLiteral("Math")));
}
