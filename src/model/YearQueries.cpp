#include "foundation/dates/DateFormatting.h"
#include "foundation/dates/LocalCalendar.h"
#include "foundation/random/RandomSource.h"
#include "model/Course.h"
#include "model/CourseOrder.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/ScheduleOrder.h"
#include "model/Standard.h"
#include "model/Unit.h"
#include "model/Week.h"
#include "model/Year.h"
#include "store/ObjectContext.h"

#include <algorithm>

namespace {

bool isSchoolDay(const Day& day, Year::Custom custom)
{
    return !day.isNonSchoolDay() && (custom == Year::Custom::Included || !day.isCustom());
}

template <typename T> T* firstOrNull(const QList<T*>& list)
{
    return list.isEmpty() ? nullptr : list.first();
}

template <typename T> T* randomPick(const QList<T*>& list)
{
    if (list.isEmpty())
        return nullptr;
    return list[RandomSource::shared().uniform(std::uint32_t(list.size()))];
}

Date dayDate(const Lesson& lesson)
{
    return lesson.dayTaught() ? lesson.dayTaught()->actualDate() : Date();
}

} // namespace

QList<Day*> Year::fetchDays(const std::function<bool(const Day&)>& predicate) const
{
    return context().fetch<Day>(FetchRequest { QStringLiteral("Day"),
        [&predicate](const ManagedObject& object) { return predicate(static_cast<const Day&>(object)); }, {} });
}

QList<Day*> Year::getAllDaysOrderedAscending() const
{
    return context().fetch<Day>(FetchRequest { QStringLiteral("Day"), {}, { { QStringLiteral("actualDate"), true } } });
}

Day* Year::getFirstDay() const
{
    return firstOrNull(getAllDaysOrderedAscending());
}

Day* Year::getLastDay() const
{
    const QList<Day*> days = getAllDaysOrderedAscending();
    return days.isEmpty() ? nullptr : days.last();
}

Day* Year::getExactDayWithDate(Date date) const
{
    const Date first = date.midnightDate();
    const Date last = date.elevenFiftyNineDate();
    return firstOrNull(
        fetchDays([&](const Day& day) { return day.actualDate() >= first && day.actualDate() <= last; }));
}

QList<Day*> Year::getAllDaysBefore(Date date) const
{
    const Date last = date.elevenFiftyNineDate();
    QList<Day*> days = fetchDays([&](const Day& day) { return day.actualDate() <= last; });
    ScheduleOrder::sortByDate(days);
    return days;
}

QList<Day*> Year::getAllDaysAfter(Date date) const
{
    const Date first = date.midnightDate();
    QList<Day*> days = fetchDays([&](const Day& day) { return day.actualDate() >= first; });
    ScheduleOrder::sortByDate(days);
    return days;
}

Day* Year::getDayWithDate(Date date) const
{
    if (date < startDate())
        return getFirstDay();
    if (date > endDate())
        return getLastDay();
    if (Day* following = firstOrNull(getAllDaysAfter(date)))
        return following;
    return getFirstDay();
}

Week* Year::getWeekWithDate(Date date) const
{
    Day* day = getDayWithDate(date);
    return day ? day->week() : nullptr;
}

QList<Day*> Year::getDaysAfterDate(Date first, Date untilDate) const
{
    QList<Day*> days
        = fetchDays([&](const Day& day) { return day.actualDate() >= first && day.actualDate() <= untilDate; });
    ScheduleOrder::sortByDate(days);
    return days;
}

Day* Year::getDayAfter(const Day* day) const
{
    const QList<Day*> days = getDaysAfterDate(startDate(), endDate());
    const qsizetype index = days.indexOf(day);
    return index >= 0 && index + 1 < days.size() ? days[index + 1] : const_cast<Day*>(day);
}

Day* Year::getDayBefore(const Day* day) const
{
    const QList<Day*> days = getDaysAfterDate(startDate(), endDate());
    const qsizetype index = days.indexOf(day);
    return index > 0 ? days[index - 1] : const_cast<Day*>(day);
}

