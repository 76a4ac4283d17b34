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

    // The kind and name as lists show them: "(File) name -- (ext)", "(Web) name".
    virtual QString attachmentName() const = 0;
    // A file's last path component, a link's address.
    virtual QString shortFilePath() const = 0;
    // The attachment's line in a report: tab, name, " - " path, ": " notes.
    QString stringForDailyReport() const;

protected:
    const QStringList& keysThatUpdateTime() const override;
};
