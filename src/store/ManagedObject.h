#pragma once

#include "foundation/dates/Date.h"
#include "foundation/notify/NotificationSource.h"
#include "store/EntityDescription.h"
#include "store/PropertyKey.h"

#include <QList>
#include <QVariant>

#include <optional>
#include <vector>

class ObjectContext;
class UndoHistory;

// One record of a document: a generic key/value object whose keys are the
// entity's attributes and relationships. Record classes (Lesson, Day, …)
// derive from it and add typed accessors and behaviour.
//
// Records are created, deleted and changed only through their context, which
// keeps every relationship consistent with its inverse and remembers what
// changed since the last save.
class ManagedObject : public NotificationSource {
public:
    // Called by the context only (through its record factory).
    ManagedObject(const EntityDescription& entity, ObjectContext& context);
    ~ManagedObject() override;
    ManagedObject(const ManagedObject&) = delete;
    ManagedObject& operator=(const ManagedObject&) = delete;

    const EntityDescription& entity() const { return *m_entity; }
    ObjectContext& context() const { return *m_context; }
    const void* notificationScope() const override { return m_context; }

    // Stable for the record's life and across saves: its row's key.
    qint64 primaryKey() const { return m_primaryKey; }
    // The absolute form of the identifier, "x-coredata://<store>/<Entity>/p<key>".
    QString objectURI() const;
    // A reference that resolves only in this record's context while it is
    // open, for data that travels between windows (drags): the URI alone
    // also resolves in a document opened from a copy of the same file.
    QString sessionReference() const;

    // Attributes. An attribute that was never set is an invalid QVariant.
    // Each read and write of a property may name it by a PropertyKey
    // instead, which finds it without a lookup by name.
    QVariant value(QStringView key) const;
    template <typename T> T value(QStringView key) const;
    const QVariant& value(const PropertyKey& key) const { return m_attributes[size_t(attributeSlot(key))]; }
    template <typename T> T value(const PropertyKey& key) const;
    void setValue(QStringView key, const QVariant& value);
    // A date every record of this kind is created with (a day's date, the
    // year's bounds). Only a damaged file lacks one; it then reads as the
    // reference date, so that the record can still be shown and repaired.
    Date requiredDate(QStringView key) const;
    Date requiredDate(const PropertyKey& key) const;
    // Stored as seconds since 2001; std::nullopt makes the attribute absent.
    void setDate(QStringView key, std::optional<Date> date);
    // By position in entity().attributes(), for code that walks every
    // attribute and so already knows where each one is.
    const QVariant& valueAtSlot(int slot) const { return m_attributes[size_t(slot)]; }
    void setValueAtSlot(int slot, const QVariant& value);
    // "course.courseName": follows to-one relationships, then reads an attribute.
    QVariant valueForKeyPath(QStringView keyPath) const;

    // To-one relationships.
    ManagedObject* object(QStringView key) const;
    template <typename T> T* object(QStringView key) const { return dynamic_cast<T*>(object(key)); }
    ManagedObject* object(const PropertyKey& key) const { return m_toOne[size_t(relationshipSlot(key, false))]; }
    template <typename T> T* object(const PropertyKey& key) const { return dynamic_cast<T*>(object(key)); }
    void setObject(QStringView key, ManagedObject* target);

    // To-many relationships: unordered sets, held in insertion order.
    const QList<ManagedObject*>& objects(QStringView key) const;
    template <typename T> QList<T*> objects(QStringView key) const { return ofType<T>(objects(key)); }
    const QList<ManagedObject*>& objects(const PropertyKey& key) const
    {
        return m_toMany[size_t(relationshipSlot(key, true))];
    }
    template <typename T> QList<T*> objects(const PropertyKey& key) const { return ofType<T>(objects(key)); }
    void addObject(QStringView key, ManagedObject* target);
    void removeObject(QStringView key, ManagedObject* target);

