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

    // The name with the kind in front: "(File) …" or "(Web) …".
    virtual QString attachmentName() const = 0;
    // The file's name, or the link's address.
    virtual QString shortFilePath() const = 0;
    // The type word the online service knows a deleted record of this kind by.
    virtual QString deleteStackType() const = 0;
    // One line of the daily report: the name, where it points, the notes.
    QString stringForDailyReport() const;

protected:
    const QStringList& keysThatUpdateTime() const override;
};
