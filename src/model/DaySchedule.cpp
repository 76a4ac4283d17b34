#include "model/DaySchedule.h"

#include "model/Day.h"
#include "model/Lesson.h"

DaySchedule DaySchedule::of(const Day& day)
{
    DaySchedule schedule;
    for (const Lesson* lesson : day.lessonsInOrder())
        schedule.meetings.append(
            { lesson->course(), lesson->lessonPosition(), lesson->startTime(), lesson->endTime() });
    schedule.typeOfDay = day.typeOfDay();
    schedule.isCustom = day.isCustom();
    return schedule;
}