    bool isInserted() const { return m_state == State::Inserted; }
    bool isDeleted() const { return m_state == State::Deleted; }
    bool isUpdated() const { return m_state == State::Updated; }

protected:
    // Sets the attribute `key` to a value already in its stored form, as
    // setValue does but without the change hooks: for a value no rule of a
    // record class watches, such as the time of a change, which the rules
    // themselves stamp on thousands of records in a bump.
    void setUnwatchedValue(const PropertyKey& key, const QVariant& storedValue);
    // The same for the attribute `key` of many records, of one entity or
    // several, as one entry of the undo history: a bump stamps and resets
    // thousands of moved records at once.
    static void setUnwatchedValues(
        const QList<ManagedObject*>& records, const PropertyKey& key, const QVariant& storedValue);
    // Hooks for the rules of record classes, around every change of a
    // property (attributes and both sides of a relationship).
    virtual void willChangeValue(const QString& key);
    virtual void didChangeValue(const QString& key);
    // Called once per record after undo or redo changed its values back or
    // forth (instead of the hooks above, once per value): a record class
    // drops what it worked out from the old values and tells the views.
    virtual void valuesRestored();
    // Moves the values of the attributes at `positions` one record along
    // `records`, all of one entity: each takes the values of the one before
    // it, the first is left without any and the values of the last are
    // dropped. Every record counts as changed, but no change hooks run: the
    // record class moving its content as a whole tells of the change itself.
    // Answers, per record, whether any of its values at `watched` (some of
    // `positions`) may have changed: a text or data counts as unchanged only
    // where the record gets back the very same one, not an equal copy.
    static std::vector<bool> shiftAttributesAlong(
        const QList<ManagedObject*>& records, const std::vector<int>& positions, const std::vector<int>& watched);
    // Moves the records related through the one-to-many relationship `key`
    // one record along `records`, all of one entity, in one pass: each takes
    // the related records of the one before it, in their order, and the
    // first is left without any; each moved record's to-one side follows.
    // The last record must hold none beforehand (the caller removes them),
    // so nothing is left pointing at a record it is no longer listed on.
    // As with attributes, no change hooks run and the whole move is one
    // entry of the undo history.
    static void shiftRelatedAlong(const QList<ManagedObject*>& records, QStringView key);

private:
    friend class ObjectContext;
    friend class SqliteStore;
    friend class SqliteStoreReader;
    friend class SqliteStoreWriter;
    friend class UndoStep;

    enum class State { Clean, Inserted, Updated, Deleted };

    int attributeSlot(QStringView key) const;
    int relationshipSlot(QStringView key, bool toMany) const;
    int attributeSlot(const PropertyKey& key) const;
    int relationshipSlot(const PropertyKey& key, bool toMany) const;
    // Stops the program: a record class asked for a property its entity
    // lacks, which only a fault in the code can do.
    [[noreturn]] void missingAttribute(QStringView key) const;
    [[noreturn]] void missingRelationship(QStringView key, bool toMany) const;
    template <typename T> static QList<T*> ofType(const QList<ManagedObject*>& records);
    void linkToOne(int slot, ManagedObject* target);
    void unlinkInverse(const RelationshipDescription& relationship, ManagedObject* target);
    void linkInverse(const RelationshipDescription& relationship, ManagedObject* target);
    void removeFromToMany(const QString& key, ManagedObject* target);
    void appendToToMany(const QString& key, ManagedObject* target);
    // Whether a new stored value changes the record: not while undo plays
    // changes back, and not once the record is deleted.
    bool takesValue(int slot, const QVariant& stored) const;
    void storeValue(int slot, const QVariant& stored);
    void markUpdated();
    void markJoinsChanged();
    // Undo and redo put back one recorded value as it was, without the change
    // hooks: the rules of record classes must not add changes of their own,
    // since the step holds every change they made. A to-many entry is put
    // back at `index`, or taken from there when `target` is none.
    void restoreAttribute(int slot, const QVariant& value);
    void restoreToOne(int slot, ManagedObject* target);
    void restoreToManyEntry(int slot, qsizetype index, ManagedObject* target);
    // Moves the lists of the to-many relationship at `slot` one record
    // along `records`, later (forward) or back, and points every listed
    // record's inverse at the record that lists it.
    static void moveRelatedLists(const QList<ManagedObject*>& records, int slot, bool forward);
    // The history to report a change to, or none while nothing is recorded.
    UndoHistory* recorder() const;

    const EntityDescription* m_entity;
    ObjectContext* m_context;
    qint64 m_primaryKey = 0;
    int m_version = 0;
    State m_state = State::Clean;
    bool m_joinsChanged = false;
    // Whether the document file holds a row for the record (read from it, or
    // saved since), so that undoing its insert or delete knows what to write.
    bool m_inStore = false;
    std::vector<QVariant> m_attributes;
    std::vector<ManagedObject*> m_toOne;
    std::vector<QList<ManagedObject*>> m_toMany;
};

namespace detail {
template <typename T> T convertValue(const QVariant& value)
{
    return value.value<T>();
}
template <> inline bool convertValue<bool>(const QVariant& value)
{
    return value.toBool();
}
template <> inline std::optional<Date> convertValue<std::optional<Date>>(const QVariant& value)
{
    if (!value.isValid())
        return std::nullopt;
    return Date::fromSecondsSinceReferenceDate(value.toDouble());
}
// A date may be absent: read it as std::optional<Date>, or through
// requiredDate() where every record has one. Reading it as a plain Date would
// turn "none" into the reference instant and from there into a made-up time.
template <> Date convertValue<Date>(const QVariant& value) = delete;
} // namespace detail

template <typename T> T ManagedObject::value(QStringView key) const
{
    return detail::convertValue<T>(value(key));
}

template <typename T> T ManagedObject::value(const PropertyKey& key) const
{
    return detail::convertValue<T>(value(key));
}

template <typename T> QList<T*> ManagedObject::ofType(const QList<ManagedObject*>& records)
{
    QList<T*> result;
    for (ManagedObject* object : records) {
        if (T* typed = dynamic_cast<T*>(object))
            result.append(typed);
    }
    return result;
}
