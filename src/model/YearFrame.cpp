#include "foundation/dates/DateFormatting.h"
#include "foundation/dates/LocalCalendar.h"
#include "model/Day.h"
#include "model/DaySchedule.h"
#include "model/Week.h"
#include "model/Year.h"
#include "store/ObjectContext.h"

namespace {

// Weeks move by seven calendar days, not by 604800 seconds: across a clock
// change the new days must still fall on local midnights.
constexpr int daysInWeek = 7;

int wrappedType(int type, int interval)
{
    return interval > 0 ? ((type % interval) + interval) % interval : 0;
}

} // namespace

QList<Day*> Year::schoolDaysInOrder() const
{
    const Day* first = getFirstDay();
    return first ? getDaysIncludingAndAfter(first) : QList<Day*>();
}

Day* Year::insertNewDay(Week& week, Date date, int dayType)
{
    const QList<Day*> candidates = isNonRotating()
        ? getAllDaysWithDayOfWeek(DateFormatting::weekdayName(date), Custom::Excluded)
        : getAllDaysWithType(dayType, Custom::Excluded);
    const Day* model = templateDay(candidates, date, nullptr);
    auto* day = context().insert<Day>(QStringLiteral("Day"));
    day->setDate(u"actualDate", date);
    day->setValue(u"isHoliday", false);
    day->setValue(u"isCancelled", false);
    day->setValue(u"holidayName", QString());
    day->setObject(u"week", &week);
    if (model)
        day->makeDayLikeDay(model);
    if (!isNonRotating())
        day->setValue(u"typeOfDay", dayType);
    return day;
}

// Every new day is a school day, even where the day it copies is not; in a
// rotating year the new days count back from the first school day.
bool Year::insertWeekAtBeginning()
{
    Week* first = getFirstWeek();
    const QList<Day*> schoolDays = schoolDaysInOrder();
    if (!first || schoolDays.isEmpty())
        return false;
    const QList<Day*> model = first->daysInOrder();
    for (Week* week : weeks())
        week->setValue(u"weekNumber", week->weekNumber() + 1);
    auto* week = context().insert<Week>(QStringLiteral("Week"));
    week->setValue(u"weekNumber", 1);
    week->setObject(u"year", this);
    int type = schoolDays.first()->typeOfDay() - int(model.size());
    for (const Day* day : model)
        insertNewDay(
            *week, LocalCalendar::addingDays(day->actualDate(), -daysInWeek), wrappedType(type++, repeatInterval()));
    setDate(u"startDate", LocalCalendar::addingDays(startDate(), -daysInWeek));
    return true;
}

// The end date keeps its meaning, the midnight after the year's grid, so it
// moves by a week like the days.
bool Year::extendYearByOneWeek()
{
    Week* last = getLastWeek();
    const QList<Day*> schoolDays = schoolDaysInOrder();
    if (!last || schoolDays.isEmpty())
        return false;
    const QList<Day*> model = last->daysInOrder();
    auto* week = context().insert<Week>(QStringLiteral("Week"));
    week->setValue(u"weekNumber", last->weekNumber() + 1);
    week->setObject(u"year", this);
    int type = schoolDays.last()->typeOfDay();
    for (const Day* day : model)
        insertNewDay(
            *week, LocalCalendar::addingDays(day->actualDate(), daysInWeek), wrappedType(++type, repeatInterval()));
    setDate(u"endDate", LocalCalendar::addingDays(endDate(), daysInWeek));
    return true;
}

// The templates are plain descriptions: the days they are read from are among
// those rebuilt.
bool Year::restartRotation(const Day* day, int dayType)
{
    const QList<Day*> models = getOneDayOfEachDayInRotationCanBeCustom(Custom::Excluded);
    if (isNonRotating() || models.size() != repeatInterval() || dayType < 0 || dayType >= repeatInterval())
        return false;
    // One day per type, found in type order, so template i is of type i.
    QList<DaySchedule> templates;
    for (const Day* model : models)
        templates.append(DaySchedule::of(*model));
    int type = dayType;
    for (Day* schoolDay : getDaysIncludingAndAfter(day)) {
        schoolDay->removeAllLessons();
        schoolDay->makeDayLike(templates[type]);
        type = (type + 1) % int(templates.size());
    }
    return true;
}
