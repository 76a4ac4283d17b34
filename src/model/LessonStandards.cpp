#include "foundation/notify/NotificationCenter.h"
#include "model/Lesson.h"
#include "model/ModelNotifications.h"
#include "model/Standard.h"
#include "model/StandardInLesson.h"
#include "model/Year.h"
#include "store/ObjectContext.h"

bool Lesson::hasStandard(const Standard* standard) const
{
    return standardInLessonFromStandard(standard) != nullptr;
}

StandardInLesson* Lesson::standardInLessonFromStandard(const Standard* standard) const
{
    for (StandardInLesson* link : objects<StandardInLesson>(u"standards")) {
        if (link->standard() == standard)
            return link;
    }
    return nullptr;
}

StandardInLesson* Lesson::addStandard(Standard* standard)
{
    // A link to a standard that is gone would be saved, exported and
    // printed as an empty entry.
    if (!standard || standard->isDeleted())
        return nullptr;
    auto* link = context().insert<StandardInLesson>(QStringLiteral("StandardInLesson"));
    link->setObject(u"standard", standard);
    link->setObject(u"lesson", this);
    link->updateTime();
    // The lesson views and reports list a lesson's standards.
    NotificationCenter::defaultCenter().post(ModelNotifications::lessonDisplayTextChanged, this);
    return link;
}

void Lesson::removeStandard(StandardInLesson* link)
{
    if (!link)
        return;
    if (Year* lessonYear = year())
        lessonYear->addObjectToDeleteStack(*link, QStringLiteral("lesson_standard"));
    context().deleteObject(link);
    NotificationCenter::defaultCenter().post(ModelNotifications::lessonDisplayTextChanged, this);
}
