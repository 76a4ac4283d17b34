#include "ModelFixture.h"
#include "ScheduleBuilder.h"
#include "foundation/random/RandomSource.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/Week.h"
#include "model/Year.h"
#include "testlib/ScriptedAlertPresenter.h"

#include <QSet>

namespace {

// Three weeks from Sunday 1 March 2026 (New York clocks go forward on the
// 8th), Monday to Friday taught: offsets 1-5, 8-12 and 15-19.
class ScheduleQueriesTest : public ModelFixture {
protected:
    ScheduleQueriesTest()
    {
        for (int week = 0; week < 3; ++week) {
            for (int weekday = 1; weekday <= 5; ++weekday)
                schoolDays.append(b.day(week * 7 + weekday));
        }
    }

    Year* year() const { return b.year(); }

    ScheduleBuilder b { *context, 2026, 3, 1, 3 };
    QList<Day*> schoolDays;
};

} // namespace

TEST_F(ScheduleQueriesTest, WeekNumberQueriesAnswerWithThePreviousWeek)
{
    EXPECT_EQ(year()->getWeekWithWeekNumber(3), b.week(2));
    EXPECT_EQ(year()->getWeekWithWeekNumber(0), b.week(1));
    EXPECT_EQ(year()->getWeekWithWeekNumber(1), b.week(1));
    EXPECT_EQ(year()->getWeekWithWeekNumber(2), b.week(1));
    EXPECT_EQ(year()->getWeekWithWeekNumber(4), b.week(3));
    EXPECT_EQ(year()->getWeekWithWeekNumber(9), b.week(3));
    EXPECT_EQ(year()->getLastWeek(), b.week(3));
    EXPECT_EQ(b.week(1)->previousWeek(), b.week(1));
    EXPECT_EQ(b.week(2)->nextWeek(), b.week(3));
    EXPECT_EQ(b.week(3)->nextWeek(), b.week(3));
}

TEST_F(ScheduleQueriesTest, WeekNumberQueriesOnAYearWithoutWeeksFindNothing)
{
    ScheduleBuilder empty(*context, 2026, 3, 1, 0);
    EXPECT_EQ(empty.year()->getWeekWithWeekNumber(1), nullptr);
    EXPECT_EQ(empty.year()->getLastWeek(), nullptr);
}

TEST_F(ScheduleQueriesTest, DayWithDateStaysInsideTheYearAndSkipsForwardOverWeekends)
{
    schoolDays.first()->setValue(u"isHoliday", true);
    EXPECT_EQ(year()->getDayWithDate(ScheduleBuilder::localDate(2026, 2, 20)), schoolDays.first());
    // Saturday the 7th at noon: the Monday after.
    EXPECT_EQ(year()->getDayWithDate(ScheduleBuilder::localDate(2026, 3, 7, 12)), b.day(8));
    EXPECT_EQ(year()->getDayWithDate(ScheduleBuilder::localDate(2026, 4, 30)), schoolDays.last());
    EXPECT_EQ(year()->getWeekWithDate(ScheduleBuilder::localDate(2026, 3, 7, 12)), b.week(2));
}

TEST_F(ScheduleQueriesTest, ExactDayIsFoundOnItsCalendarDayOnly)
{
    EXPECT_EQ(year()->getExactDayWithDate(ScheduleBuilder::localDate(2026, 3, 7, 10)), nullptr);
    // The Monday after clocks went forward, late in the afternoon.
    EXPECT_EQ(year()->getExactDayWithDate(ScheduleBuilder::localDate(2026, 3, 9, 17, 30)), b.day(8));
    EXPECT_EQ(year()->getExactDayWithDate(ScheduleBuilder::localDate(2026, 3, 6, 23, 59)), b.day(5));
}

TEST_F(ScheduleQueriesTest, DaysBeforeAndAfterIncludeTheWholeGivenDay)
{
    const QList<Day*> before = year()->getAllDaysBefore(ScheduleBuilder::localDate(2026, 3, 3, 8));
    EXPECT_EQ(before, (QList<Day*> { b.day(1), b.day(2) }));
    const QList<Day*> after = year()->getAllDaysAfter(ScheduleBuilder::localDate(2026, 3, 19, 20));
    EXPECT_EQ(after, (QList<Day*> { b.day(18), b.day(19) }));
}

