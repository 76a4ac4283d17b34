#pragma once

#include "store/ManagedObject.h"

#include <QStringList>

#include <algorithm>

// A record that is exchanged with the online service: it carries the
// service's identifier (syncID) and the time of its last visible change.
class SyncedRecord : public ManagedObject {
public:
    using ManagedObject::ManagedObject;

    QString syncID() const { return value<QString>(u"syncID"); }
    // The identifier without the white space and line breaks around it.
    QString strippedID() const { return syncID().trimmed(); }
    std::optional<Date> lastUpdated() const { return value<std::optional<Date>>(u"lastUpdated"); }
    // Marks the record as changed now.
    void updateTime();
    // Takes the other record's attribute values, except the listed keys.
    void copyAttributesFrom(const SyncedRecord& source, const QStringList& except);

protected:
    // Marks all the records, of any kinds, as changed now, as one change.
    static void updateTimes(const QList<ManagedObject*>& records);
    // Takes the service's identifier from all the records, as one change.
    // No rule watches the identifier: only the online sync reads it.
    static void forgetServiceIdentifiers(const QList<ManagedObject*>& records);
    // True while values arrive from another record. Values worked out from
    // others (the plain-text shadow of a rich field) come along with the
    // copy: working them out again would give the same text at the cost of
    // reading the rich text.
    bool isCopyingAttributes() const { return m_copyingAttributes; }
    // Records whose rules say "lastUpdated is set whenever these are about to
    // change" list those keys here.
    virtual const QStringList& keysThatUpdateTime() const;
    void willChangeValue(const QString& key) override;
    // Whether a short list of keys holds the key. Every change of a value
    // asks this a few times, and most keys differ from most listed ones in
    // length, which is compared first without a call.
    static bool listsKey(const QStringList& keys, const QString& key)
    {
        return std::any_of(keys.begin(), keys.end(),
            [&key](const QString& listed) { return listed.size() == key.size() && listed == key; });
    }

private:
    bool m_copyingAttributes = false;
};
