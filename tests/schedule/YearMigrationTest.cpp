#include "schedule/YearMigration.h"

#include "ScheduleFixture.h"
#include "model/Course.h"
#include "model/LessonReportInformation.h"
#include "model/PublishInfo.h"
#include "testlib/ZoneAndLocale.h"

#include <QDate>

namespace {

using Schedule = NewYearPlan::Schedule;

QDate calendarDay(Date date)
{
    const DateComponents c = LocalCalendar::components(date);
    return { c.year, c.month, c.day };
}

struct LocaleCase {
    const char* locale;
    int firstWeekday;
};

// Four weeks over the autumn clock change (1 November 2026 in New York),
// Math at 9:00 and Art at 10:30, in a locale whose week starts on a given day.
class YearMigrationTest : public ScheduleFixture, public testing::WithParamInterface<LocaleCase> {
protected:
    YearMigrationTest()
        : m_zone(QStringLiteral("America/New_York"), QString::fromLatin1(GetParam().locale))
    {
        fillIn(local(2026, 10, 19), local(2026, 11, 13), { QStringLiteral("Math"), QStringLiteral("Art") },
            Schedule::Traditional);
        wizard.continuePressed();
        for (const Day* day : days()) {
            for (Lesson* lesson : day->lessons())
                meet(*lesson, lesson->courseName() == QStringLiteral("Math") ? 9 : 10, 30, 45);
        }
        year = wizard.year();
        for (const Day* day : days())
            before.append(calendarDay(day->actualDate()));
        startBefore = calendarDay(year->startDate());
        endBefore = calendarDay(year->endDate());
    }

    // Every day lies on local midnight of its old date moved by whole days,
    // and every meeting keeps its clock time on its day's new date.
    void expectMovedBy(int shift)
    {
        const QList<Day*> moved = days();
        ASSERT_EQ(moved.size(), before.size());
        for (qsizetype i = 0; i < moved.size(); ++i) {
            const Date date = moved.at(i)->actualDate();
            EXPECT_EQ(calendarDay(date), before.at(i).addDays(shift));
            EXPECT_EQ(date, date.midnightDate()) << "day " << i << " is off midnight";
            EXPECT_EQ(calendarDay(date).dayOfWeek(), before.at(i).dayOfWeek());
            for (const Lesson* lesson : moved.at(i)->lessons()) {
                EXPECT_EQ(calendarDay(*lesson->startTime()), calendarDay(date));
                EXPECT_EQ(clockTime(lesson->startTime()),
                    lesson->courseName() == QStringLiteral("Math") ? QStringLiteral("9:30") : QStringLiteral("10:30"));
                EXPECT_EQ(clockTime(lesson->endTime()),
                    lesson->courseName() == QStringLiteral("Math") ? QStringLiteral("10:15") : QStringLiteral("11:15"));
            }
        }
        EXPECT_EQ(calendarDay(year->startDate()), startBefore.addDays(shift));
        EXPECT_EQ(calendarDay(year->endDate()), endBefore.addDays(shift));
    }

    ZoneAndLocale m_zone;
    Year* year = nullptr;
    QList<QDate> before;
    QDate startBefore;
    QDate endBefore;
};

} // namespace

TEST_P(YearMigrationTest, TheLocaleStartsItsWeekOnTheDayTheCaseNames)
{
    EXPECT_EQ(LocalCalendar::firstWeekday(), GetParam().firstWeekday);
}

TEST_P(YearMigrationTest, ChosenDatesOfAWeekAllGiveItsSunday)
{
    EXPECT_EQ(calendarDay(YearMigration::newStartDate(local(2027, 2, 28))), QDate(2027, 2, 28));
    for (int day = 1; day <= 6; ++day)
        EXPECT_EQ(calendarDay(YearMigration::newStartDate(local(2027, 3, day, 15))), QDate(2027, 2, 28)) << day;
    EXPECT_EQ(calendarDay(YearMigration::newStartDate(local(2027, 3, 7))), QDate(2027, 3, 7));
}

TEST_P(YearMigrationTest, MovingForwardOverTheSpringClockChangeKeepsWeekdaysMidnightsAndTimes)
{
    // Wednesday 3 March 2027: the year starts Sunday 28 February, its third
    // week crossing the change of 14 March.
    YearMigration::migrate(*year, local(2027, 3, 3));
    expectMovedBy(int(before.first().daysTo(QDate(2027, 3, 1))));
}