TEST_F(ScheduleQueriesTest, NeighbouringDaysStopAtTheEndsOfTheYear)
{
    EXPECT_EQ(year()->getDayAfter(b.day(5)), b.day(8));
    EXPECT_EQ(year()->getDayBefore(b.day(8)), b.day(5));
    EXPECT_EQ(year()->getDayBefore(schoolDays.first()), schoolDays.first());
    EXPECT_EQ(year()->getDayAfter(schoolDays.last()), schoolDays.last());
}

TEST_F(ScheduleQueriesTest, SchoolDaysFromADayLeaveOutNonSchoolDaysButKeepCustomOnes)
{
    b.day(16)->setValue(u"isCancelled", true);
    b.day(17)->setValue(u"isHoliday", true);
    b.day(18)->setValue(u"isCustom", true);
    EXPECT_EQ(year()->getDaysIncludingAndAfter(b.day(15)), (QList<Day*> { b.day(15), b.day(18), b.day(19) }));
    EXPECT_EQ(year()->nonSchoolDays().size(), 2);
    EXPECT_EQ(year()->getAllCustomDays(), QList<Day*> { b.day(18) });
    EXPECT_EQ(year()->getAllDaysIncludingCustom(Year::Custom::Excluded).size(), 12);
    EXPECT_EQ(year()->getAllDaysIncludingCustom(Year::Custom::Included).size(), 13);
}

TEST_F(ScheduleQueriesTest, RandomWeekdayRepresentativeIsRepeatableAndNeverCustomWhenExcluded)
{
    b.day(8)->setValue(u"isCustom", true);
    b.day(15)->setValue(u"isHoliday", true);
    RandomSource::shared().seed(7);
    QList<Day*> first;
    for (int i = 0; i < 20; ++i)
        first.append(year()->getDayWithDayOfWeek(QStringLiteral("Monday"), Year::Custom::Excluded));
    RandomSource::shared().seed(7);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(year()->getDayWithDayOfWeek(QStringLiteral("Monday"), Year::Custom::Excluded), first[i]);
    EXPECT_EQ(QSet<Day*>(first.begin(), first.end()), QSet<Day*> { b.day(1) });

    QSet<Day*> seen;
    for (int i = 0; i < 40; ++i)
        seen.insert(year()->getDayWithDayOfWeek(QStringLiteral("Monday"), Year::Custom::Included));
    EXPECT_EQ(seen, (QSet<Day*> { b.day(1), b.day(8) }));
    EXPECT_EQ(year()->getDayWithDayOfWeek(QStringLiteral("Saturday"), Year::Custom::Included), nullptr);
}

TEST_F(ScheduleQueriesTest, WeekdaysOfTheFirstWeekDecideWhichRepresentativesAreDrawn)
{
    context->deleteObject(b.day(5));
    const QHash<QString, bool> taught = year()->getDaysInWeek();
    EXPECT_TRUE(taught.value(QStringLiteral("Monday")));
    EXPECT_FALSE(taught.value(QStringLiteral("Friday")));
    EXPECT_FALSE(taught.value(QStringLiteral("Sunday")));
    EXPECT_EQ(taught.size(), 7);

    QStringList names;
    for (const Day* day : year()->getOneDayOfEachDayInWeekCanBeCustom(Year::Custom::Excluded))
        names.append(day->weekDayName());
    EXPECT_EQ(names, (QStringList { "Monday", "Tuesday", "Wednesday", "Thursday" }));
}

TEST_F(ScheduleQueriesTest, RotationRepresentativesComeInDayTypeOrderAndMatchTheirType)
{
    year()->setValue(u"typeOfSchedule", Year::Rotating);
    year()->setValue(u"repeatInterval", 3);
    for (int i = 0; i < schoolDays.size(); ++i)
        schoolDays[i]->setValue(u"typeOfDay", i % 3);
    for (Day* day : year()->getAllDaysWithType(1, Year::Custom::Included))
        day->setValue(u"isCancelled", true);

    const QList<Day*> representatives = year()->getOneDayOfEachDayInRotationCanBeCustom(Year::Custom::Excluded);
    ASSERT_EQ(representatives.size(), 2);
    EXPECT_EQ(representatives[0]->typeOfDay(), 0);
    EXPECT_EQ(representatives[1]->typeOfDay(), 2);
    EXPECT_EQ(year()->getDayLikeDay(schoolDays[2])->typeOfDay(), 2);
    EXPECT_EQ(year()->getAllDaysLike(schoolDays[3]).size(), 5);
}

