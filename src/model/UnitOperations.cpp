#include "model/Course.h"
#include "model/Lesson.h"
#include "model/ScheduleOrder.h"
#include "model/Unit.h"
#include "store/ObjectContext.h"

#include <QHash>

#include <functional>

bool Unit::containsLesson(const Lesson* lesson) const
{
    return lesson && lesson->unit() == this;
}

QList<Lesson*> Unit::allLessonsInOrder() const
{
    QList<Lesson*> ordered = lessons();
    ScheduleOrder::sortInCourseOrder(ordered);
    return ordered;
}

bool Unit::changeUnitNameTo(const QString& newName)
{
    if (newName.isEmpty())
        return false;
    if (const Course* owner = course()) {
        const Unit* namesake = owner->unitWithName(newName);
        if (namesake && namesake != this)
            return false;
    }
    setValue(u"unitName", newName);
    return true;
}

// The stretch of targets may overlap the unit's own lessons (a unit dropped
// onto itself or just before itself). A source overwritten before it is read
// would hand on new content and lose its standards, attachments and
// assignments, so each copy waits until the copy that reads its target has
// run. Positions in the course only grow along both lists, so these waits
// never form a cycle. A target that is its own source keeps its content and
// only joins the new unit.
bool Unit::makeCopyOfUnit(const Unit* source, Lesson* first, AlertPresenter& alerts)
{
    const QList<Lesson*> sources = source->allLessonsInOrder();
    const Course* targetCourse = first->course();
    if (!targetCourse || sources.isEmpty())
        return false;
    const QList<Lesson*> targets = targetCourse->returnLessonsFollowing(first, int(sources.size()), alerts);
    if (targets.isEmpty())
        return false;
    QHash<const Lesson*, qsizetype> sourcePlaces;
    for (qsizetype i = 0; i < sources.size(); ++i)
        sourcePlaces.insert(sources[i], i);
    QList<bool> done(targets.size(), false);
    const std::function<void(qsizetype)> copyInto = [&](qsizetype i) {
        if (done[i])
            return;
        done[i] = true;
        const qsizetype readsThisTarget = sourcePlaces.value(targets[i], -1);
        if (readsThisTarget >= 0 && readsThisTarget != i)
            copyInto(readsThisTarget);
        if (targets[i] != sources[i])
            targets[i]->copyUserInformationFrom(sources[i], Lesson::CopyUnit::No);
        targets[i]->setObject(u"unit", this);
    };
    for (qsizetype i = targets.size() - 1; i >= 0; --i)
        copyInto(i);
    return true;
}

QString Course::firstFreeUnitName(const QString& base) const
{
    if (!hasUnitWithName(base))
        return base;
    for (int counter = 1;; ++counter) {
        const QString candidate = QStringLiteral("%1 %2").arg(base).arg(counter);
        if (!hasUnitWithName(candidate))
            return candidate;
    }
}

Unit* Course::makeCopyOfUnit(const Unit* source)
{
    return addUnitWithName(firstFreeUnitName(source->unitName()));
}

void Course::deleteUnit(Unit* unit)
{
    for (Lesson* lesson : unit->lessons())
        lesson->setObject(u"unit", nullptr);
    context().deleteObject(unit);
}

void Course::deleteAllUnits()
{
    for (Unit* unit : units())
        deleteUnit(unit);
}