TEST_P(YearMigrationTest, MovingBackToAClockChangeSundayKeepsWeekdaysMidnightsAndTimes)
{
    // Saturday 14 March 2026: back to Sunday 8 March, the day the clocks changed.
    YearMigration::migrate(*year, local(2026, 3, 14, 18));
    expectMovedBy(int(before.first().daysTo(QDate(2026, 3, 9))));
}

TEST_P(YearMigrationTest, ChoosingTheWeekTheYearAlreadyStartsInChangesNoDay)
{
    YearMigration::migrate(*year, local(2026, 10, 22));
    expectMovedBy(0);
}

INSTANTIATE_TEST_SUITE_P(WeekStarts, YearMigrationTest,
    testing::Values(LocaleCase { "en_US", 1 }, LocaleCase { "en_GB", 2 }, LocaleCase { "en_EG", 7 }),
    [](const testing::TestParamInfo<LocaleCase>& locale) {
        return std::string(locale.param.firstWeekday == 1 ? "SundayFirst"
                : locale.param.firstWeekday == 2          ? "MondayFirst"
                                                          : "SaturdayFirst");
    });

class YearMigrationRecordsTest : public ScheduleFixture {
protected:
    Year& buildYear()
    {
        fillIn(local(2026, 9, 7), local(2026, 9, 18), { QStringLiteral("Math") }, Schedule::Traditional);
        wizard.continuePressed();
        return *wizard.year();
    }
};

TEST_F(YearMigrationRecordsTest, TheMovedYearIsNewToTheOnlineServiceAndTheCalendar)
{
    Year& year = buildYear();
    year.setValue(u"teacherSchool", QStringLiteral("year-17"));
    year.setValue(u"teacherAddress", QStringLiteral("2026-09-10 10:00"));
    year.setValue(u"teacherPhone", QStringLiteral("55:lesson,"));
    year.setDate(u"lastICalSync", local(2026, 9, 10));
    Day* day = days().first();
    day->setValue(u"syncID", QStringLiteral("d1"));
    day->setValue(u"iCalUIDNotes", QStringLiteral("notes-1"));
    day->setValue(u"iCalUIDNonSchool", QStringLiteral("off-1"));
    Lesson* lesson = day->lessons().first();
    lesson->setValue(u"syncID", QStringLiteral("l1"));
    lesson->setValue(u"iCalUID", QStringLiteral("event-1"));
    year.myCourses().first()->setValue(u"syncID", QStringLiteral("c1"));

    YearMigration::migrate(year, local(2027, 9, 8));

    for (const char16_t* key : { u"teacherSchool", u"teacherAddress", u"teacherPhone" })
        EXPECT_FALSE(year.value(key).isValid()) << QString::fromUtf16(key).toStdString();
    EXPECT_FALSE(year.value(u"lastICalSync").isValid());
    for (const char16_t* key : { u"syncID", u"iCalUIDNotes", u"iCalUIDNonSchool" })
        EXPECT_FALSE(day->value(key).isValid());
    EXPECT_FALSE(lesson->value(u"syncID").isValid());
    EXPECT_FALSE(lesson->value(u"iCalUID").isValid());
    EXPECT_FALSE(year.myCourses().first()->value(u"syncID").isValid());
}

TEST_F(YearMigrationRecordsTest, PublishingDatesTakeTheNewStartAndTheDailyReportRangeMovesWithTheYear)
{
    Year& year = buildYear();
    LessonReportInformation* report = year.lessonReportInformation();
    report->setDate(u"startDateForDaily", local(2026, 9, 9));
    report->setDate(u"endDateForDaily", local(2026, 9, 11));

    YearMigration::migrate(year, local(2027, 9, 8));

    EXPECT_EQ(calendarDay(year.startDate()), QDate(2027, 9, 5));
    for (const char16_t* key :
        { u"calendarExportStartDate", u"calendarExportEndDate", u"lessonExportStartDate", u"lessonExportEndDate" })
        EXPECT_EQ(calendarDay(*year.publish()->value<std::optional<Date>>(key)), QDate(2027, 9, 5));
    EXPECT_EQ(calendarDay(report->startDateForDaily()), QDate(2027, 9, 8));
    EXPECT_EQ(calendarDay(report->endDateForDaily()), QDate(2027, 9, 10));
}
