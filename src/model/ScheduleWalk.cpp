#include "model/ScheduleWalk.h"

#include "foundation/dates/DateFormatting.h"
#include "foundation/random/RandomSource.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/Week.h"
#include "model/Year.h"

#include <algorithm>
#include <functional>

namespace {

bool isRegular(const Day& day)
{
    return !day.isNonSchoolDay() && !day.isCustom();
}

void sortByDate(QList<Day*>& days)
{
    std::stable_sort(
        days.begin(), days.end(), [](const Day* a, const Day* b) { return a->actualDate() < b->actualDate(); });
}

QList<Day*> regularDaysWhere(const Year& year, const std::function<bool(const Day&)>& matches)
{
    QList<Day*> found;
    for (Day* day : ScheduleWalk::daysInDateOrder(year)) {
        if (isRegular(*day) && matches(*day))
            found.append(day);
    }
    return found;
}

Day* randomPick(const QList<Day*>& days)
{
    if (days.isEmpty())
        return nullptr;
    return days.at(RandomSource::shared().uniform(std::uint32_t(days.size())));
}

// Rotating years match days by day type, the others by weekday name (a
// traditional year's lesson takes its times from a day of its own weekday).
std::function<bool(const Day&)> sameScheduleAs(const Day& day, const Year& year)
{
    if (year.isNonRotating()) {
        const QString name = day.weekDayName();
        return [name](const Day& other) { return other.weekDayName() == name; };
    }
    const int type = day.typeOfDay();
    return [type](const Day& other) { return other.typeOfDay() == type; };
}

} // namespace

namespace ScheduleWalk {

QList<Day*> daysInDateOrder(const Year& year)
{
    QList<Day*> days;
    for (const Week* week : year.weeks())
        days += week->days();
    sortByDate(days);
    return days;
}

QList<Lesson*> lessonsInCourse(const Day& day, const Course* course)
{
    QList<Lesson*> lessons;
    for (Lesson* lesson : day.lessons()) {
        if (lesson->course() == course)
            lessons.append(lesson);
    }
    std::stable_sort(lessons.begin(), lessons.end(), [](const Lesson* a, const Lesson* b) {
        return a->value<std::optional<Date>>(u"startTime") < b->value<std::optional<Date>>(u"startTime");
    });
    return lessons;
}

Lesson* lessonInCourse(const Day& day, const Course* course, qsizetype index)
{
    const QList<Lesson*> lessons = lessonsInCourse(day, course);
    return index >= 0 && index < lessons.size() ? lessons.at(index) : nullptr;
}

int positionOfLesson(const Lesson& lesson)
{
    const Day* day = lesson.dayTaught();
    if (!day)
        return 0;
    return int(std::max<qsizetype>(0, lessonsInCourse(*day, lesson.course()).indexOf(&lesson)));
}

QList<Day*> daysLike(const Day& day)
{
    const Year* year = day.year();
    if (!year)
        return {};
    if (year->typeOfSchedule() == Year::Traditional)
        return regularDaysWhere(*year, [](const Day&) { return true; });
    return regularDaysWhere(*year, sameScheduleAs(day, *year));
}

Day* anotherDayLike(const Day& day)
{
    const Year* year = day.year();
    if (!year)
        return nullptr;
    const auto sameSchedule = sameScheduleAs(day, *year);
    return randomPick(regularDaysWhere(*year, [&](const Day& other) { return &other != &day && sameSchedule(other); }));
}

QList<Day*> representativeDays(const Year& year)
{
    QList<Day*> picked;
    auto pick = [&](const std::function<bool(const Day&)>& matches) {
        if (Day* day = randomPick(regularDaysWhere(year, matches)))
            picked.append(day);
    };
    switch (year.typeOfSchedule()) {
    case Year::Traditional: {
        const QList<Day*> regular = regularDaysWhere(year, [](const Day&) { return true; });
        return regular.isEmpty() ? QList<Day*>() : QList<Day*> { regular.first() };
    }
    case Year::WeeklyRepeating: {
        QList<Week*> weeks = year.weeks();
        const auto first = std::min_element(
            weeks.begin(), weeks.end(), [](const Week* a, const Week* b) { return a->weekNumber() < b->weekNumber(); });
        QStringList namesInFirstWeek;
        if (first != weeks.end()) {
            for (const Day* day : (*first)->days())
                namesInFirstWeek.append(day->weekDayName());
        }
        for (const QString& name : DateFormatting::weekdaySymbols(DateFormatting::SymbolWidth::Full)) {
            if (namesInFirstWeek.contains(name))
                pick([&name](const Day& day) { return day.weekDayName() == name; });
        }
        return picked;
    }
    default:
        for (int type = 0; type < year.repeatInterval(); ++type)
            pick([type](const Day& day) { return day.typeOfDay() == type; });
        return picked;
    }
}

QList<Day*> daysWithLessonsInOrder(const Course& course)
{
    QList<Day*> days;
    for (const Lesson* lesson : course.lessons()) {
        Day* day = lesson->dayTaught();
        if (day && !days.contains(day))
            days.append(day);
    }
    sortByDate(days);
    return days;
}

} // namespace ScheduleWalk
