#include "foundation/dates/Clock.h"
#include "foundation/dates/DateFormatting.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/DaySchedule.h"
#include "model/Lesson.h"
#include "model/Year.h"
#include "store/ObjectContext.h"

#include <algorithm>

namespace {

const QString holidayWord = QStringLiteral("Holiday");
const QString cancelledWord = QStringLiteral("Cancelled");

} // namespace

void Day::turnIntoHoliday()
{
    shiftLessonsBeforeCreatingHoliday();
    removeAllLessons();
    setValue(u"isHoliday", true);
    setValue(u"holidayName", holidayWord);
    setValue(u"notes", QString());
}

void Day::turnIntoCancelledDay()
{
    removeAllLessons();
    setValue(u"isCancelled", true);
    setValue(u"holidayName", cancelledWord);
    setValue(u"notes", QString());
}

// The name of the non-school day goes: left behind, it would later become
// the name of a custom day made from this one. Only a rotation slides back
// when a holiday goes; in the other years (whose holidays come from exchange
// files) a holiday is restored as a cancelled day is, with the bells of its
// weekday.
bool Day::restoreNonSchoolDay()
{
    Year* owner = year();
    if (!owner || !isNonSchoolDay())
        return false;
    if (isCancelled() || owner->isNonRotating())
        return restoreInPlace(*owner);
    return restoreSlidingRotationBack(*owner);
}

bool Day::restoreInPlace(const Year& owner)
{
    const Day* model = owner.templateDay(owner.candidatesLikeDay(this), actualDate(), this);
    if (!model)
        return false;
    const int ownType = typeOfDay();
    setValue(u"holidayName", QString());
    makeDayLikeDay(model);
    // A fallback template may be of another type; the rotation keeps this
    // day's place.
    setValue(u"typeOfDay", ownType);
    return true;
}

// The last school day's new bells are read before anything moves, so that a
// restore with no day to copy changes nothing. Held as values, they survive
// the move of the very lessons they were read from.
bool Day::restoreSlidingRotationBack(const Year& owner)
{
    QList<Day*> following { this };
    following += owner.getDaysIncludingAndAfter(this);
    Day* last = following.last();
    const Day* model = last->nextTypeTemplate();
    if (!model)
        return false;
    const DaySchedule lastBells = DaySchedule::of(*model);
    setValue(u"isHoliday", false);
    setValue(u"holidayName", QString());
    for (qsizetype i = 0; i + 1 < following.size(); ++i) {
        following[i]->shiftLessonsFrom(following[i + 1]);
        following[i]->takeInformationFrom(following[i + 1]);
    }
    last->becomeLastDayLike(lastBells);
    return true;
}

void Day::makeDayLikeDay(const Day* templateDay)
{
    makeDayLike(DaySchedule::of(*templateDay));
}

void Day::makeDayLike(const DaySchedule& schedule)
{
    for (const DaySchedule::Meeting& meeting : schedule.meetings) {
        Lesson* lesson = addLessonInCourse(meeting.course);
        lesson->setValue(u"lessonPosition", meeting.position);
        lesson->setDate(u"startTime", meeting.start);
        lesson->setDate(u"endTime", meeting.end);
        lesson->fixUpTimes();
        lesson->updateTime();
    }
    setValue(u"isCancelled", false);
    setValue(u"isHoliday", false);
    setValue(u"isCustom", schedule.isCustom);
    setValue(u"typeOfDay", schedule.typeOfDay);
    updateTime();
}

int Day::nextDayType() const
{
    const Year* owner = year();
    return owner && typeOfDay() + 1 < owner->repeatInterval() ? typeOfDay() + 1 : 0;
}

const Day* Day::nextTypeTemplate() const
{
    const Year* owner = year();
    if (!owner)
        return nullptr;
    const QList<Day*> candidates = owner->isNonRotating()
        ? owner->candidatesLikeDay(this)
        : owner->getAllDaysWithType(nextDayType(), Year::Custom::Excluded);
    return owner->templateDay(candidates, actualDate(), this);
}

void Day::becomeLastDayLike(const DaySchedule& schedule)
{
    const int nextType = nextDayType();
    removeAllLessons();
    makeDayLike(schedule);
    setValue(u"typeOfDay", nextType);
}

bool Day::makeLastDay()
{
    const Day* model = nextTypeTemplate();
    if (!model)
        return false;
    becomeLastDayLike(DaySchedule::of(*model));
    return true;
}

Lesson* Day::addLessonInCourse(Course* course)
{
    auto* lesson = context().insert<Lesson>(QStringLiteral("Lesson"));
    lesson->setObject(u"course", course);
    lesson->setValue(u"lessonPosition", int(lessons().size()));
    const Date date = actualDate();
    const Date start = Clock::now().timeOnDate(date);
    lesson->setDate(u"startTime", start);
    lesson->setDate(u"endTime", std::min(start.addingSeconds(3600), date.elevenFiftyNineDate()));
    lesson->setObject(u"dayTaught", this);
    lesson->updateTime();
    // A new meeting changes the day for the online service too.
    updateTime();
    return lesson;
}

// A name of blanks names nothing: the day is called by its kind. The store
// keeps holidayType as a number for older files; only text there is a title.
QString Day::holidayTitle() const
{
    const QVariant type = value(u"holidayType");
    if (type.typeId() == QMetaType::QString && !type.toString().trimmed().isEmpty())
        return type.toString();
    if (!holidayName().trimmed().isEmpty())
        return holidayName();
    return isHoliday() ? holidayWord : cancelledWord;
}

QString Day::holidayStripped() const
{
    QString title = holidayTitle();
    return title.replace(QLatin1Char('"'), QStringLiteral("\\\""));
}

QString Day::customDayName() const
{
    const QString name = holidayName();
    return name.isEmpty() ? QStringLiteral("Custom Day") : name;
}

QString Day::newCustomName() const
{
    for (int i = 1;; ++i) {
        const QString name = QStringLiteral("Custom Day %1").arg(i);
        if (!customDayExistsWithName(name))
            return name;
    }
}

bool Day::customDayExistsWithName(const QString& name) const
{
    const Year* owner = year();
    if (!owner)
        return false;
    const QList<Day*> custom = owner->getAllCustomDays();
    return std::any_of(custom.begin(), custom.end(), [&](const Day* day) { return day->holidayName() == name; });
}

void Day::removeLessonInCourse(const Course* course)
{
    for (Lesson* lesson : lessonsInCourse(course))
        removeLesson(lesson);
}

// The template is drawn before the day is emptied, and never is the day
// itself. It must be a regular day of the chosen type or weekday: the day is
// labelled by that choice, so another day's bells would mislabel it.
bool Day::convertToDayType(int type)
{
    Year* owner = year();
    if (!owner)
        return false;
    const Day* model = owner->exactTemplateDay(owner->getAllDaysWithType(type, Year::Custom::Excluded), this);
    if (!model)
        return false;
    removeAllLessons();
    makeDayLikeDay(model);
    setValue(u"typeOfDay", type);
    setValue(u"isCustom", false);
    return true;
}

bool Day::convertToWeekday(const QString& weekdayName)
{
    Year* owner = year();
    if (!owner)
        return false;
    const QList<Day*> candidates = owner->getAllDaysWithDayOfWeek(weekdayName, Year::Custom::Excluded);
    const Day* model = owner->exactTemplateDay(candidates, this);
    if (!model)
        return false;
    removeAllLessons();
    makeDayLikeDay(model);
    setValue(u"isCustom", weekdayName != weekDayName());
    return true;
}
