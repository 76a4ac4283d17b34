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
    if (m_deleteStackBatch) {
        m_deleteStackBatch->add(entry);
        return;
    }
    DeleteStackBatch single(*this);
    single.add(entry);
}

Year::DeleteStackBatch::DeleteStackBatch(Year& year)
    : m_year(year)
    , m_outermost(!year.m_deleteStackBatch)
{
    if (!m_outermost)
        return;
    year.m_deleteStackBatch = this;
    for (const QString& entry : year.deleteStack().split(u',', Qt::SkipEmptyParts))
        m_entries.insert(entry + u',');
}

Year::DeleteStackBatch::~DeleteStackBatch()
{
    if (!m_outermost)
        return;
    m_year.m_deleteStackBatch = nullptr;
    if (!m_added.isEmpty())
        m_year.setValue(u"teacherPhone", m_year.deleteStack() + m_added);
}

void Year::DeleteStackBatch::add(const QString& entry)
{
    if (m_entries.contains(entry))
        return;
    m_entries.insert(entry);
    m_added += entry;
}

QList<Course*> Year::myCourses() const
{
    return objects<Course>(u"myCourses");
}

QList<Week*> Year::weeks() const
{
    return objects<Week>(u"weeks");
}