TEST_F(ScheduleQueriesTest, DaysLikeADayFollowTheScheduleType)
{
    EXPECT_EQ(year()->getAllDaysLike(b.day(1)).size(), 15);
    year()->setValue(u"typeOfSchedule", Year::WeeklyRepeating);
    EXPECT_EQ(year()->getAllDaysLike(b.day(1)), (QList<Day*> { b.day(1), b.day(8), b.day(15) }));
    year()->setValue(u"typeOfSchedule", 7);
    EXPECT_TRUE(year()->getAllDaysLike(b.day(1)).isEmpty());
}

TEST_F(ScheduleQueriesTest, LessonsAfterALessonLeaveOutEarlierMeetingsOfItsDay)
{
    Course* math = b.course(QStringLiteral("Math"));
    Lesson* late = b.lesson(math, b.day(2), 13);
    Lesson* early = b.lesson(math, b.day(2), 8);
    Lesson* middle = b.lesson(math, b.day(2), 10);
    Lesson* tomorrow = b.lesson(math, b.day(3), 7);
    Lesson* yesterday = b.lesson(math, b.day(1), 9);

    EXPECT_EQ(
        year()->getLessonsInCourse(Year::Relative::AfterLesson, middle), (QList<Lesson*> { middle, late, tomorrow }));
    EXPECT_EQ(year()->getLessonsInCourse(Year::Relative::BeforeLesson, middle),
        (QList<Lesson*> { late, early, middle, yesterday }));
    EXPECT_EQ(math->allLessonsInOrder(), (QList<Lesson*> { yesterday, early, middle, late, tomorrow }));
    EXPECT_EQ(middle->lessonFollowing(), late);
    EXPECT_EQ(tomorrow->lessonFollowing(), tomorrow);
}

TEST_F(ScheduleQueriesTest, LessonsBetweenDatesExcludeTheFirstDayAndIncludeTheLast)
{
    Course* math = b.course(QStringLiteral("Math"));
    const QList<Lesson*> lessons = b.lessonsOn(math, schoolDays, 9);
    const QList<Lesson*> between = year()->getLessonsInCourse(
        math, ScheduleBuilder::localDate(2026, 3, 2, 15), ScheduleBuilder::localDate(2026, 3, 4, 1));
    EXPECT_EQ(between, (QList<Lesson*> { lessons[1], lessons[2] }));
}

TEST_F(ScheduleQueriesTest, LessonAwayFromCurrentIsHeldAtTheEndsOfTheCourse)
{
    const QList<Lesson*> lessons = b.lessonsOn(b.course(QStringLiteral("Math")), schoolDays, 9);
    EXPECT_EQ(lessons[12]->lessonAwayFromCurrent(5), lessons[14]);
    EXPECT_EQ(lessons[3]->lessonAwayFromCurrent(2), lessons[5]);
    EXPECT_EQ(lessons[3]->lessonAwayFromCurrent(-2), lessons[1]);
    EXPECT_EQ(lessons[3]->lessonAwayFromCurrent(-9), lessons[0]);
}

TEST_F(ScheduleQueriesTest, FollowingLessonsNeedEnoughLeftInTheCourse)
{
    Course* math = b.course(QStringLiteral("Math"));
    const QList<Lesson*> lessons = b.lessonsOn(math, schoolDays, 9);
    ScriptedAlertPresenter alerts({ AlertDefaultReturn });
    EXPECT_EQ(math->returnLessonsFollowing(lessons[12], 3, alerts), lessons.mid(12));
    EXPECT_TRUE(alerts.shown().isEmpty());

    EXPECT_TRUE(math->returnLessonsFollowing(lessons[13], 3, alerts).isEmpty());
    ASSERT_EQ(alerts.shown().size(), 1);
    EXPECT_EQ(alerts.last().title, QStringLiteral("Too Few Lessons"));
    EXPECT_EQ(alerts.last().message,
        QStringLiteral("There aren't enough lessons left in Math to store the 3 lessons being copied"));
    EXPECT_EQ(alerts.last().defaultButton, QStringLiteral("Ok"));
}

