#include "model/Year.h"

#include "model/Course.h"
#include "model/LessonReportInformation.h"
#include "model/PublishInfo.h"
#include "model/Week.h"
#include "store/ObjectContext.h"

PublishInfo* Year::publish() const
{
    return object<PublishInfo>(u"publish");
}

LessonReportInformation* Year::lessonReportInformation()
{
    if (auto* existing = object<LessonReportInformation>(u"lessonReportInformation"))
        return existing;
    auto* created = context().insert<LessonReportInformation>(QStringLiteral("LessonReportInformation"));
    created->setDate(u"startDateForDaily", startDate());
    created->setDate(u"endDateForDaily", startDate());
    created->setDefaults();
    setObject(u"lessonReportInformation", created);
    return created;
}

void Year::addObjectToDeleteStack(const ManagedObject& object, const QString& type)
{
    const QString syncID = object.value<QString>(u"syncID").trimmed();
    if (syncID.isEmpty())
        return;
    const QString entry = QStringLiteral("%1:%2,").arg(syncID, type);
    const QString stack = deleteStack();
    if (!stack.contains(entry))
        setValue(u"teacherPhone", stack + entry);
}

QList<Course*> Year::myCourses() const
{
    return objects<Course>(u"myCourses");
}

QList<Week*> Year::weeks() const
{
    return objects<Week>(u"weeks");
}
