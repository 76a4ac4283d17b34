#include "foundation/dates/Clock.h"
#include "foundation/notify/NotificationCenter.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/ModelNotifications.h"
#include "model/Year.h"

#include <QHash>

// A lesson whose slot goes away has no place left to be locked to: its
// content leads the chain whatever its lock says.
Year::BumpChain Year::bumpChain(Lesson* lesson, BumpedSlot slot) const
{
    if (!lesson->course())
        return {};
    BumpChain result { CourseOrder(*lesson->course()), {}, {} };
    result.fromLesson = result.order.lessonsFrom(lesson);
    result.movable = result.fromLesson;
    const Lesson* leaving = slot == BumpedSlot::GoesAway ? lesson : nullptr;
    result.movable.removeIf([leaving](const Lesson* other) { return other != leaving && other->isAnchored(); });
    return result;
}

namespace {

// The days like a given day, looked up once for every lesson of a move:
// the days themselves do not change while content moves.
class DaysLikeDay {
public:
    explicit DaysLikeDay(const Year& year)
        : m_year(year)
    {
    }

    const QList<Day*>& of(const Day* day)
    {
        auto found = m_found.find(day);
        if (found == m_found.end())
            found = m_found.insert(day, m_year.candidatesLikeDay(day));
        return *found;
    }

private:
    const Year& m_year;
    QHash<const Day*, QList<Day*>> m_found;
};

// Moves the content along the chain one slot later, emptying its first slot.
// With no movable slot after the lesson there is nowhere to push its
// content: the move leaves everything as it is rather than erase it.
// Answers the slot that took the lesson's content, or none.
Lesson* moveContentOneSlotLater(const Year::BumpChain& bump, DaysLikeDay& daysLike)
{
    const QList<Lesson*>& chain = bump.movable;
    if (chain.size() < 2)
        return nullptr;
    chain.last()->wipe();
    Lesson::shiftContentAlong(chain, bump.order);
    Lesson* emptied = chain.first();
    emptied->wipe();
    // The work due in the emptied slot goes to the course's next slot,
    // anchored or not.
    emptied->clearAssignments(bump.fromLesson.size() < 2 ? nullptr : bump.fromLesson[1]);
    emptied->setStartAndEndTime(daysLike.of(emptied->dayTaught()));
    emptied->updateLastUpdatedForAllSubordinates();
    return chain[1];
}

void postBumped(Lesson* moved)
{
    NotificationCenter::defaultCenter().post(ModelNotifications::lessonClicked, moved);
    NotificationCenter::defaultCenter().post(ModelNotifications::refreshPlanningModes, moved);
}

} // namespace

void Year::bumpLesson(Lesson* lesson, BumpedSlot slot)
{
    const Clock::Held oneInstant;
    const DeleteStackBatch deletions(*this);
    DaysLikeDay daysLike(*this);
    if (Lesson* moved = moveContentOneSlotLater(bumpChain(lesson, slot), daysLike))
        postBumped(moved);
}

// The views redraw once for the whole day rather than once per course.
void Year::bumpAllLessonsOnDay(Day* day)
{
    const Clock::Held oneInstant;
    const DeleteStackBatch deletions(*this);
    DaysLikeDay daysLike(*this);
    Lesson* lastMoved = nullptr;
    for (Lesson* lesson : day->lessonsInOrder()) {
        if (Lesson* moved = moveContentOneSlotLater(bumpChain(lesson, BumpedSlot::GoesAway), daysLike))
            lastMoved = moved;
    }
    if (lastMoved)
        postBumped(lastMoved);
}

void Year::pullLessonsBack(Lesson* lesson)
{
    const BumpChain bump = bumpChain(lesson);
    const QList<Lesson*>& chain = bump.movable;
    if (chain.isEmpty())
        return;
    const Clock::Held oneInstant;
    const DeleteStackBatch deletions(*this);
    QList<Lesson*> backwards = chain;
    std::reverse(backwards.begin(), backwards.end());
    Lesson::shiftContentAlong(backwards, bump.order);
    Lesson* emptied = chain.last();
    emptied->wipe();
    emptied->setStartAndEndTime();
    emptied->updateLastUpdatedForAllSubordinates();
}

Day* Year::shiftLessonsBeforeCreatingHoliday(Day* day)
{
    return day->shiftLessonsBeforeCreatingHoliday();
}
