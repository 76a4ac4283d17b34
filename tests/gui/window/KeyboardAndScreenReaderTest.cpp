#include "foundation/notify/NotificationCenter.h"
#include "gui/navigation/CourseSourceList.h"
#include "gui/panels/SidePanel.h"
#include "gui/window/DemoWindowFixture.h"
#include "gui/window/PlanningActions.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/Week.h"
#include "model/Year.h"
#include "planning/PlanningNotifications.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QTest>

namespace {

using Mode = PlanningModeViewController::Mode;

class KeyboardAndScreenReaderTest : public ActiveDemoWindowFixture {
protected:
    QWidget* view() const { return window->planningArea()->currentView(); }
    Lesson* current() const { return planning().currentLesson(); }

    void press(Qt::Key key) const
    {
        view()->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), view());
        QTest::keyClick(view(), key);
    }

    static Lesson* ofCourse(const Day* day, const Course* course)
    {
        for (Lesson* lesson : day->lessonsToDrawInOrder()) {
            if (lesson->course() == course)
                return lesson;
        }
        return nullptr;
    }
};

// A screen reader names the views after what they show and says how to use them.
TEST_F(KeyboardAndScreenReaderTest, EachViewTellsAScreenReaderItsNameAndItsKeys)
{
    const QList<std::pair<int, QString>> views { { Mode::DayMode, QStringLiteral("Day view") },
        { Mode::WeekMode, QStringLiteral("Week view") }, { Mode::MonthMode, QStringLiteral("Month view") } };
    for (const auto& [mode, name] : views) {
        window->planningActions().modeAction(mode)->trigger();
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(view());
        ASSERT_NE(accessible, nullptr);
        EXPECT_EQ(accessible->text(QAccessible::Name), name);
        EXPECT_TRUE(accessible->text(QAccessible::Description).contains(QStringLiteral("Arrow keys")));
        EXPECT_TRUE(view()->focusPolicy() & Qt::TabFocus) << name.toStdString();
    }
}

TEST_F(KeyboardAndScreenReaderTest, ArrowsMoveTheSelectionBetweenDaysAndCoursesInEveryView)
{
    for (int mode : { Mode::DayMode, Mode::WeekMode, Mode::MonthMode }) {
        window->planningActions().modeAction(mode)->trigger();
        Lesson* start = current();
        ASSERT_NE(start, nullptr);
        const Course* course = start->course();
        press(Qt::Key_Right);
        Day* next = window->document().getCurrentYear()->getDayAfter(start->dayTaught());
        EXPECT_EQ(current(), ofCourse(next, course)) << "mode " << mode;
        EXPECT_EQ(planning().currentDay(), next);
        press(Qt::Key_Down);
        EXPECT_EQ(current(), next->lessonsToDrawInOrder().value(1)) << "mode " << mode;
        press(Qt::Key_Up);
        press(Qt::Key_Left);
        EXPECT_EQ(current(), start) << "mode " << mode;
    }
}

TEST_F(KeyboardAndScreenReaderTest, TheWeekViewFollowsTheSelectionIntoTheNextWeek)
{
    window->planningActions().modeAction(Mode::WeekMode)->trigger();
    const Week* week = planning().shownWeek();
    for (int step = 0; step < 5; ++step)
        press(Qt::Key_Right);
    EXPECT_EQ(planning().shownWeek(), week->nextWeek());
    EXPECT_EQ(current()->dayTaught()->week(), week->nextWeek());
}

TEST_F(KeyboardAndScreenReaderTest, ReturnOpensTheLessonInTheSidePanelWithTheKeyboardInItsFirstField)
{
    Lesson* lesson = current();
    NotificationCenter::defaultCenter().post(PlanningNotifications::lessonSettingsClicked, lesson);
    ASSERT_EQ(window->planningArea()->sidePanel()->state(), SidePanel::State::LessonSettings);
    press(Qt::Key_Return);
    SidePanel* side = window->planningArea()->sidePanel();
    EXPECT_EQ(side->state(), SidePanel::State::LessonEditor);
    EXPECT_EQ(side->lesson(), lesson);
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_TRUE(side->isAncestorOf(QApplication::focusWidget()));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Bring rulers"));
    QString typed;
    for (const QString& key : Lesson::richFieldKeys())
        typed += lesson->value<QString>(Lesson::shadowKey(key));
    EXPECT_TRUE(typed.contains(QStringLiteral("Bring rulers"))) << typed.toStdString();
}

TEST_F(KeyboardAndScreenReaderTest, TabGoesFromTheCourseListToTheViewAndOnIntoTheSidePanel)
{
    for (int mode : { Mode::MonthMode, Mode::WeekMode }) {
        window->planningActions().modeAction(mode)->trigger();
        window->courseList()->setFocus();
        QTest::keyClick(window->courseList(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), view()) << "mode " << mode;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_TRUE(window->planningArea()->sidePanel()->isAncestorOf(QApplication::focusWidget())) << "mode " << mode;
    }
}

} // namespace
