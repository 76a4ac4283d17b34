#include "foundation/random/RandomSource.h"
#include "model/Day.h"
#include "model/Lesson.h"
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

// The template is drawn among the other days like this one, so a day with no
// twin ends the search at once.
void Lesson::setStartAndEndTime()
{
    if (dayTaught() && year())
        setStartAndEndTime(year()->candidatesLikeDay(dayTaught()));
}

void Lesson::setStartAndEndTime(QList<Day*> candidates)
{
    Day* day = dayTaught();
    if (!day)
        return;
    candidates.removeAll(day);
    if (candidates.isEmpty())
        return;
    const Day* templateDay = candidates[RandomSource::shared().uniform(std::uint32_t(candidates.size()))];
    const Lesson* model = templateDay->lessonInCourse(course(), day->positionOfLesson(this));
    if (!model)
        return;
    const Date date = day->actualDate();
    const auto onThisDay = [date](std::optional<Date> time) { return time ? std::optional(time->timeOnDate(date)) : time; };
    setDate(u"startTime", onThisDay(model->startTime()));
    setDate(u"endTime", onThisDay(model->endTime()));
}

std::optional<double> Lesson::length() const
{
    const std::optional<Date> start = startTime();
    const std::optional<Date> end = endTime();
    if (!start || !end)
        return std::nullopt;
    return end->timeIntervalSince(*start);
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
