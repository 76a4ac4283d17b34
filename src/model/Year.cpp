#include "model/Year.h"

#include "model/Course.h"
#include "model/LessonReportInformation.h"
#include "model/PublishInfo.h"
#include "model/Week.h"
#include "store/ObjectContext.h"

#include <utility>

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
    // Most records of a year never reached the service: tell them apart
    // without copying the value.
    const int idSlot = object.entity().attributeIndex(u"syncID");
    if (idSlot < 0 || !object.valueAtSlot(idSlot).isValid())
        return;
    const QString id = object.valueAtSlot(idSlot).toString();
    const QStringView syncID = QStringView(id).trimmed();
    if (syncID.isEmpty())
        return;
    if (m_deleteStackBatch) {
        m_deleteStackBatch->add(syncID, type);
        return;
    }
    DeleteStackEntries entries(deleteStack());
    if (entries.add(syncID, type))
        setValue(u"teacherPhone", entries.text());
}

Year::DeleteStackBatch::DeleteStackBatch(Year& year)
    : m_year(year)
    , m_outermost(!year.m_deleteStackBatch)
{
    if (m_outermost)
        year.m_deleteStackBatch = this;
}

Year::DeleteStackBatch::~DeleteStackBatch()
{
    if (!m_outermost)
        return;
    m_year.m_deleteStackBatch = nullptr;
    if (!m_entries)
        return;
    if (m_grew)
        m_year.setValue(u"teacherPhone", m_entries->text());
    m_year.m_stackLastRead = m_year.deleteStack();
    m_year.m_entriesLastRead = std::move(*m_entries);
}

void Year::DeleteStackBatch::add(QStringView syncID, QStringView type)
{
    if (!m_entries)
        m_entries = m_year.deleteStackEntries();
    if (m_entries->add(syncID, type))
        m_grew = true;
}

// A bump of a synced year queues thousands of entries, and the day change
// that follows it adds to them: the entries the last batch knew are taken
// over while the stack is still the text it left.
DeleteStackEntries Year::deleteStackEntries()
{
    const QString stack = deleteStack();
    if (stack == m_stackLastRead)
        return std::exchange(m_entriesLastRead, {});
    return DeleteStackEntries(stack);
}

QList<Course*> Year::myCourses() const
{
    return objects<Course>(u"myCourses");
}

QList<Week*> Year::weeks() const
{
    return objects<Week>(u"weeks");
}
