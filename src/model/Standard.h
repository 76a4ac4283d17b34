#pragma once

#include "model/SyncedRecord.h"

#include <QVariantList>

class Lesson;
class StandardSeeds;
class Year;

// A node of the year's learning-standards tree.
class Standard : public SyncedRecord {
public:
    using SyncedRecord::SyncedRecord;

    QString shortName() const { return value<QString>(u"shortName"); }
    QString text() const { return value<QString>(u"text"); }
    bool isRootItem() const { return value<bool>(u"isRootItem"); }
    Standard* parent() const { return object<Standard>(u"parent"); }
    QList<Standard*> children() const { return objects<Standard>(u"children"); }
    // The year the standard belongs to, found through its ancestors when the
    // standard itself was made without one.
    Year* owningYear() const;

    // Children are always listed in ascending shortName order.
    int numberOfChildren() const { return int(objects(u"children").size()); }
    Standard* childAtIndex(int index) const;
    QList<Standard*> sortedChildren() const;
    // The whole subtree, each parent before its children.
    QList<Standard*> selfAndChildren() const;
    // The lessons linked to any standard of the subtree, once per link.
    QList<Lesson*> getAllLessonsMatchingStandard() const;
    // Appends this standard's standards-file entry, then its children's.
    void dictForExportWithParent(const QString& parentSeed, QVariantList& intoArray, StandardSeeds& seeds) const;
    // Deletes the subtree and every lesson link to it, recording each on the
    // year's delete stack.
    void deleteSelf();

protected:
    const QStringList& keysThatUpdateTime() const override;
};
