#include "ScheduleBuilder.h"

#include "foundation/dates/LocalCalendar.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/MyCourse.h"
#include "model/Week.h"
#include "model/Year.h"
#include "store/ObjectContext.h"

ScheduleBuilder::ScheduleBuilder(ObjectContext& context, int year, int month, int sundayDay, int weekCount)
    : m_context(context)
    , m_year(context.insert<Year>(QStringLiteral("Year")))
    , m_start(localDate(year, month, sundayDay))
{
    m_year->setDate(u"startDate", m_start);
    m_year->setDate(u"endDate", LocalCalendar::addingDays(m_start, 7 * weekCount));
    for (int number = 1; number <= weekCount; ++number) {
        auto* week = context.insert<Week>(QStringLiteral("Week"));
        week->setValue(u"weekNumber", number);
        week->setObject(u"year", m_year);
        m_weeks.insert(number, week);
    }
}

Date ScheduleBuilder::localDate(int year, int month, int day, int hour, int minute)
{
    return LocalCalendar::dateFromComponents(DateComponents { year, month, day, hour, minute, 0 });
}

Day* ScheduleBuilder::day(int offset)
{
    if (Day* existing = m_days.value(offset))
        return existing;
    auto* created = m_context.insert<Day>(QStringLiteral("Day"));
    created->setDate(u"actualDate", LocalCalendar::addingDays(m_start, offset));
    created->setObject(u"week", m_weeks.value(offset / 7 + 1));
    m_days.insert(offset, created);
    return created;
}

Course* ScheduleBuilder::course(const QString& name)
{
    if (Course* existing = m_courses.value(name))
        return existing;
    auto* created = m_context.insert<MyCourse>(QStringLiteral("MyCourse"));
    created->setValue(u"courseName", name);
    created->setValue(u"courseNumber", int(m_courses.size()));
    created->setValue(u"draw", 1);
    created->setObject(u"year", m_year);
    m_courses.insert(name, created);
    return created;
}

Lesson* ScheduleBuilder::lesson(Course* course, Day* day, int hour, int minute, int minutes)
{
    auto* created = m_context.insert<Lesson>(QStringLiteral("Lesson"));
    const DateComponents date = LocalCalendar::components(day->actualDate());
    const Date start = localDate(date.year, date.month, date.day, hour, minute);
    created->setDate(u"startTime", start);
    created->setDate(u"endTime", start.addingSeconds(60.0 * minutes));
    created->setObject(u"course", course);
    created->setObject(u"dayTaught", day);
    return created;
}

QList<Lesson*> ScheduleBuilder::lessonsOn(Course* course, const QList<Day*>& days, int hour)
{
    QList<Lesson*> result;
    for (Day* day : days)
        result.append(lesson(course, day, hour));
    return result;
}
