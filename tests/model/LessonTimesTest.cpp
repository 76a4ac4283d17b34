#include "ModelFixture.h"
#include "foundation/dates/LocalCalendar.h"
#include "foundation/random/RandomSource.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/MyCourse.h"
#include "model/Week.h"
#include "model/Year.h"

namespace {

class LessonTimesTest : public ModelFixture {
protected:
    LessonTimesTest()
    {
        RandomSource::shared().seed(3);
        week->setObject(u"year", year);
        week->setValue(u"weekNumber", 1);
        course->setObject(u"year", year);
    }

    static Date local(int day, int hour = 0, int minute = 0, int second = 0)
    {
        return LocalCalendar::dateFromComponents(
            DateComponents { .year = 2026, .month = 3, .day = day, .hour = hour, .minute = minute, .second = second });
    }

    Day* dayOn(int date)
    {
        auto* day = insert<Day>("Day");
        day->setDate(u"actualDate", local(date));
        day->setObject(u"week", week);
        return day;
    }

    Lesson* lessonOn(Day* day)
    {
        auto* lesson = insert<Lesson>("Lesson");
        lesson->setObject(u"course", course);
        lesson->setObject(u"dayTaught", day);
        return lesson;
    }

    static void setTimes(Lesson* lesson, Date start, Date end)
    {
        lesson->setDate(u"startTime", start);
        lesson->setDate(u"endTime", end);
    }

    Year* year = insert<Year>("Year");
    Week* week = insert<Week>("Week");
    MyCourse* course = insert<MyCourse>("MyCourse");
};

} // namespace

TEST_F(LessonTimesTest, FixUpTimesKeepsHourAndMinuteOnTheLessonsDay)
{
    Lesson* lesson = lessonOn(dayOn(9));
    lesson->setDate(u"startTime", local(2, 9, 45, 30));
    lesson->fixUpTimes();
    EXPECT_EQ(lesson->startTime(), local(9, 9, 45));
    EXPECT_FALSE(lesson->value(u"endTime").isValid());
}

TEST_F(LessonTimesTest, ALessonMovedAcrossTheClockChangeKeepsItsTimeOfDay)
{
    // 6 March is before the change to summer time, 9 March after it.
    Lesson* lesson = lessonOn(dayOn(6));
    setTimes(lesson, local(6, 10), local(6, 10, 50));
    lesson->setObject(u"dayTaught", dayOn(9));
    year->fixLessonTimes();
    EXPECT_EQ(lesson->startTime(), local(9, 10));
    EXPECT_EQ(lesson->endTime(), local(9, 10, 50));
}

TEST_F(LessonTimesTest, OverlapNeedsATimeStrictlyInsideOrTheSameTimes)
{
    Day* day = dayOn(9);
    Lesson* first = lessonOn(day);
    Lesson* other = lessonOn(day);
    setTimes(first, local(9, 9), local(9, 10));
    setTimes(other, local(9, 10), local(9, 11));
    EXPECT_FALSE(first->startsOrEndsDuringLesson(other));
    setTimes(other, local(9, 9, 59), local(9, 11));
    EXPECT_TRUE(first->startsOrEndsDuringLesson(other));
    setTimes(other, local(9, 8), local(9, 9, 1));
    EXPECT_TRUE(first->startsOrEndsDuringLesson(other));
    setTimes(other, local(9, 9), local(9, 10));
    EXPECT_TRUE(first->startsOrEndsDuringLesson(other));
    setTimes(other, local(9, 8), local(9, 11));
    EXPECT_FALSE(first->startsOrEndsDuringLesson(other));
}

TEST_F(LessonTimesTest, ANewLessonTakesTheSameMeetingsTimesFromAnotherDayLikeIt)
{
    Day* monday = dayOn(2);
    setTimes(lessonOn(monday), local(2, 8), local(2, 8, 50));
    setTimes(lessonOn(monday), local(2, 13), local(2, 13, 50));
    setTimes(lessonOn(dayOn(3)), local(3, 11), local(3, 11, 50));
    Day* nextMonday = dayOn(9);
    setTimes(lessonOn(nextMonday), local(9, 7), local(9, 7, 30));
    Lesson* added = lessonOn(nextMonday);
    setTimes(added, local(9, 12), local(9, 12));

    added->setStartAndEndTime();
    EXPECT_EQ(added->startTime(), local(9, 13));
    EXPECT_EQ(added->endTime(), local(9, 13, 50));
}

TEST_F(LessonTimesTest, ALessonWithNoOtherDayLikeItKeepsItsOwnTimes)
{
    setTimes(lessonOn(dayOn(3)), local(3, 11), local(3, 11, 50));
    Day* monday = dayOn(2);
    Lesson* lesson = lessonOn(monday);
    setTimes(lesson, local(2, 9), local(2, 10));
    lesson->setStartAndEndTime();
    EXPECT_EQ(lesson->startTime(), local(2, 9));
    EXPECT_EQ(lesson->endTime(), local(2, 10));
}

TEST_F(LessonTimesTest, AMeetingWithoutTimesGivesNoTimes)
{
    Lesson* model = lessonOn(dayOn(2));
    Lesson* lesson = lessonOn(dayOn(9));
    setTimes(lesson, local(9, 9), local(9, 10));
    lesson->setStartAndEndTime();
    EXPECT_FALSE(model->startTime());
    EXPECT_EQ(lesson->startTime(), std::nullopt);
    EXPECT_EQ(lesson->endTime(), std::nullopt);
}

TEST_F(LessonTimesTest, CustomDaysAreNoModelForANewLesson)
{
    Day* custom = dayOn(2);
    custom->setValue(u"isCustom", true);
    setTimes(lessonOn(custom), local(2, 8), local(2, 9));
    Lesson* lesson = lessonOn(dayOn(9));
    lesson->setStartAndEndTime();
    EXPECT_EQ(lesson->startTime(), std::nullopt);
}

TEST_F(LessonTimesTest, LessonsWithoutTimesOverlapNothingAndShowNoTime)
{
    course->setValue(u"draw", 1);
    Day* monday = dayOn(2);
    Lesson* timed = lessonOn(monday);
    Lesson* untimed = lessonOn(monday);
    Lesson* alsoUntimed = lessonOn(monday);
    setTimes(timed, local(2, 9), local(2, 10));
    EXPECT_FALSE(timed->startsOrEndsDuringLesson(untimed));
    EXPECT_FALSE(untimed->startsOrEndsDuringLesson(timed));
    EXPECT_FALSE(untimed->startsOrEndsDuringLesson(alsoUntimed));
    EXPECT_EQ(untimed->length(), std::nullopt);
    EXPECT_TRUE(untimed->timeString().isEmpty());
    EXPECT_EQ(monday->lessonsMeetingAtSameTimeAs(untimed), 0);
}

TEST_F(LessonTimesTest, ADaysTimeSpanIgnoresLessonsWithoutTimes)
{
    course->setValue(u"draw", 1);
    Day* monday = dayOn(2);
    lessonOn(monday);
    EXPECT_EQ(monday->earliestLessonStartTime(), std::nullopt);
    EXPECT_EQ(monday->latestLessonEndTime(), std::nullopt);
    setTimes(lessonOn(monday), local(2, 10), local(2, 10, 50));
    EXPECT_EQ(monday->earliestLessonStartTime(), local(2, 10));
    EXPECT_EQ(monday->latestLessonEndTime(), local(2, 10, 50));
}
