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
    const QString entry = QStringLiteral("%1:%2,").arg(syncID, type);
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
    if (!m_added.isEmpty())
        m_year.setValue(u"teacherPhone", m_year.deleteStack() + m_added);
}

void Year::DeleteStackBatch::add(const QString& entry)
{
    if (!m_entries) {
        const QStringList held = m_year.deleteStack().split(u',', Qt::SkipEmptyParts);
        m_entries.emplace();
        m_entries->reserve(held.size() * 2);
        for (const QString& heldEntry : held)
            m_entries->insert(heldEntry + u',');
    }
    if (m_entries->contains(entry))
        return;
    m_entries->insert(entry);
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
