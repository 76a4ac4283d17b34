#include "ScheduleFixture.h"
#include "foundation/color/Colors.h"
#include "model/Course.h"
#include "model/LessonReportInformation.h"
#include "model/PublishInfo.h"
#include "model/Standard.h"
#include "model/Week.h"
#include "schedule/YearGrid.h"
#include "store/ObjectContext.h"

namespace {

using Schedule = NewYearPlan::Schedule;
using Outcome = CreateNewSemestraController::Outcome;

class CreateNewSemestraControllerTest : public ScheduleFixture {
protected:
    // Wednesday 2 September 2026 to Friday 18 September 2026: the grid runs
    // from Sunday 30 August for three weeks.
    const Date wednesday = local(2026, 9, 2);
    const Date friday = local(2026, 9, 18);
    const QString math = QStringLiteral("Math");
    const QString art = QStringLiteral("Art");

    int count(const char* entity) const { return context->countOfEntity(QString::fromLatin1(entity)); }

    // Builds a rotating year from the selection page, each course ticked on the given rotation days.
    void buildRotating(int length, const QList<QStringList>& ticks)
    {
        wizard.setRotationLength(length);
        ASSERT_EQ(wizard.continuePressed(), Outcome::ShowCourseSelection);
        for (qsizetype row = 0; row < ticks.size(); ++row) {
            for (const QString& column : ticks.at(row))
                wizard.courseSelection().setTicked(row, column, true);
        }
        ASSERT_EQ(wizard.createPressed(), Outcome::YearBuilt);
    }

    QList<int> schoolDayTypes() const
    {
        QList<int> types;
        for (const Day* day : days()) {
            if (!day->isCancelled())
                types << day->typeOfDay();
        }
        return types;
    }
};

} // namespace

TEST_F(CreateNewSemestraControllerTest, ProposesTheComingSchoolYearWhenOpened)
{
    EXPECT_EQ(wizard.startDate(), local(2026, 9, 8));
    EXPECT_EQ(wizard.endDate(), local(2027, 6, 18));
}

TEST_F(CreateNewSemestraControllerTest, RefusesARangeOfExactlyOneWeekAndBuildsNothing)
{
    fillIn(local(2026, 9, 6), local(2026, 9, 13), { math }, Schedule::Traditional);
    alerts.answerNext(AlertDefaultReturn);
    EXPECT_EQ(wizard.continuePressed(), Outcome::StayOnPage);
    expectLastAlert(QStringLiteral("Date Range Too Short"),
        QStringLiteral("Please ensure that you have specified a date range of at least one week"),
        QStringLiteral("OK"));
    EXPECT_EQ(count("Year"), 0);
    EXPECT_EQ(wizard.courseNames(), QStringList { math });
}

TEST_F(CreateNewSemestraControllerTest, AWeekAcrossTheAutumnClockChangeIsStillTooShort)
{
    // Seven calendar days that last 7 days and an hour.
    fillIn(local(2026, 10, 26), local(2026, 11, 2), { math }, Schedule::Traditional);
    alerts.answerNext(AlertDefaultReturn);
    EXPECT_EQ(wizard.continuePressed(), Outcome::StayOnPage);
    EXPECT_EQ(alerts.last().title, QStringLiteral("Date Range Too Short"));
}

TEST_F(CreateNewSemestraControllerTest, ChecksTheDatesBeforeTheCourses)
{
    fillIn(local(2026, 9, 6), local(2026, 9, 8), {}, Schedule::Traditional);
    alerts.answerNext(AlertDefaultReturn);
    wizard.continuePressed();
    EXPECT_EQ(alerts.last().title, QStringLiteral("Date Range Too Short"));

    wizard.setEndDate(local(2026, 9, 14));
    alerts.answerNext(AlertDefaultReturn);
    EXPECT_EQ(wizard.continuePressed(), Outcome::StayOnPage);
    expectLastAlert(QStringLiteral("No Courses Entered"),
        QStringLiteral("Please enter at least one course into your schedule before continuing"), QStringLiteral("OK"));
    EXPECT_EQ(alerts.shown().size(), 2);
}

