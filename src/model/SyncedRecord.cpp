#include "model/SyncedRecord.h"

#include "model/RecordCopy.h"

#include <QScopedValueRollback>

void SyncedRecord::willChangeValue(const QString& key)
{
    ManagedObject::willChangeValue(key);
    if (listsKey(keysThatUpdateTime(), key))
        updateTime();
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
