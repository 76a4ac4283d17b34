#pragma once

#include "model/SyncedRecord.h"

class Lesson;
class Standard;

// The link of one standard to one lesson, with how the lesson addresses it.
class StandardInLesson : public SyncedRecord {
public:
    using SyncedRecord::SyncedRecord;

    QString implementationNotes() const { return value<QString>(u"implementationNotes"); }
    Lesson* lesson() const;
    Standard* standard() const;

protected:
    const QStringList& keysThatUpdateTime() const override;
};
