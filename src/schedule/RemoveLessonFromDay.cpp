#include "schedule/RemoveLessonFromDay.h"

#include "foundation/alerts/AlertPresenter.h"
#include "foundation/notify/NotificationCenter.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/Year.h"
#include "planning/PlanningNotifications.h"

namespace {

// Chosen before anything changes: the course's next lesson, else its previous one.
Lesson* neighbourInCourse(const Lesson& lesson)
{
    const QList<Lesson*> all = lesson.course()->allLessonsInOrder();
    const qsizetype index = all.indexOf(&lesson);
    if (index + 1 < all.size())
        return all[index + 1];
    return index > 0 ? all[index - 1] : nullptr;
}

void announce(Day& day, bool wasOnlyLesson, Lesson* neighbour)
{
    NotificationCenter& center = NotificationCenter::defaultCenter();
    center.post(PlanningNotifications::planningModesNeedRefresh, &day);
    if (wasOnlyLesson) {
        center.post(PlanningNotifications::clearSelectedLesson, &day);
        center.post(PlanningNotifications::noLessonsClicked, &day);
        return;
    }
    Lesson* selected = day.firstVisibleLesson();
    if (!selected)
        selected = neighbour;
    if (selected)
        center.post(PlanningNotifications::lessonClicked, selected);
}

} // namespace

namespace RemoveLessonFromDay {

bool cancelLessonPressed(Lesson& lesson, AlertPresenter& alerts)
{
    Day* day = lesson.dayTaught();
    if (!day || !lesson.course())
        return false;
    Lesson* neighbour = neighbourInCourse(lesson);
    const bool wasOnlyLesson = day->lessons().size() == 1;
    if (lesson.hasData()) {
        const int answer = alerts.runModal({ QStringLiteral("Delete or Bump Current Lesson?"),
            QStringLiteral("Do you want to bump or delete the existing lesson before removing this class?"),
            QStringLiteral("Bump"), QStringLiteral("Cancel"), QStringLiteral("Delete") });
        if (answer == AlertAlternateReturn)
            return false;
        remove(lesson, answer == AlertDefaultReturn ? Content::Bump : Content::Delete);
    } else {
        const int answer = alerts.runModal({ QStringLiteral("Really Remove This Lesson?"),
            QStringLiteral("Do you want to remove the lesson in course %1 from %2")
                .arg(lesson.course()->courseName(), day->mediumDateString()),
            QStringLiteral("Remove Lesson"), QStringLiteral("Cancel"), QString() });
        if (answer != AlertDefaultReturn)
            return false;
        remove(lesson, Content::Delete);
    }
    announce(*day, wasOnlyLesson, neighbour);
    return true;
}

// A day that held content keeps its name when it becomes custom; an empty
// meeting taken off a day gives it a new custom name.
void remove(Lesson& lesson, Content content)
{
    Day& day = *lesson.dayTaught();
    const bool hadData = lesson.hasData();
    if (hadData && content == Content::Bump)
        day.year()->bumpLesson(&lesson, Year::BumpedSlot::GoesAway);
    if (!hadData)
        day.setValue(u"holidayName", day.newCustomName());
    day.setValue(u"isCustom", true);
    day.removeLesson(&lesson);
}

} // namespace RemoveLessonFromDay
