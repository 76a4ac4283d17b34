#include "CalendarFixture.h"
#include "schedule/AddCourseToSingleDayController.h"
#include "schedule/ConvertDayMenu.h"
#include "schedule/CustomDayController.h"
#include "schedule/RemoveLessonFromDay.h"

namespace {

using Outcome = CustomDayController::Outcome;

class CustomDayTest : public CalendarFixture {
protected:
    // Two weeks, courses A, B and C every day.
    void buildYear() { buildTraditional(local(2026, 10, 19), local(2026, 10, 30), 3); }

    Outcome createCustom(Day& day, const QString& name, const QList<int>& courseRows)
    {
        sheet.showFor(&day);
        sheet.setName(name);
        for (int row : courseRows)
            sheet.setCourseMarked(row, true);
        return sheet.createCustomPressed();
    }

    CustomDayController sheet { alerts };
};

TEST_F(CustomDayTest, NewCustomDaysWithoutANameCountUpFillingTheFirstGap)
{
    buildYear();
    EXPECT_EQ(createCustom(dayOn(2026, 10, 19), QString(), { 0 }), Outcome::Closed);
    EXPECT_EQ(dayOn(2026, 10, 19).holidayName(), QStringLiteral("Custom Day 1"));
    createCustom(dayOn(2026, 10, 20), QString(), { 0 });
    createCustom(dayOn(2026, 10, 21), QString(), { 0 });
    EXPECT_EQ(dayOn(2026, 10, 21).holidayName(), QStringLiteral("Custom Day 3"));

    dayOn(2026, 10, 20).setValue(u"holidayName", QStringLiteral("Assembly"));
    createCustom(dayOn(2026, 10, 22), QString(), { 1 });
    EXPECT_EQ(dayOn(2026, 10, 22).holidayName(), QStringLiteral("Custom Day 2"));
    EXPECT_EQ(dayOn(2026, 10, 22).customDayName(), QStringLiteral("Custom Day 2"));
}

TEST_F(CustomDayTest, NewCustomDayKeepsTheContentOfMarkedCoursesAndDropsTheRest)
{
    buildYear();
    Day& day = dayOn(2026, 10, 21);
    fillTitles({ &day });
    const QStringList titles = titlesOn(day);

    EXPECT_EQ(createCustom(day, QStringLiteral("Assembly"), { 0, 2 }), Outcome::Closed);
    EXPECT_TRUE(day.isCustomDay());
    EXPECT_EQ(day.holidayName(), QStringLiteral("Assembly"));
    EXPECT_EQ(courseNamesOn(day), (QStringList { QStringLiteral("CourseA"), QStringLiteral("CourseC") }));
    EXPECT_TRUE(titlesOn(day).contains(titles[0]));
    EXPECT_TRUE(titlesOn(day).contains(titles[2]));
    EXPECT_TRUE(sheet.courseRows().isEmpty());

    // Keeping every course and adding none still names the day.
    Day& other = dayOn(2026, 10, 22);
    fillTitles({ &other });
    const QStringList otherTitles = titlesOn(other);
    createCustom(other, QStringLiteral("Same Bells"), { 0, 1, 2 });
    EXPECT_TRUE(other.isCustomDay());
    EXPECT_EQ(titlesOn(other), otherTitles);
}

TEST_F(CustomDayTest, NewCustomDayIsRefusedWithoutCoursesOrWithATakenName)
{
    buildYear();
    createCustom(dayOn(2026, 10, 19), QStringLiteral("Assembly"), { 0 });
    Day& day = dayOn(2026, 10, 20);

    alerts.answerNext(AlertDefaultReturn);
    alerts.answerNext(AlertDefaultReturn);
    EXPECT_EQ(createCustom(day, QStringLiteral("Other"), {}), Outcome::StayOpen);
    expectLastAlert(QStringLiteral("No Courses Selected"),
        QStringLiteral("Please choose at least one course for your custom day."), QStringLiteral("OK"));
    EXPECT_EQ(createCustom(day, QStringLiteral("Assembly"), { 1 }), Outcome::StayOpen);
    expectLastAlert(QStringLiteral("A Custom Day With That Name Already Exists"),
        QStringLiteral("Please choose a unique name for this custom day."), QStringLiteral("OK"));
    EXPECT_FALSE(day.isCustomDay());
    EXPECT_EQ(day.lessons().size(), 3);
    EXPECT_EQ(sheet.courseRows().size(), 3);
}

TEST_F(CustomDayTest, ApplyingAnExistingCustomDayTakesItsCoursesTimesAndName)
{
    buildYear();
    Day& model = dayOn(2026, 10, 19);
    createCustom(model, QStringLiteral("Assembly"), { 1 });
    meet(*model.lessons().first(), 13, 5, 40);
    createCustom(dayOn(2026, 10, 26), QStringLiteral("Other"), { 1 });
    dayOn(2026, 10, 26).setValue(u"holidayName", QStringLiteral("Assembly"));
    Day& day = dayOn(2026, 10, 21);
    fillTitles({ &day });
    const QString courseBTitle = day.lessonInCourse(course(1), 0)->lessonTitle();

    sheet.showFor(&day);
    // Two days of one name appear once.
    ASSERT_EQ(sheet.customDayRows().size(), 1);
    EXPECT_EQ(sheet.customDayRows().first().title(), QStringLiteral("Assembly on ") + model.mediumDateString());
    sheet.setTab(CustomDayController::ExistingCustomDay);
    EXPECT_FALSE(sheet.canCreate());
    sheet.setSelectedCustomDay(0);
    EXPECT_EQ(sheet.createCustomPressed(), Outcome::Closed);

    EXPECT_EQ(day.holidayName(), QStringLiteral("Assembly"));
    EXPECT_TRUE(day.isCustomDay());
    EXPECT_EQ(courseNamesOn(day), QStringList { QStringLiteral("CourseB") });
    EXPECT_EQ(day.lessons().first()->lessonTitle(), courseBTitle);
    EXPECT_EQ(clockTime(day.lessons().first()->startTime()), QStringLiteral("13:05"));
    EXPECT_EQ(day.lessons().first()->startTime()->midnightDate(), day.actualDate());
}

TEST_F(CustomDayTest, ConvertingInARotatingYearRebuildsTheDayEmptyAndOrdinary)
{
    buildRotating(local(2026, 10, 19), local(2026, 10, 30), 3,
        { { QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2") }, { QStringLiteral("0") } });
    const QList<ConvertDayMenu::Item> items = ConvertDayMenu::items(year());
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[1].title, QStringLiteral("B Day Schedule"));
    EXPECT_EQ(items[1].tag, 501);

    Day& day = dayOn(2026, 10, 20); // a B day
    fillTitles({ &day });
    day.setValue(u"isCustom", true);
    ASSERT_TRUE(ConvertDayMenu::convert(day, items[1], alerts));
    EXPECT_FALSE(day.isCustom());
    EXPECT_EQ(day.typeOfDay(), 1);
    EXPECT_EQ(titlesOn(day), QStringList { QString() });

    ASSERT_TRUE(ConvertDayMenu::convert(day, items[0], alerts));
    EXPECT_EQ(day.typeOfDay(), 0);
    EXPECT_EQ(courseNamesOn(day), (QStringList { QStringLiteral("CourseA"), QStringLiteral("CourseB") }));
}

// A day converted to a type takes the meetings of a regular day of that
// type; another day's meetings would label it wrongly. Without one the
// conversion is refused and the day keeps its lessons.
TEST_F(CustomDayTest, ConvertingToATypeWithNoOtherRegularDayIsRefused)
{
    buildRotating(local(2026, 10, 19), local(2026, 10, 30), 3,
        { { QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2") }, { QStringLiteral("2") } });
    for (Day* day : schoolDays()) {
        if (day->typeOfDay() == 2)
            day->setValue(u"isCustom", true);
    }
    Day& monday = dayOn(2026, 10, 19); // an A day
    fillTitles({ &monday });
    const QStringList before = picture(monday);

    alerts.answerNext(AlertDefaultReturn);
    EXPECT_FALSE(ConvertDayMenu::convert(monday, ConvertDayMenu::items(year())[2], alerts));
    EXPECT_EQ(alerts.last().title, QStringLiteral("Can't Convert Day"));
    EXPECT_EQ(picture(monday), before);

    Day& wednesday = dayOn(2026, 10, 21); // a C day, and custom like every C day
    alerts.answerNext(AlertDefaultReturn);
    EXPECT_FALSE(ConvertDayMenu::convert(wednesday, ConvertDayMenu::items(year())[2], alerts));
    EXPECT_EQ(courseNamesOn(wednesday), (QStringList { QStringLiteral("CourseA"), QStringLiteral("CourseB") }));
}

TEST_F(CustomDayTest, ConvertingInAWeeklyYearMakesADayCustomOnlyOnAnotherWeekdaysSchedule)
{
    buildWeekly(local(2026, 10, 19), local(2026, 10, 30),
        { { QStringLiteral("Monday"), QStringLiteral("Friday") }, { QStringLiteral("Friday") } });
    const QList<ConvertDayMenu::Item> items = ConvertDayMenu::items(year());
    ASSERT_EQ(items.size(), 5);
    EXPECT_EQ(items[0].title, QStringLiteral("Monday Schedule"));
    EXPECT_EQ(items[4].tag, 504);
    Day& monday = dayOn(2026, 10, 19);

    ASSERT_TRUE(ConvertDayMenu::convert(monday, items[0], alerts));
    EXPECT_FALSE(monday.isCustom());
    ASSERT_TRUE(ConvertDayMenu::convert(monday, items[4], alerts));
    EXPECT_TRUE(monday.isCustomDay());
    EXPECT_EQ(courseNamesOn(monday), (QStringList { QStringLiteral("CourseA"), QStringLiteral("CourseB") }));
}

TEST_F(CustomDayTest, AddingACourseNeedsAChosenCourseAndMakesTheDayCustom)
{
    buildYear();
    Day& day = dayOn(2026, 10, 21);
    AddCourseToSingleDayController adder;
    adder.setDay(&day);
    EXPECT_EQ(adder.courseNames().size(), 3);
    EXPECT_FALSE(adder.canAdd());
    EXPECT_EQ(adder.addCoursePressed(), nullptr);
    EXPECT_EQ(day.lessons().size(), 3);

    adder.setChosenCourse(QStringLiteral("CourseB"));
    const Lesson* added = adder.addCoursePressed();
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(day.lessonsInCourse(course(1)).size(), 2);
    EXPECT_TRUE(day.isCustomDay());
    EXPECT_EQ(day.holidayName(), QStringLiteral("Custom Day 1"));
}

TEST_F(CustomDayTest, RemovingAnEmptyLessonAsksAndNamesTheDay)
{
    buildYear();
    Day& day = dayOn(2026, 10, 21);
    Lesson& lesson = *day.lessonInCourse(course(0), 0);

    alerts.answerNext(AlertAlternateReturn);
    EXPECT_FALSE(RemoveLessonFromDay::cancelLessonPressed(lesson, alerts));
    expectLastAlert(QStringLiteral("Really Remove This Lesson?"),
        QStringLiteral("Do you want to remove the lesson in course CourseA from ") + day.mediumDateString(),
        QStringLiteral("Remove Lesson"));
    EXPECT_EQ(day.lessons().size(), 3);

    alerts.answerNext(AlertDefaultReturn);
    EXPECT_TRUE(RemoveLessonFromDay::cancelLessonPressed(lesson, alerts));
    EXPECT_EQ(courseNamesOn(day), (QStringList { QStringLiteral("CourseB"), QStringLiteral("CourseC") }));
    EXPECT_TRUE(day.isCustomDay());
    EXPECT_EQ(day.holidayName(), QStringLiteral("Custom Day 1"));
    EXPECT_TRUE(posted.contains(QStringLiteral("SemestraLessonClicked")));
}

TEST_F(CustomDayTest, RemovingALessonWithContentBumpsItOrDeletesIt)
{
    buildYear();
    Day& day = dayOn(2026, 10, 21);
    Lesson& lesson = *day.lessonInCourse(course(0), 0);
    lesson.setValue(u"lessonTitle", QStringLiteral("Fractions"));

    alerts.answerNext(AlertDefaultReturn);
    EXPECT_TRUE(RemoveLessonFromDay::cancelLessonPressed(lesson, alerts));
    expectLastAlert(QStringLiteral("Delete or Bump Current Lesson?"),
        QStringLiteral("Do you want to bump or delete the existing lesson before removing this class?"),
        QStringLiteral("Bump"));
    EXPECT_EQ(dayOn(2026, 10, 22).lessonInCourse(course(0), 0)->lessonTitle(), QStringLiteral("Fractions"));
    EXPECT_TRUE(day.isCustomDay());
    EXPECT_EQ(day.holidayName(), QString());

    Lesson& next = *dayOn(2026, 10, 22).lessonInCourse(course(0), 0);
    alerts.answerNext(AlertOtherReturn);
    RemoveLessonFromDay::cancelLessonPressed(next, alerts);
    EXPECT_EQ(dayOn(2026, 10, 23).lessonInCourse(course(0), 0)->lessonTitle(), QString());
}

// The lesson's place goes with it, so its lock holds nothing back.
TEST_F(CustomDayTest, RemovingALockedLessonWithBumpMovesItsContentOn)
{
    buildYear();
    Day& day = dayOn(2026, 10, 21);
    Lesson& lesson = *day.lessonInCourse(course(0), 0);
    lesson.setValue(u"lessonTitle", QStringLiteral("Fractions"));
    lesson.setValue(u"anchored", true);
    dayOn(2026, 10, 22).lessonInCourse(course(0), 0)->setValue(u"lessonTitle", QStringLiteral("Decimals"));

    alerts.answerNext(AlertDefaultReturn);
    EXPECT_TRUE(RemoveLessonFromDay::cancelLessonPressed(lesson, alerts));
    EXPECT_EQ(dayOn(2026, 10, 22).lessonInCourse(course(0), 0)->lessonTitle(), QStringLiteral("Fractions"));
    EXPECT_EQ(dayOn(2026, 10, 23).lessonInCourse(course(0), 0)->lessonTitle(), QStringLiteral("Decimals"));
}

TEST_F(CustomDayTest, RemovingTheLastLessonOfADayShowsTheEmptyDay)
{
    buildTraditional(local(2026, 10, 19), local(2026, 10, 30), 1);
    Day& day = dayOn(2026, 10, 21);
    alerts.answerNext(AlertDefaultReturn);
    RemoveLessonFromDay::cancelLessonPressed(*day.lessons().first(), alerts);
    EXPECT_TRUE(day.lessons().isEmpty());
    EXPECT_EQ(posted.mid(posted.size() - 2),
        (QStringList { QStringLiteral("SemestraClearSelectedLesson"), QStringLiteral("SemestraNoLessonsClicked") }));
}

} // namespace