QList<Day*> Year::getDaysIncludingAndAfter(const Day* day) const
{
    const Date first = day->actualDate();
    QList<Day*> days = fetchDays(
        [&](const Day& other) { return other.actualDate() >= first && isSchoolDay(other, Custom::Included); });
    ScheduleOrder::sortByDate(days);
    return days;
}

QList<Day*> Year::nonSchoolDays() const
{
    return fetchDays([](const Day& day) { return day.isNonSchoolDay(); });
}

QList<Day*> Year::getAllCustomDays() const
{
    return fetchDays([](const Day& day) { return day.isCustomDay(); });
}

QList<Day*> Year::getAllDaysIncludingCustom(Custom custom) const
{
    return fetchDays([custom](const Day& day) { return isSchoolDay(day, custom); });
}

QList<Day*> Year::getOneDayCanBeCustom(Custom custom) const
{
    const QList<Day*> days = getAllDaysIncludingCustom(custom);
    return days.isEmpty() ? QList<Day*>() : QList<Day*> { days.first() };
}

// A year never synced with a calendar has no time to compare with: every day
// that was ever changed counts as updated then.
QList<Day*> Year::getDaysWithUpdatedNotes(Notes notes) const
{
    if (notes == Notes::All)
        return fetchDays([](const Day&) { return true; });
    const std::optional<Date> lastSync = value<std::optional<Date>>(u"lastICalSync");
    return fetchDays([&](const Day& day) {
        const std::optional<Date> updated = day.lastUpdated();
        return updated && (!lastSync || *updated > *lastSync);
    });
}

// Weekdays are matched by number rather than by formatting every day's name:
// the name's position among the locale's weekday symbols is its number.
QList<Day*> Year::getAllDaysWithDayOfWeek(const QString& weekdayName, Custom includingCustom) const
{
    const qsizetype index = DateFormatting::weekdaySymbols(DateFormatting::SymbolWidth::Full).indexOf(weekdayName);
    if (index < 0)
        return {};
    const int weekday = int(index) + 1;
    return fetchDays([&](const Day& day) {
        return isSchoolDay(day, includingCustom) && LocalCalendar::weekday(day.actualDate()) == weekday;
    });
}

Day* Year::getDayWithDayOfWeek(const QString& weekdayName, Custom canBeCustom) const
{
    return randomPick(getAllDaysWithDayOfWeek(weekdayName, canBeCustom));
}

QHash<QString, bool> Year::getDaysInWeek() const
{
    QHash<QString, bool> result;
    for (const QString& name : DateFormatting::weekdaySymbols(DateFormatting::SymbolWidth::Full))
        result.insert(name, false);
    if (Week* first = getFirstWeek()) {
        for (const Day* day : first->days())
            result.insert(day->weekDayName(), true);
    }
    return result;
}

QList<Day*> Year::getOneDayOfEachDayInWeekCanBeCustom(Custom custom) const
{
    const QHash<QString, bool> taught = getDaysInWeek();
    QList<Day*> result;
    for (const QString& name : DateFormatting::weekdaySymbols(DateFormatting::SymbolWidth::Full)) {
        if (!taught.value(name))
            continue;
        if (Day* day = getDayWithDayOfWeek(name, custom))
            result.append(day);
    }
    return result;
}

QList<Day*> Year::getAllDaysWithType(int typeOfDay, Custom includingCustom) const
{
    return fetchDays([&](const Day& day) { return isSchoolDay(day, includingCustom) && day.typeOfDay() == typeOfDay; });
}

Day* Year::getDayWithType(int typeOfDay, Custom canBeCustom) const
{
    return randomPick(getAllDaysWithType(typeOfDay, canBeCustom));
}

QList<Day*> Year::getOneDayOfEachDayInRotationCanBeCustom(Custom custom) const
{
    QList<Day*> result;
    for (int type = 0; type < repeatInterval(); ++type) {
        if (Day* day = getDayWithType(type, custom))
            result.append(day);
    }
    return result;
}

QList<Day*> Year::getAllDaysLike(const Day* day) const
{
    switch (typeOfSchedule()) {
    case Traditional:
        return getAllDaysIncludingCustom(Custom::Excluded);
    case WeeklyRepeating:
        return getAllDaysWithDayOfWeek(day->weekDayName(), Custom::Excluded);
    case Rotating:
    case Rotating + 1:
        return getAllDaysWithType(day->typeOfDay(), Custom::Excluded);
    default:
        return {};
    }
}