TEST_F(CreateNewSemestraControllerTest, RefusesADuplicateCourseNameButNotOneDifferingInCase)
{
    using Result = CreateNewSemestraController::AddCourseResult;
    EXPECT_EQ(wizard.addCourse(QString()), Result::Ignored);
    EXPECT_EQ(wizard.addCourse(math), Result::Added);
    EXPECT_EQ(wizard.addCourse(QStringLiteral("math")), Result::Added);
    alerts.answerNext(AlertDefaultReturn);
    EXPECT_EQ(wizard.addCourse(math), Result::AlreadyExists);

    EXPECT_EQ(alerts.shown().size(), 1);
    expectLastAlert(QStringLiteral("Course already exists!"),
        QStringLiteral("Please be sure that all of your courses have unique names"), QStringLiteral("OK"));
    EXPECT_EQ(wizard.courseNames(), (QStringList { math, QStringLiteral("math") }));
}

TEST_F(CreateNewSemestraControllerTest, DeletesOnlyTheSelectedCourse)
{
    wizard.addCourse(math);
    wizard.addCourse(art);
    wizard.deleteCourse(-1);
    wizard.deleteCourse(2);
    wizard.deleteCourse(0);
    EXPECT_EQ(wizard.courseNames(), QStringList { art });
}

TEST_F(CreateNewSemestraControllerTest, ClosingAsksOnlyOnceCoursesWereEntered)
{
    EXPECT_TRUE(wizard.closePressed());
    EXPECT_TRUE(alerts.shown().isEmpty());

    wizard.addCourse(math);
    alerts.answerNext(AlertAlternateReturn);
    EXPECT_FALSE(wizard.closePressed());
    expectLastAlert(QStringLiteral("Really Close?"),
        QStringLiteral(
            "You've entered information about your schedule.  This information will be lost if you close this window"),
        QStringLiteral("Close"));
    EXPECT_EQ(alerts.last().alternateButton, QStringLiteral("Cancel"));
    alerts.answerNext(AlertDefaultReturn);
    EXPECT_TRUE(wizard.closePressed());
}

TEST_F(CreateNewSemestraControllerTest, WeeklySelectionHasAColumnPerTeachingWeekday)
{
    fillIn(wednesday, friday, { math, art }, Schedule::WeeklyRepeating);
    wizard.setTeachingDay(2, false);
    wizard.setTeachingDay(6, true);
    ASSERT_EQ(wizard.continuePressed(), Outcome::ShowCourseSelection);

    QStringList identifiers;
    for (const CourseSelectionColumn& column : wizard.courseSelection().columns()) {
        identifiers << column.identifier;
        EXPECT_EQ(column.header, column.identifier);
        EXPECT_EQ(column.width, 70);
    }
    EXPECT_EQ(identifiers,
        (QStringList { QStringLiteral("Monday"), QStringLiteral("Wednesday"), QStringLiteral("Thursday"),
            QStringLiteral("Friday"), QStringLiteral("Saturday") }));
    EXPECT_FALSE(wizard.courseSelection().isTicked(0, QStringLiteral("Monday")));
    EXPECT_EQ(count("Year"), 0);
}

TEST_F(CreateNewSemestraControllerTest, RotationSelectionHasALetteredColumnPerRotationDay)
{
    fillIn(wednesday, friday, { math }, Schedule::Rotating);
    wizard.setRotationLength(3);
    ASSERT_EQ(wizard.continuePressed(), Outcome::ShowCourseSelection);
    const QList<CourseSelectionColumn>& columns = wizard.courseSelection().columns();
    ASSERT_EQ(columns.size(), 3);
    EXPECT_EQ(columns.at(2).identifier, QStringLiteral("2"));
    EXPECT_EQ(columns.at(2).header, QStringLiteral("C day"));
    EXPECT_EQ(columns.at(2).width, 40);

    wizard.setSchedule(Schedule::AlternatingAB);
    wizard.continuePressed();
    EXPECT_EQ(wizard.courseSelection().columns().size(), 2);
}