TEST_F(ScheduleQueriesTest, ClosestLessonToTodayIsOnTheNearestDay)
{
    Course* math = b.course(QStringLiteral("Math"));
    EXPECT_EQ(math->getLessonClosestToToday(), nullptr);
    const QList<Lesson*> lessons = b.lessonsOn(math, schoolDays, 9);
    clock.set(ScheduleBuilder::localDate(2026, 3, 7, 13));
    EXPECT_EQ(math->getLessonClosestToToday(), lessons[5]);
    EXPECT_EQ(lessons[5]->timeFromNow(), 35 * 3600 - 3600);
}

TEST_F(ScheduleQueriesTest, DrawnLessonsAreOrderedByStartThenCourseName)
{
    Day* day = b.day(2);
    Lesson* zoology = b.lesson(b.course(QStringLiteral("Zoology")), day, 9);
    Lesson* art = b.lesson(b.course(QStringLiteral("Art")), day, 9);
    Lesson* early = b.lesson(b.course(QStringLiteral("Music")), day, 8);
    Course* hidden = b.course(QStringLiteral("Hidden"));
    hidden->setValue(u"draw", 0);
    b.lesson(hidden, day, 7);

    EXPECT_EQ(day->lessonsToDrawInOrder(), (QList<Lesson*> { early, art, zoology }));
    EXPECT_EQ(day->firstVisibleLesson(), early);
    EXPECT_EQ(day->lessonsInOrder().size(), 4);
    EXPECT_EQ(*day->earliestLessonStartTime(), ScheduleBuilder::localDate(2026, 3, 3, 8));
    EXPECT_EQ(*day->latestLessonEndTime(), ScheduleBuilder::localDate(2026, 3, 3, 9, 50));
    EXPECT_EQ(b.day(3)->earliestLessonStartTime(), std::nullopt);
}

TEST_F(ScheduleQueriesTest, LessonsOfACourseOnADayAreIndexedByStartTime)
{
    Course* math = b.course(QStringLiteral("Math"));
    Lesson* second = b.lesson(math, b.day(2), 13);
    Lesson* first = b.lesson(math, b.day(2), 8);
    Lesson* other = b.lesson(b.course(QStringLiteral("Art")), b.day(2), 10);
    EXPECT_EQ(b.day(2)->lessonInCourse(math, 1), second);
    EXPECT_EQ(b.day(2)->lessonInCourse(math, 2), nullptr);
    EXPECT_EQ(b.day(2)->positionOfLesson(first), 0);
    EXPECT_EQ(b.day(2)->positionOfLesson(second), 1);
    EXPECT_EQ(b.day(2)->positionOfLesson(other), 0);
    EXPECT_FALSE(b.day(3)->hasLessonInCourse(math));
}

TEST_F(ScheduleQueriesTest, ClosestLessonIsTheOneUnderwayThenTheNextThenTheFirst)
{
    Day* day = b.day(2);
    Course* art = b.course(QStringLiteral("Art"));
    Lesson* first = b.lesson(art, day, 8);
    Lesson* second = b.lesson(art, day, 10);
    EXPECT_EQ(day->getLessonThatStartsClosestTo(ScheduleBuilder::localDate(2026, 3, 3, 8, 20)), first);
    EXPECT_EQ(day->getLessonThatStartsClosestTo(ScheduleBuilder::localDate(2026, 3, 3, 9, 55)), second);
    // At a lesson's exact start nothing is underway: the next start wins.
    EXPECT_EQ(day->getLessonThatStartsClosestTo(ScheduleBuilder::localDate(2026, 3, 3, 8)), second);
    EXPECT_EQ(day->getLessonThatStartsClosestTo(ScheduleBuilder::localDate(2026, 3, 3, 15)), first);
    day->setValue(u"isHoliday", true);
    EXPECT_EQ(day->getLessonThatStartsClosestTo(ScheduleBuilder::localDate(2026, 3, 3, 8, 20)), nullptr);
}

