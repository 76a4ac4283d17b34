#pragma once

#include "model/SyncedRecord.h"

// A node of the year's learning-standards tree.
class Standard : public SyncedRecord {
public:
    using SyncedRecord::SyncedRecord;

    QString shortName() const { return value<QString>(u"shortName"); }
    QString text() const { return value<QString>(u"text"); }
    bool isRootItem() const { return value<bool>(u"isRootItem"); }
    Standard* parent() const { return object<Standard>(u"parent"); }
    QList<Standard*> children() const { return objects<Standard>(u"children"); }

protected:
    const QStringList& keysThatUpdateTime() const override;
};
