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

namespace {

// Whether the stack holds the whole entry: "12:lesson," is not held by
// "112:lesson,".
bool holdsEntry(const QString& stack, const QString& entry)
{
    for (qsizetype at = stack.indexOf(entry); at >= 0; at = stack.indexOf(entry, at + 1)) {
        if (at == 0 || stack[at - 1] == u',')
            return true;
    }
    return false;
}

} // namespace

// A single entry is looked for in the stored text; only a batch, which may
// add thousands, is worth reading the whole stack into a set.
void Year::addObjectToDeleteStack(const ManagedObject& object, const QString& type)
{
    // Most records of a year never reached the service: tell them apart
    // without copying the value.
    const int idSlot = object.entity().attributeIndex(u"syncID");
    if (idSlot < 0 || !object.valueAtSlot(idSlot).isValid())
        return;
    const QString syncID = object.valueAtSlot(idSlot).toString().trimmed();
    if (syncID.isEmpty())
        return;
    // Built in one allocation: a bump of a synced year builds thousands.
    QString entry;
    entry.reserve(syncID.size() + type.size() + 2);
    entry.append(syncID).append(u':').append(type).append(u',');
    if (m_deleteStackBatch) {
        m_deleteStackBatch->add(entry);
        return;
    }
    const QString stack = deleteStack();
    if (!holdsEntry(stack, entry))
        setValue(u"teacherPhone", stack + entry);
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
    if (!m_added.isEmpty())
        m_year.setValue(u"teacherPhone", m_year.deleteStack() + m_added);
    m_year.m_stackLastRead = m_year.deleteStack();
    m_year.m_entriesLastRead = std::move(*m_entries);
}

void Year::DeleteStackBatch::add(const QString& entry)
{
    if (!m_entries)
        m_entries = m_year.deleteStackEntries();
    if (m_entries->add(entry))
        m_added += entry;
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
