#include "model/SyncedRecord.h"

void SyncedRecord::willChangeValue(const QString& key)
{
    ManagedObject::willChangeValue(key);
    if (keysThatUpdateTime().contains(key))
        updateTime();
}

const QStringList& SyncedRecord::keysThatUpdateTime() const
{
    static const QStringList none;
    return none;
}