TEST_F(ScheduleQueriesTest, OverlappingLessonsShareColumnsByStartLengthAndName)
{
    Day* day = b.day(2);
    Lesson* longer = b.lesson(b.course(QStringLiteral("Zoology")), day, 9, 0, 120);
    Lesson* art = b.lesson(b.course(QStringLiteral("Art")), day, 9, 0, 50);
    Lesson* biology = b.lesson(b.course(QStringLiteral("Biology")), day, 9, 0, 50);
    Lesson* later = b.lesson(b.course(QStringLiteral("Chemistry")), day, 10, 0, 50);
    Lesson* alone = b.lesson(b.course(QStringLiteral("Drama")), day, 13, 0, 50);

    EXPECT_EQ(day->positionAmongThoseSharingSameTimeOfLesson(longer), 0);
    EXPECT_EQ(day->positionAmongThoseSharingSameTimeOfLesson(art), 1);
    EXPECT_EQ(day->positionAmongThoseSharingSameTimeOfLesson(biology), 2);
    // Chemistry overlaps only the long lesson.
    EXPECT_EQ(day->positionAmongThoseSharingSameTimeOfLesson(later), 1);
    // The count is of the others beside a lesson: one beside Chemistry, two
    // beside Art (the long lesson and Biology), and beside the long lesson
    // never more than two at once.
    EXPECT_EQ(day->lessonsMeetingAtSameTimeAs(later), 1);
    EXPECT_EQ(day->lessonsMeetingAtSameTimeAs(art), 2);
    EXPECT_EQ(day->lessonsMeetingAtSameTimeAs(longer), 2);
    EXPECT_EQ(day->lessonsMeetingAtSameTimeAs(alone), 0);
}

TEST_F(ScheduleQueriesTest, HiddenCoursesTakeNoColumn)
{
    Day* day = b.day(2);
    Lesson* art = b.lesson(b.course(QStringLiteral("Art")), day, 9);
    Course* hidden = b.course(QStringLiteral("Hidden"));
    hidden->setValue(u"draw", 0);
    b.lesson(hidden, day, 9);
    EXPECT_EQ(day->lessonsMeetingAtSameTimeAs(art), 0);
    EXPECT_EQ(day->positionAmongThoseSharingSameTimeOfLesson(art), 0);
}

TEST_F(ScheduleQueriesTest, WeekTimesLineUpDaysOnBothSidesOfAClockChange)
{
    clock.set(ScheduleBuilder::localDate(2026, 6, 10, 15));
    EXPECT_EQ(b.week(1)->earliestLessonStartTime(), ScheduleBuilder::localDate(2026, 6, 10, 23, 59));
    EXPECT_EQ(b.week(1)->latestLessonEndTime(), ScheduleBuilder::localDate(2026, 6, 10, 0, 0));

    Course* art = b.course(QStringLiteral("Art"));
    // Saturday before the change and Monday after it.
    b.lesson(art, b.day(6), 8, 30);
    b.lesson(art, b.day(8), 14, 0, 60);
    b.lesson(art, b.day(8), 9);
    EXPECT_EQ(b.week(2)->earliestLessonStartTime(), ScheduleBuilder::localDate(2026, 6, 10, 9));
    EXPECT_EQ(b.week(1)->earliestLessonStartTime(), ScheduleBuilder::localDate(2026, 6, 10, 8, 30));
    EXPECT_EQ(b.week(2)->latestLessonEndTime(), ScheduleBuilder::localDate(2026, 6, 10, 15));
}

TEST_F(ScheduleQueriesTest, CoursesComeInNumberOrderAndAreFoundByExactName)
{
    Course* second = b.course(QStringLiteral("Math"));
    Course* first = b.course(QStringLiteral("Art"));
    first->setValue(u"courseNumber", 0);
    second->setValue(u"courseNumber", 1);
    EXPECT_EQ(year()->courses(), (QList<Course*> { first, second }));
    EXPECT_EQ(year()->getCourseWithName(QStringLiteral("Math")), second);
    EXPECT_EQ(year()->getCourseWithName(QStringLiteral("math")), nullptr);
    EXPECT_EQ(year()->getCourseWithPrimaryKey(second->primaryKey()), second);
    EXPECT_EQ(year()->getCourseWithPrimaryKey(999), nullptr);
}