TEST_F(CreateNewSemestraControllerTest, TraditionalYearStartsOnTheSundayAndTeachesTheWholeFirstWeek)
{
    fillIn(wednesday, friday, { math, art }, Schedule::Traditional);
    ASSERT_EQ(wizard.continuePressed(), Outcome::YearBuilt);
    Year* year = wizard.year();

    EXPECT_EQ(year->startDate(), local(2026, 8, 30));
    EXPECT_EQ(year->endDate(), local(2026, 9, 20));
    EXPECT_EQ(year->typeOfSchedule(), 0);
    EXPECT_EQ(year->weeks().size(), 3);
    const QList<Day*> all = days();
    ASSERT_EQ(all.size(), 15);
    EXPECT_EQ(all.first()->actualDate(), local(2026, 8, 31));
    for (const Day* day : all) {
        EXPECT_FALSE(day->isNonSchoolDay());
        EXPECT_EQ(courseNamesOn(*day), (QStringList { math, art }));
        EXPECT_EQ(day->week()->weekNumber(), YearGrid::daysBetween(year->startDate(), day->actualDate()) / 7 + 1);
    }
}

TEST_F(CreateNewSemestraControllerTest, BuiltYearCarriesItsSettingsCoursesAndRootStandard)
{
    fillIn(wednesday, friday, { math, art }, Schedule::Traditional);
    wizard.continuePressed();
    Year* year = wizard.year();

    EXPECT_EQ(year->publish()->value<QString>(u"cssTheme"), QStringLiteral("Default (Cream and Blue)"));
    EXPECT_EQ(year->publish()->requiredDate(u"lessonExportEndDate"), year->startDate());
    EXPECT_EQ(year->lessonReportInformation()->startDateForDaily(), year->startDate());
    EXPECT_EQ(count("LessonReportInformation"), 1);

    const auto courses
        = context->fetch<Course>({ QStringLiteral("Course"), {}, { { QStringLiteral("courseNumber") } } });
    ASSERT_EQ(courses.size(), 2);
    EXPECT_EQ(courses.at(1)->courseName(), art);
    EXPECT_EQ(courses.at(1)->courseNumber(), 1);
    EXPECT_EQ(courses.at(1)->color(), Colors::defaultCourseColor());
    EXPECT_EQ(courses.at(1)->lessons().size(), 15);

    const auto standards = context->fetch<Standard>({ QStringLiteral("Standard"), {}, {} });
    ASSERT_EQ(standards.size(), 1);
    EXPECT_TRUE(standards.first()->isRootItem());
    EXPECT_EQ(standards.first()->shortName(), QStringLiteral("All Standards"));
}

