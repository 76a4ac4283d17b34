#pragma once

#include "model/SyncedRecord.h"

// What every attached file and web link shares: a name, notes and whether
// it is published.
class Attachment : public SyncedRecord {
public:
    using SyncedRecord::SyncedRecord;

    QString name() const { return value<QString>(u"name"); }
    QString notes() const { return value<QString>(u"notes"); }
    bool isPublished() const { return value<bool>(u"publish"); }
    void updateLastUpdated() { updateTime(); }

protected:
    const QStringList& keysThatUpdateTime() const override;
};