TEST_F(ScheduleQueriesTest, VisibleFieldsFollowTheirShowFlagsInDisplayOrder)
{
    year()->setValue(u"showCustom2", true);
    year()->setValue(u"showTeacher", true);
    year()->setValue(u"showPublic", true);
    EXPECT_EQ(year()->visibleFields(), (QStringList { "lessonBody", "publicComment", "custom2" }));
}

TEST_F(ScheduleQueriesTest, NeighbouringLessonsWithDataAreSearchedWithinTheGivenDates)
{
    Course* math = b.course(QStringLiteral("Math"));
    const QList<Lesson*> lessons = b.lessonsOn(math, schoolDays, 9);
    lessons[1]->setValue(u"lessonTitle", QStringLiteral("Fractions"));
    lessons[3]->setValue(u"lessonTitle", QStringLiteral("Decimals"));
    lessons[8]->setValue(u"lessonTitle", QStringLiteral("Percent"));
    Day* today = schoolDays[5];

    EXPECT_EQ(today->findPreviousLessonInCourse(math, schoolDays[0]->actualDate()), lessons[3]);
    EXPECT_EQ(today->findPreviousLessonInCourse(math, schoolDays[4]->actualDate()), nullptr);
    EXPECT_EQ(today->findNextLessonInCourse(math, schoolDays[14]->actualDate()), lessons[8]);
    EXPECT_EQ(today->findNextLessonInCourse(math, schoolDays[7]->actualDate()), nullptr);
    EXPECT_EQ(today->findNextLessonInCourse(math, schoolDays[14]->actualDate(), Day::Content::WithoutData), lessons[6]);
}

TEST_F(ScheduleQueriesTest, DaysOfACourseCanLeaveOutCustomDays)
{
    Course* math = b.course(QStringLiteral("Math"));
    b.lesson(math, b.day(1), 8);
    Lesson* custom = b.lesson(math, b.day(2), 8);
    b.lesson(math, b.day(2), 13);
    b.day(2)->setValue(u"isCustom", true);
    EXPECT_EQ(year()->getAllDaysWithCourse(math, Year::Custom::Included).size(), 2);
    EXPECT_EQ(year()->getAllDaysWithCourse(math, Year::Custom::Excluded), QList<Day*> { b.day(1) });
    EXPECT_EQ(year()->customLessonsInCourse(math).size(), 2);
    EXPECT_TRUE(year()->customLessonsInCourse(math).contains(custom));
}

TEST_F(ScheduleQueriesTest, UpdatedNotesAreThoseChangedSinceTheLastCalendarSync)
{
    clock.set(at(800000000));
    b.day(1)->setValue(u"notes", QStringLiteral("Field trip"));
    clock.set(at(800000200));
    b.day(2)->setValue(u"notes", QStringLiteral("Quiz"));
    EXPECT_EQ(year()->getDaysWithUpdatedNotes(Year::Notes::UpdatedSinceCalendarSync).size(), 2);
    year()->setDate(u"lastICalSync", at(800000100));
    EXPECT_EQ(year()->getDaysWithUpdatedNotes(Year::Notes::UpdatedSinceCalendarSync), QList<Day*> { b.day(2) });
    EXPECT_EQ(year()->getDaysWithUpdatedNotes(Year::Notes::All).size(), 15);
}

// A course's lessons mostly come in order, with those added since (a
// restored day, a course added to a day) at the end: each of those still
// takes its own place, before, among or after the others.
TEST_F(ScheduleQueriesTest, LessonsAddedAfterAnOrderedRunTakeTheirPlaceInIt)
{
    Course* math = b.course(QStringLiteral("Math"));
    QList<Lesson*> run;
    for (int day = 1; day <= 5; ++day)
        run << b.lesson(math, b.day(day), 9);
    Lesson* middle = b.lesson(math, b.day(3), 8);
    Lesson* first = b.lesson(math, b.day(1), 7);
    Lesson* last = b.lesson(math, b.day(6), 9);
    EXPECT_EQ(math->allLessonsInOrder(),
        (QList<Lesson*> { first, run[0], run[1], middle, run[2], run[3], run[4], last }));
}