QList<Day*> Year::candidatesLikeDay(const Day* day) const
{
    if (typeOfSchedule() > WeeklyRepeating)
        return getAllDaysWithType(day->typeOfDay(), Custom::Excluded);
    return getAllDaysWithDayOfWeek(day->weekDayName(), Custom::Excluded);
}

Day* Year::getDayLikeDay(const Day* day) const
{
    return randomPick(candidatesLikeDay(day));
}

// Drawing "again while it is the rebuilt day" never ends when the rebuilt day
// is the only one of its kind, so it is left out before the draw.
Day* Year::exactTemplateDay(QList<Day*> candidates, const Day* rebuilt) const
{
    candidates.removeAll(rebuilt);
    return randomPick(candidates);
}

Day* Year::templateDay(QList<Day*> candidates, Date date, const Day* rebuilt) const
{
    if (Day* exact = exactTemplateDay(candidates, rebuilt))
        return exact;
    const int weekday = LocalCalendar::weekday(date);
    candidates = fetchDays([&](const Day& day) {
        return &day != rebuilt && isSchoolDay(day, Custom::Excluded)
            && LocalCalendar::weekday(day.actualDate()) == weekday;
    });
    if (candidates.isEmpty())
        candidates = fetchDays([&](const Day& day) { return &day != rebuilt && isSchoolDay(day, Custom::Included); });
    return randomPick(candidates);
}

QList<Week*> Year::weeksInOrder() const
{
    QList<Week*> ordered = weeks();
    std::sort(ordered.begin(), ordered.end(), [](const Week* a, const Week* b) {
        return std::pair(a->weekNumber(), a->primaryKey()) < std::pair(b->weekNumber(), b->primaryKey());
    });
    return ordered;
}

Week* Year::getWeekWithWeekNumber(int weekNumber) const
{
    const QList<Week*> ordered = weeksInOrder();
    if (ordered.isEmpty())
        return nullptr;
    if (weekNumber < 2)
        return ordered.first();
    const auto found = std::find_if(ordered.begin(), ordered.end(),
        [weekNumber](const Week* week) { return week->weekNumber() == weekNumber - 1; });
    return found != ordered.end() ? *found : ordered.last();
}

Week* Year::getFirstWeek() const
{
    return getWeekWithWeekNumber(1);
}

Week* Year::getLastWeek() const
{
    const QList<Week*> ordered = weeksInOrder();
    return ordered.isEmpty() ? nullptr : ordered.last();
}

QList<Course*> Year::courses() const
{
    QList<Course*> ordered = myCourses();
    std::sort(ordered.begin(), ordered.end(), [](const Course* a, const Course* b) {
        return std::pair(a->courseNumber(), a->primaryKey()) < std::pair(b->courseNumber(), b->primaryKey());
    });
    return ordered;
}

Course* Year::getCourseWithName(const QString& courseName) const
{
    for (Course* course : courses()) {
        if (course->courseName() == courseName)
            return course;
    }
    return nullptr;
}

QList<Lesson*> Year::getAllLessons() const
{
    return context().fetch<Lesson>(FetchRequest { QStringLiteral("Lesson"), {}, {} });
}

Lesson* Year::getLessonWithData() const
{
    const QList<Lesson*> lessons = getAllLessons();
    const auto found = std::find_if(lessons.begin(), lessons.end(), [](const Lesson* l) { return l->hasData(); });
    return found != lessons.end() ? *found : nullptr;
}

QList<Lesson*> Year::customLessonsInCourse(const Course* course) const
{
    QList<Lesson*> result = course->lessons();
    result.removeIf([](const Lesson* lesson) { return !lesson->dayTaught() || !lesson->dayTaught()->isCustom(); });
    return result;
}

QList<Day*> Year::getAllDaysWithCourse(const Course* course, Custom includingCustom) const
{
    QList<Day*> result;
    for (const Lesson* lesson : course->lessons()) {
        Day* day = lesson->dayTaught();
        if (day && !result.contains(day) && (includingCustom == Custom::Included || !day->isCustom()))
            result.append(day);
    }
    return result;
}

