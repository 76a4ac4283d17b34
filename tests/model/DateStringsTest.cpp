#include "ModelFixture.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/MyCourse.h"
#include "model/Week.h"
#include "model/Year.h"
#include "testlib/LocalDate.h"
#include "testlib/TemporaryPreferences.h"
#include "testlib/ZoneAndLocale.h"

namespace {

// Monday 5 January 2026 to Friday 9 January in one week, with a Biology lesson on the Monday.
class DateStringsTest : public ModelFixture {
protected:
    DateStringsTest()
    {
        week->setObject(u"year", year);
        for (int date = 9; date >= 5; --date) {
            auto* day = insert<Day>("Day");
            day->setDate(u"actualDate", local(2026, 1, date));
            day->setObject(u"week", week);
            monday = day;
        }
        monday->setValue(u"typeOfDay", 1);
        auto* course = insert<MyCourse>("MyCourse");
        course->setValue(u"courseName", QStringLiteral("Biology"));
        lesson->setObject(u"course", course);
        lesson->setObject(u"dayTaught", monday);
        lesson->setDate(u"startTime", local(2026, 1, 5, 9, 45));
        lesson->setDate(u"endTime", local(2026, 1, 5, 10, 30));
    }

    TemporaryPreferences preferences;
    Year* year = insert<Year>("Year");
    Week* week = insert<Week>("Week");
    Day* monday = nullptr;
    Lesson* lesson = insert<Lesson>("Lesson");
};

} // namespace

TEST_F(DateStringsTest, DayFormsInEnglish)
{
    EXPECT_EQ(monday->dayOfWeek(), 2);
    EXPECT_EQ(monday->dayOfMonth(), QStringLiteral("5"));
    EXPECT_EQ(monday->nameOfMonth(), QStringLiteral("Jan."));
    EXPECT_EQ(monday->weekDayName(), QStringLiteral("Monday"));
    EXPECT_EQ(monday->shortWeekDayName(), QStringLiteral("Mon."));
    EXPECT_EQ(monday->dateForDayView(), QStringLiteral("Monday, January 5"));
    EXPECT_EQ(monday->dateForAssignmentsPopUp(), QStringLiteral("Mon, Jan 5, 2026"));
    EXPECT_EQ(monday->dayOfWeekMonthDay(), QStringLiteral("Mon, Jan 5"));
    EXPECT_EQ(monday->shortDateString(), QStringLiteral("1/5/26"));
    EXPECT_EQ(monday->mediumDateString(), QStringLiteral("Mon. - Jan 5, 2026"));
    EXPECT_EQ(monday->mediumLongDateString(), QStringLiteral("Monday. - January 5, 2026"));
    EXPECT_EQ(monday->longDateString(), QStringLiteral("January 5, 2026"));
    EXPECT_EQ(week->prettyPrintWeek(), QStringLiteral("Jan 5 - Jan 9, 2026"));
}

TEST_F(DateStringsTest, DayFormsFollowTheLocale)
{
    ZoneAndLocale german("Europe/Berlin", "de_DE");
    monday->setDate(u"actualDate", local(2026, 1, 5));
    EXPECT_EQ(monday->dateForDayView(), QStringLiteral("Montag, 5. Januar"));
    EXPECT_EQ(monday->dayOfWeek(), 2);
    EXPECT_EQ(monday->longDateString(), QStringLiteral("5. Januar 2026"));
}

TEST_F(DateStringsTest, RotationLabelFollowsThePreference)
{
    EXPECT_EQ(monday->typeOfDayLetter(), QStringLiteral("B Day"));
    EXPECT_EQ(monday->rotationString(), QStringLiteral("B Day"));
    preferences.preferences().setValue(QStringLiteral("rotatingNumbers"), true);
    EXPECT_EQ(monday->rotationString(), QStringLiteral("Day 2"));
    EXPECT_EQ(monday->typeOfDayLetter(), QStringLiteral("B Day"));
}

TEST_F(DateStringsTest, LessonForms)
{
    EXPECT_EQ(lesson->stringForEditingMode(), QStringLiteral("Biology on Monday, January 5, 2026"));
    year->setValue(u"typeOfSchedule", Year::Rotating);
    EXPECT_EQ(lesson->stringForEditingMode(), QStringLiteral("Biology on Monday, January 5, 2026 (B Day)"));
    EXPECT_EQ(lesson->dateStringForScrollingView(), QStringLiteral("Jan 5, 2026"));
    EXPECT_EQ(lesson->dateAndCourseNameString(), QStringLiteral("Biology on Mon, Jan 5"));
    // ICU writes a narrow no-break space before the day period.
    EXPECT_EQ(lesson->timeString(), QStringLiteral("9:45\u202FAM - 10:30\u202FAM"));
    EXPECT_EQ(lesson->length(), 45 * 60);
}
