#include "planning/LessonWatch.h"

#include "model/Lesson.h"
#include "model/ModelNotifications.h"
#include "planning/PlanningNotifications.h"

namespace {

// Posted with the lesson whose content changed.
const QStringList& namesOfTheLesson()
{
    static const QStringList names { ModelNotifications::lessonDisplayTextChanged, ModelNotifications::lessonChanged,
        ModelNotifications::lessonShouldUpdateSelf, PlanningNotifications::lessonClicked };
    return names;
}

// Posted after changes that may have reached any lesson of the year.
const QStringList& namesOfTheYear()
{
    static const QStringList names { PlanningNotifications::planningModesNeedRefresh,
        ModelNotifications::refreshPlanningModes };
    return names;
}

} // namespace

void LessonWatch::watch(Lesson* lesson, std::function<void()> changed)
{
    m_observers.clear();
    if (!lesson)
        return;
    // A bump posts for every lesson it moves: only this lesson's posts
    // reach the handler.
    for (const QString& name : namesOfTheLesson()) {
        m_observers.observeSource(name, lesson, [lesson, changed](const Notification&) {
            if (!lesson->isDeleted())
                changed();
        });
    }
    const void* scope = &lesson->context();
    for (const QString& name : namesOfTheYear()) {
        m_observers.observe(name, scope, [lesson, changed](const Notification&) {
            if (!lesson->isDeleted())
                changed();
        });
    }
}
