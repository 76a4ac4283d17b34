#include "model/SyncedRecord.h"

#include "model/RecordCopy.h"

#include <QScopedValueRollback>

void SyncedRecord::willChangeValue(const QString& key)
{
    ManagedObject::willChangeValue(key);
    if (listsKey(keysThatUpdateTime(), key))
        updateTime();
}

// No rule watches the time of a change: the rules are what stamp it.
void SyncedRecord::updateTime()
{
    const int slot = entity().attributeIndex(u"lastUpdated");
    if (slot < 0) {
        setDate(u"lastUpdated", Date::now()); // stops, naming the missing attribute
        return;
    }
    setUnwatchedValueAtSlot(slot, Date::now().secondsSinceReferenceDate());
}

void SyncedRecord::updateTimes(const QList<ManagedObject*>& records)
{
    static const PropertyKey lastUpdatedKey(u"lastUpdated");
    setUnwatchedValues(records, lastUpdatedKey, Date::now().secondsSinceReferenceDate());
}

void SyncedRecord::forgetServiceIdentifiers(const QList<ManagedObject*>& records)
{
    static const PropertyKey syncIDKey(u"syncID");
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
