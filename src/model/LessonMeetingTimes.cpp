#include "foundation/random/RandomSource.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/Year.h"

void Lesson::fixUpTimes()
{
    const Day* day = dayTaught();
    if (!day)
        return;
    setDate(u"startTime", startTime().timeOnDate(day->actualDate()));
    setDate(u"endTime", endTime().timeOnDate(day->actualDate()));
}

// The template is drawn among the other days like this one, so a day with no
// twin ends the search at once: its lesson gets midnight times.
void Lesson::setStartAndEndTime()
{
    Day* day = dayTaught();
    if (!day || !year())
        return;
    QList<Day*> candidates = year()->candidatesLikeDay(day);
    candidates.removeAll(day);
    const Lesson* model = nullptr;
    if (!candidates.isEmpty()) {
        const Day* templateDay = candidates[RandomSource::shared().uniform(std::uint32_t(candidates.size()))];
        model = templateDay->lessonInCourse(course(), day->positionOfLesson(this));
    }
    setDate(u"startTime", model ? model->startTime().timeOnDate(day->actualDate()) : day->actualDate());
    setDate(u"endTime", model ? model->endTime().timeOnDate(day->actualDate()) : day->actualDate());
}
