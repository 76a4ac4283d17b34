#pragma once

#include "model/SyncedRecord.h"

class Lesson;
class Year;

// Work given in one lesson and due in another.
class Assignment : public SyncedRecord {
public:
    using SyncedRecord::SyncedRecord;

    QString title() const { return value<QString>(u"title"); }
    int points() const { return value<int>(u"points"); }
    Lesson* assignedLesson() const;
    Lesson* dueLesson() const;
    Year* year() const;

protected:
    const QStringList& keysThatUpdateTime() const override;
};