QList<Lesson*> Year::getLessonsInCourse(Relative relative, const Lesson* lesson) const
{
    if (!lesson->course() || !lesson->dayTaught())
        return {};
    if (relative == Relative::BeforeLesson) {
        const Date date = dayDate(*lesson);
        QList<Lesson*> result = lesson->course()->lessons();
        result.removeIf([&](const Lesson* other) { return !other->dayTaught() || dayDate(*other) > date; });
        std::sort(result.begin(), result.end(), [](const Lesson* a, const Lesson* b) {
            if (dayDate(*a) != dayDate(*b))
                return dayDate(*a) > dayDate(*b);
            return a->primaryKey() < b->primaryKey();
        });
        return result;
    }
    return CourseOrder(*lesson->course()).lessonsFrom(lesson);
}

QList<Lesson*> Year::getLessonsInCourse(const Course* course, Date afterDate, Date beforeDate) const
{
    const Date first = afterDate.midnightDate();
    const Date last = beforeDate.elevenFiftyNineDate();
    QList<Lesson*> result = course->lessons();
    result.removeIf([&](const Lesson* lesson) {
        return !lesson->dayTaught() || dayDate(*lesson) <= first || dayDate(*lesson) >= last;
    });
    ScheduleOrder::sortInCourseOrder(result);
    return result;
}

QList<Unit*> Year::allUnits() const
{
    QList<Unit*> result;
    for (const Course* course : courses())
        result += course->units();
    return result;
}

QList<Standard*> Year::allStandards() const
{
    return context().fetch<Standard>(FetchRequest { QStringLiteral("Standard"), {}, {} });
}

Standard* Year::getStandardWithShortName(const QString& shortName, const QString& text) const
{
    for (Standard* standard : allStandards()) {
        if (standard->shortName() == shortName && standard->text() == text)
            return standard;
    }
    return nullptr;
}

const QList<Year::FieldFlagKeys>& Year::lessonFieldFlagKeys()
{
    static const QList<FieldFlagKeys> keys {
        { QStringLiteral("lessonBody"), QStringLiteral("showTeacher"), QStringLiteral("teacherEnlarged") },
        { QStringLiteral("homework"), QStringLiteral("showHomework"), QStringLiteral("homeworkEnlarged") },
        { QStringLiteral("publicComment"), QStringLiteral("showPublic"), QStringLiteral("publicEnlarged") },
        { QStringLiteral("custom1"), QStringLiteral("showCustom1"), QStringLiteral("custom1Enlarged") },
        { QStringLiteral("custom2"), QStringLiteral("showCustom2"), QStringLiteral("custom2Enlarged") },
        { QStringLiteral("custom3"), QStringLiteral("showCustom3"), QStringLiteral("custom3Enlarged") },
    };
    return keys;
}

QStringList Year::visibleFields() const
{
    QStringList result;
    for (const FieldFlagKeys& keys : lessonFieldFlagKeys()) {
        if (value<bool>(keys.showKey))
            result.append(keys.field);
    }
    return result;
}

template <typename T> T* Year::recordWithPrimaryKey(const QString& entityName, qint64 key) const
{
    return firstOrNull(context().fetch<T>(
        FetchRequest { entityName, [key](const ManagedObject& object) { return object.primaryKey() == key; }, {} }));
}

Course* Year::getCourseWithPrimaryKey(qint64 key) const
{
    return recordWithPrimaryKey<Course>(QStringLiteral("Course"), key);
}

Standard* Year::getStandardWithPrimaryKey(qint64 key) const
{
    return recordWithPrimaryKey<Standard>(QStringLiteral("Standard"), key);
}

Unit* Year::getUnitWithPrimaryKey(qint64 key) const
{
    return recordWithPrimaryKey<Unit>(QStringLiteral("Unit"), key);
}

Lesson* Year::getLessonWithPrimaryKey(qint64 key) const
{
    return recordWithPrimaryKey<Lesson>(QStringLiteral("Lesson"), key);
}
