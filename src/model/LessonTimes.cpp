#include "model/Day.h"
#include "model/Lesson.h"
#include "model/ScheduleWalk.h"
#include "model/Week.h"
#include "model/Year.h"

namespace {

const QStringView timeKeys[] = { u"startTime", u"endTime" };

} // namespace

void Lesson::fixUpTimes()
{
    const Day* day = dayTaught();
    if (!day)
        return;
    const Date date = day->actualDate();
    for (QStringView key : timeKeys) {
        const std::optional<Date> time = value<std::optional<Date>>(key);
        // Rewriting an unchanged time would mark the document edited each time it opens.
        if (time && time->timeOnDate(date) != *time)
            setDate(key, time->timeOnDate(date));
    }
}

bool Lesson::startsOrEndsDuringLesson(const Lesson& other) const
{
    return other.startTime().isBetween(startTime(), endTime()) || other.endTime().isBetween(startTime(), endTime())
        || (other.startTime() == startTime() && other.endTime() == endTime());
}

void Lesson::setStartAndEndTime()
{
    const Day* day = dayTaught();
    if (!day)
        return;
    const Date date = day->actualDate();
    const Day* model = ScheduleWalk::anotherDayLike(*day);
    const Lesson* twin
        = model ? ScheduleWalk::lessonInCourse(*model, course(), ScheduleWalk::positionOfLesson(*this)) : nullptr;
    for (QStringView key : timeKeys) {
        const std::optional<Date> time = twin ? twin->value<std::optional<Date>>(key) : std::nullopt;
        setDate(key, time ? time->timeOnDate(date) : date);
    }
}

void Year::fixLessonTimes()
{
    for (const Week* week : weeks()) {
        for (const Day* day : week->days()) {
            for (Lesson* lesson : day->lessons())
                lesson->fixUpTimes();
        }
    }
}