TEST_F(CreateNewSemestraControllerTest, RotatingYearCancelsTheTeachingDaysBeforeTheChosenStart)
{
    fillIn(wednesday, friday, { math }, Schedule::Rotating);
    buildRotating(3, { { QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2") } });

    const QList<Day*> all = days();
    for (const Day* cancelled : { all.at(0), all.at(1) }) {
        EXPECT_TRUE(cancelled->isCancelled());
        EXPECT_EQ(cancelled->holidayName(), QStringLiteral("Cancelled"));
        EXPECT_TRUE(cancelled->lessons().isEmpty());
    }
    EXPECT_EQ(all.at(2)->actualDate(), wednesday);
    EXPECT_FALSE(all.at(2)->isCancelled());
    EXPECT_EQ(all.at(2)->typeOfDay(), 0);
    EXPECT_EQ(courseNamesOn(*all.at(2)), QStringList { math });
    EXPECT_EQ(wizard.year()->typeOfSchedule(), 2);
    EXPECT_EQ(wizard.year()->repeatInterval(), 3);
}

TEST_F(CreateNewSemestraControllerTest, RotationRunsOverSchoolDaysOnlyAcrossWeeks)
{
    fillIn(local(2026, 9, 7), friday, { math }, Schedule::Rotating);
    buildRotating(3, {});
    EXPECT_EQ(schoolDayTypes(), (QList<int> { 0, 1, 2, 0, 1, 2, 0, 1, 2, 0 }));
}

TEST_F(CreateNewSemestraControllerTest, ABYearMeetsEachCourseOnItsTickedDays)
{
    fillIn(local(2026, 9, 7), friday, { math, art, QStringLiteral("Band") }, Schedule::AlternatingAB);
    buildRotating(0, { { QStringLiteral("0") }, { QStringLiteral("1") }, { QStringLiteral("1") } });

    EXPECT_EQ(wizard.year()->repeatInterval(), 2);
    EXPECT_EQ(schoolDayTypes(), (QList<int> { 0, 1, 0, 1, 0, 1, 0, 1, 0, 1 }));
    EXPECT_EQ(courseNamesOn(*days().at(0)), QStringList { math });
    EXPECT_EQ(courseNamesOn(*days().at(1)), (QStringList { art, QStringLiteral("Band") }));
}

TEST_F(CreateNewSemestraControllerTest, WeeklyYearMeetsOnChosenWeekdaysOnlyAndKeepsUntickedCourses)
{
    fillIn(wednesday, friday, { math, art, QStringLiteral("Band") }, Schedule::WeeklyRepeating);
    wizard.continuePressed();
    wizard.courseSelection().setTicked(0, QStringLiteral("Monday"), true);
    wizard.courseSelection().setTicked(1, QStringLiteral("Monday"), true);
    wizard.courseSelection().setTicked(1, QStringLiteral("Friday"), true);
    wizard.createPressed();

    EXPECT_EQ(wizard.year()->typeOfSchedule(), 1);
    for (const Day* day : days()) {
        const QString name = day->weekDayName();
        const QStringList expected = name == QStringLiteral("Monday") ? QStringList { math, art }
            : name == QStringLiteral("Friday")                        ? QStringList { art }
                                                                      : QStringList {};
        EXPECT_EQ(courseNamesOn(*day), expected) << name.toStdString();
    }
    EXPECT_EQ(count("Course"), 3);
}

TEST_F(CreateNewSemestraControllerTest, RotationLengthBelowOneGivesASingleDayType)
{
    fillIn(local(2026, 9, 7), friday, { math }, Schedule::Rotating);
    buildRotating(0, { { QStringLiteral("0") } });
    EXPECT_EQ(wizard.year()->repeatInterval(), 1);
    EXPECT_EQ(schoolDayTypes(), QList<int>(10, 0));
    EXPECT_EQ(count("Lesson"), 10);
}

TEST_F(CreateNewSemestraControllerTest, StartsWithMondayToFridayTicked)
{
    QList<bool> ticked;
    for (int weekday = -1; weekday <= 7; ++weekday)
        ticked << wizard.isTeachingDay(weekday);
    EXPECT_EQ(ticked, (QList<bool> { false, false, true, true, true, true, true, false, false }));
}

TEST_F(CreateNewSemestraControllerTest, RefusesAYearWithoutTeachingDaysAndBuildsNothing)
{
    fillIn(wednesday, friday, { math }, Schedule::WeeklyRepeating);
    for (int weekday = 0; weekday < 7; ++weekday)
        wizard.setTeachingDay(weekday, false);
    alerts.answerNext(AlertDefaultReturn);
    EXPECT_EQ(wizard.continuePressed(), Outcome::StayOnPage);
    expectLastAlert(QStringLiteral("No Teaching Days"),
        QStringLiteral("Please choose at least one day of the week on which school meets"), QStringLiteral("OK"));
    EXPECT_EQ(wizard.page(), CreateNewSemestraController::Page::Setup);
    EXPECT_EQ(count("Year"), 0);
    EXPECT_EQ(count("Week"), 0);

    // One day is enough.
    wizard.setTeachingDay(6, true);
    EXPECT_EQ(wizard.continuePressed(), Outcome::ShowCourseSelection);
    EXPECT_EQ(alerts.shown().size(), 1);
}

TEST_F(CreateNewSemestraControllerTest, DaysStayOnLocalMidnightsAcrossClockChanges)
{
    fillIn(local(2026, 10, 25), local(2026, 11, 14), { math }, Schedule::Traditional);
    wizard.setTeachingDay(0, true);
    wizard.setTeachingDay(6, true);
    wizard.continuePressed();

    const QList<Day*> all = days();
    ASSERT_EQ(all.size(), 21);
    for (qsizetype i = 0; i < all.size(); ++i)
        EXPECT_EQ(all.at(i)->actualDate(), local(2026, 10, 25 + int(i)));
    EXPECT_EQ(wizard.year()->endDate(), local(2026, 11, 15));
}

TEST_F(CreateNewSemestraControllerTest, BuildsTheYearOnlyOnce)
{
    fillIn(wednesday, friday, { math }, Schedule::Traditional);
    wizard.continuePressed();
    wizard.continuePressed();
    EXPECT_EQ(count("Year"), 1);
}

// What a new teacher types first shows in the week: the first two fields are
// named and shown, the others named and waiting.
TEST_F(CreateNewSemestraControllerTest, ANewYearNamesItsLessonFieldsAndShowsTheFirstTwo)
{
    fillIn(wednesday, friday, { math }, Schedule::Traditional);
    ASSERT_EQ(wizard.continuePressed(), Outcome::YearBuilt);
    const Year* year = wizard.year();
    EXPECT_EQ(year->visibleFields(), QStringList({ "lessonBody", "homework" }));
    EXPECT_EQ(year->fieldTitle(QStringLiteral("lessonBody")), QStringLiteral("Plan"));
    EXPECT_EQ(year->fieldTitle(QStringLiteral("homework")), QStringLiteral("Homework"));
    EXPECT_EQ(year->fieldTitle(QStringLiteral("publicComment")), QStringLiteral("Notes for Families"));
    QStringList titles;
    for (const Year::FieldFlagKeys& keys : Year::lessonFieldFlagKeys()) {
        titles.append(year->fieldTitle(keys.field));
        EXPECT_EQ(year->value<bool>(keys.expandedKey), year->value<bool>(keys.showKey)) << "shown fields open expanded";
    }
    titles.removeDuplicates();
    EXPECT_EQ(titles.size(), 6) << "every field has a name of its own";
}

TEST_F(CreateNewSemestraControllerTest, TheTeachersFieldNamesAndChoicesAreTheOnesBuilt)
{
    fillIn(wednesday, friday, { math }, Schedule::Traditional);
    wizard.setFieldTitle(0, QStringLiteral(" Lesson Plan "));
    wizard.setFieldShown(1, false);
    wizard.setFieldTitle(5, QStringLiteral("Exit Ticket"));
    wizard.setFieldShown(5, true);
    wizard.setFieldShown(6, true);
    wizard.setFieldTitle(-1, QStringLiteral("nowhere"));
    EXPECT_FALSE(wizard.isFieldShown(6));
    ASSERT_EQ(wizard.continuePressed(), Outcome::YearBuilt);
    const Year* year = wizard.year();
    EXPECT_EQ(year->visibleFields(), QStringList({ "lessonBody", "custom3" }));
    EXPECT_EQ(year->fieldTitle(QStringLiteral("lessonBody")), QStringLiteral("Lesson Plan"));
    EXPECT_EQ(year->fieldTitle(QStringLiteral("custom3")), QStringLiteral("Exit Ticket"));
    EXPECT_EQ(year->fieldTitle(QStringLiteral("homework")), QStringLiteral("Homework")) << "hidden, still named";
}
