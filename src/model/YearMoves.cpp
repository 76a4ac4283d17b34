#include "foundation/notify/NotificationCenter.h"
#include "model/CourseOrder.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/ModelNotifications.h"
#include "model/Year.h"

QList<Lesson*> Year::bumpChain(Lesson* lesson) const
{
    QList<Lesson*> chain = getLessonsInCourse(Relative::AfterLesson, lesson);
    chain.removeIf([](const Lesson* slot) { return slot->isAnchored(); });
    return chain;
}

// With no movable slot after the lesson there is nowhere to push its
// content: the bump leaves everything as it is rather than erase it.
void Year::bumpLesson(Lesson* lesson)
{
    const QList<Lesson*> chain = bumpChain(lesson);
    if (chain.size() < 2)
        return;
    // One order serves every step: content moves, days and times stay.
    const CourseOrder order(*lesson->course());
    chain.last()->wipe();
    for (qsizetype i = chain.size() - 1; i >= 1; --i) {
        chain[i]->replaceAllDataWithLesson(chain[i - 1], order);
        chain[i]->updateLastUpdatedForAllSubordinates();
    }
    Lesson* emptied = chain.first();
    emptied->wipe();
    emptied->clearAssignments();
    emptied->setStartAndEndTime();
    emptied->updateLastUpdatedForAllSubordinates();
    NotificationCenter::defaultCenter().post(ModelNotifications::lessonClicked, chain[1]);
    NotificationCenter::defaultCenter().post(ModelNotifications::refreshPlanningModes, chain[1]);
}

void Year::bumpAllLessonsOnDay(Day* day)
{
    for (Lesson* lesson : day->lessonsInOrder())
        bumpLesson(lesson);
}

void Year::pullLessonsBack(Lesson* lesson)
{
    const QList<Lesson*> chain = bumpChain(lesson);
    if (chain.isEmpty())
        return;
    const CourseOrder order(*lesson->course());
    for (qsizetype i = 0; i + 1 < chain.size(); ++i) {
        chain[i]->replaceAllDataWithLesson(chain[i + 1], order);
        chain[i]->updateLastUpdatedForAllSubordinates();
    }
    Lesson* emptied = chain.last();
    emptied->wipe();
    // Its assignments went one slot earlier with the rest of its content;
    // keeping them here too would give the class the same work twice.
    emptied->removeGivenAssignments();
    emptied->setStartAndEndTime();
    emptied->updateLastUpdatedForAllSubordinates();
}

Day* Year::shiftLessonsBeforeCreatingHoliday(Day* day)
{
    return day->shiftLessonsBeforeCreatingHoliday();
}
