#include "model/SyncedRecord.h"

#include "model/RecordCopy.h"

#include <QScopedValueRollback>

void SyncedRecord::willChangeValue(const QString& key)
{
    ManagedObject::willChangeValue(key);
    if (listsKey(keysThatUpdateTime(), key))
        updateTime();
}

namespace {

const PropertyKey lastUpdatedKey(u"lastUpdated");
const PropertyKey syncIDKey(u"syncID");

} // namespace

// No rule watches the time of a change: the rules are what stamp it.
void SyncedRecord::updateTime()
{
    setUnwatchedValue(lastUpdatedKey, Date::now().secondsSinceReferenceDate());
}

void SyncedRecord::updateTimes(const QList<ManagedObject*>& records)
{
    setUnwatchedValues(records, lastUpdatedKey, Date::now().secondsSinceReferenceDate());
}

void SyncedRecord::forgetServiceIdentifiers(const QList<ManagedObject*>& records)
{
    setUnwatchedValues(records, syncIDKey, QVariant());
}

const QStringList& SyncedRecord::keysThatUpdateTime() const
{
    static const QStringList none;
    return none;
}

void SyncedRecord::copyAttributesFrom(const SyncedRecord& source, const QStringList& except)
{
    const QScopedValueRollback copying(m_copyingAttributes, true);
    RecordCopy::copyAttributes(source, *this, except);
}
