#include "schedule/YearBuilder.h"

#include "foundation/color/ColorArchive.h"
#include "foundation/color/Colors.h"
#include "foundation/dates/DateFormatting.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/LessonReportInformation.h"
#include "model/MyCourse.h"
#include "model/PublishInfo.h"
#include "model/Standard.h"
#include "model/Week.h"
#include "model/Year.h"
#include "store/ObjectContext.h"

YearBuilder::YearBuilder(ObjectContext& context, const NewYearPlan& plan)
    : m_context(context)
    , m_plan(plan)
    , m_grid(plan.startDate, plan.endDate)
{ }

Year* YearBuilder::build()
{
    insertYear();
    // A rotating year is typed only once its courses and standards exist,
    // the order its years have always been built in.
    if (!m_plan.isRotating())
        setScheduleType();
    insertCourses();
    insertRootStandard();
    if (m_plan.isRotating())
        setScheduleType();
    insertWeeks();
    m_year->fixLessonTimes();
    return m_year;
}

void YearBuilder::insertYear()
{
    m_year = m_context.insert<Year>(QStringLiteral("Year"));
    m_year->setDate(u"startDate", m_grid.start());
    m_year->setDate(u"endDate", m_plan.endDate);
    m_year->setValue(u"allSameColor", true);
    m_year->setValue(u"typeOfSchedule", 0);
    m_year->setValue(u"repeatInterval", 0);
    nameFields();

    insertSettings(*m_year);
}

void YearBuilder::nameFields()
{
    const QList<Year::FieldFlagKeys>& fields = Year::lessonFieldFlagKeys();
    for (qsizetype i = 0; i < fields.size(); ++i) {
        const bool shown = m_plan.shownFields.at(std::size_t(i));
        m_year->setValue(fields[i].field + QStringLiteral("Title"), m_plan.fieldTitles.value(i).trimmed());
        m_year->setValue(fields[i].showKey, shown);
        // A shown field opens ready to be typed into.
        m_year->setValue(fields[i].expandedKey, shown);
    }
}

void YearBuilder::insertSettings(Year& year)
{
    auto* publish = year.context().insert<PublishInfo>(QStringLiteral("PublishInfo"));
    publish->setValue(u"cssTheme", QStringLiteral("Default (Cream and Blue)"));
    publish->setValue(u"localExportLocation", QStringLiteral(""));
    for (QStringView key :
        { u"calendarExportStartDate", u"calendarExportEndDate", u"lessonExportStartDate", u"lessonExportEndDate" })
        publish->setDate(key, year.startDate());
    year.setObject(u"publish", publish);

    year.lessonReportInformation();
}

void YearBuilder::setScheduleType()
{
    if (m_plan.schedule == NewYearPlan::Schedule::Traditional)
        return;
    if (m_plan.schedule == NewYearPlan::Schedule::WeeklyRepeating) {
        m_year->setValue(u"typeOfSchedule", Year::WeeklyRepeating);
        return;
    }
    m_year->setValue(u"typeOfSchedule", Year::Rotating);
    m_year->setValue(u"repeatInterval", m_plan.rotationDays());
}

void YearBuilder::insertCourses()
{
    const QByteArray colour = ColorArchive::archive(Colors::defaultCourseColor());
    for (qsizetype i = 0; i < m_plan.courseNames.size(); ++i) {
        auto* course = m_context.insert<MyCourse>(QStringLiteral("MyCourse"));
        course->setValue(u"courseName", m_plan.courseNames.at(i));
        course->setValue(u"courseNumber", int(i));
        course->setDate(u"latestUploadDate", m_year->startDate());
        course->setValue(u"draw", 1);
        course->setValue(u"publish", 1);
        course->setValue(u"colorData", colour);
        course->setObject(u"year", m_year);
        m_courses.append(course);
    }
}

void YearBuilder::insertRootStandard()
{
    auto* root = m_context.insert<Standard>(QStringLiteral("Standard"));
    root->setValue(u"isRootItem", true);
    root->setValue(u"text", QStringLiteral("All Standards"));
    root->setValue(u"shortName", QStringLiteral("All Standards"));
    root->setObject(u"year", m_year);
}

void YearBuilder::insertWeeks()
{
    int dayIndex = 0;
    for (int weekNumber = 1; weekNumber <= m_grid.numberOfWeeks(); ++weekNumber) {
        auto* week = m_context.insert<Week>(QStringLiteral("Week"));
        week->setValue(u"weekNumber", weekNumber);
        week->setObject(u"year", m_year);
        for (int weekday = 0; weekday < 7; ++weekday, ++dayIndex) {
            if (m_plan.teachingDays.at(std::size_t(weekday)))
                insertDay(*week, dayIndex, weekday);
        }
    }
    // The midnight after the grid's last Saturday.
    m_year->setDate(u"endDate", m_grid.day(dayIndex));
}

void YearBuilder::insertDay(Week& week, int dayIndex, int weekday)
{
    const Date date = m_grid.day(dayIndex);
    // Teaching days before the chosen start would otherwise take the first
    // day types of the rotation.
    const bool beforeStart = dayIndex < 7 && weekday < m_grid.offset();
    Day* day = m_plan.isRotating() && beforeStart ? insertCancelledDay(date) : insertSchoolDay(date);
    day->setObject(u"week", &week);
}

Day* YearBuilder::insertCancelledDay(Date date)
{
    auto* day = m_context.insert<Day>(QStringLiteral("Day"));
    day->setDate(u"actualDate", date);
    day->setValue(u"isCancelled", true);
    day->setValue(u"holidayName", QStringLiteral("Cancelled"));
    return day;
}

Day* YearBuilder::insertSchoolDay(Date date)
{
    auto* day = m_context.insert<Day>(QStringLiteral("Day"));
    day->setDate(u"actualDate", date);
    day->setValue(u"isHoliday", false);
    day->setValue(u"holidayName", QStringLiteral(""));
    switch (m_plan.schedule) {
    case NewYearPlan::Schedule::Traditional:
        insertLessons(*day, m_courses);
        break;
    case NewYearPlan::Schedule::WeeklyRepeating:
        insertLessons(*day, coursesMeeting(DateFormatting::weekdayName(date)));
        break;
    case NewYearPlan::Schedule::AlternatingAB:
    case NewYearPlan::Schedule::Rotating:
        // The rotation runs over school days only, on across the weeks.
        insertLessons(*day, coursesMeeting(QString::number(m_rotationCounter)));
        day->setValue(u"typeOfDay", m_rotationCounter);
        m_rotationCounter = (m_rotationCounter + 1) % m_plan.rotationDays();
        break;
    }
    return day;
}

QList<Course*> YearBuilder::coursesMeeting(const QString& selectionKey) const
{
    QList<Course*> meeting;
    for (qsizetype i = 0; i < m_courses.size(); ++i) {
        if (m_plan.selection.isTicked(i, selectionKey))
            meeting.append(m_courses.at(i));
    }
    return meeting;
}

void YearBuilder::insertLessons(Day& day, const QList<Course*>& courses)
{
    for (qsizetype position = 0; position < courses.size(); ++position) {
        auto* lesson = m_context.insert<Lesson>(QStringLiteral("Lesson"));
        lesson->setObject(u"course", courses.at(position));
        lesson->setValue(u"lessonPosition", int(position));
        lesson->setObject(u"dayTaught", &day);
    }
}
