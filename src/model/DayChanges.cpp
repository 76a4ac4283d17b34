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
// the name of a custom day made from this one.
bool Day::restoreNonSchoolDay()
{
    Year* owner = year();
    if (!owner)
        return false;
    if (isCancelled()) {
        const Day* model = owner->templateDay(owner->candidatesLikeDay(this), actualDate(), this);
        if (!model)
            return false;
        const int ownType = typeOfDay();
        setValue(u"isCancelled", false);
        setValue(u"holidayName", QString());
        makeDayLikeDay(model);
        // A fallback template may be of another type; the rotation keeps this
        // day's place.
        setValue(u"typeOfDay", ownType);
        return true;
    }
    if (!isHoliday())
        return false;
    setValue(u"isHoliday", false);
    setValue(u"holidayName", QString());
    const QList<Day*> following = owner->getDaysIncludingAndAfter(this);
    for (qsizetype i = 0; i + 1 < following.size(); ++i) {
        following[i]->shiftLessonsFrom(following[i + 1]);
        following[i]->takeInformationFrom(following[i + 1]);
    }
    return following.last()->makeLastDay();
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

bool Day::makeLastDay()
{
    Year* owner = year();
    if (!owner)
        return false;
    const int nextType = typeOfDay() + 1 < owner->repeatInterval() ? typeOfDay() + 1 : 0;
    const QList<Day*> candidates = owner->isNonRotating() ? owner->candidatesLikeDay(this)
                                                          : owner->getAllDaysWithType(nextType, Year::Custom::Excluded);
    const Day* model = owner->templateDay(candidates, actualDate(), this);
    if (!model)
        return false;
    removeAllLessons();
    makeDayLikeDay(model);
    setValue(u"typeOfDay", nextType);
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

// The template is drawn before the day is emptied, and never is the day itself.
bool Day::convertToDayType(int type)
{
    Year* owner = year();
    if (!owner)
        return false;
    const Day* model = owner->templateDay(owner->getAllDaysWithType(type, Year::Custom::Excluded), actualDate(), this);
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
    const Day* model = owner->templateDay(candidates, actualDate(), this);
    if (!model)
        return false;
    removeAllLessons();
    makeDayLikeDay(model);
    setValue(u"isCustom", weekdayName != weekDayName());
    return true;
}
