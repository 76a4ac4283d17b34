#pragma once

#include <QString>
#include <QVariant>

#include <deque>
#include <vector>

class ManagedObject;
class ObjectContext;

// One undoable step: every change one user action made to the records, in
// the order it was made, with the value before and after. Playing the
// changes back to front restores the records exactly as they were (list
// order included); playing them front to back makes the step again. No
// command knows how to undo itself: the store records what it did.
class UndoStep {
public:
    explicit UndoStep(QString name);

    const QString& name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }
    bool isEmpty() const { return m_changes.empty(); }

    void recordAttribute(ManagedObject& object, int slot, const QVariant& before, const QVariant& after);
    void recordToOne(ManagedObject& object, int slot, ManagedObject* before, ManagedObject* after);
    void recordToMany(ManagedObject& object, int slot, ManagedObject& target, qsizetype index, bool added);
    // `index` is the record's place among its entity's records.
    void recordInsert(ManagedObject& object, qsizetype index);
    void recordDelete(ManagedObject& object, qsizetype index);
    // A run of records of which each took the given attributes of the one
    // before it, the first taking empty values; `leftover` holds what the
    // last one gave up. A bump moves thousands of values this way: keeping
    // the run and its leftover, not a change per value, keeps the step small
    // and quick to record.
    void recordShift(const QList<ManagedObject*>& records, const std::vector<int>& positions, std::vector<QVariant> leftover);
    // A run of records of which each took the records related through the
    // one-to-many relationship at `slot` of the one before it, the first
    // keeping none and the last having held none.
    void recordRelatedShift(const QList<ManagedObject*>& records, int slot);
    // Records of which each had its attribute at `positions` (one per record)
    // changed from its `before` value to the same `after`.
    void recordFill(const QList<ManagedObject*>& records, std::vector<int> positions, std::vector<QVariant> before,
        const QVariant& after);
    // A step takes no more changes; it gives back the room kept for them.
    void seal();

    void undo(ObjectContext& context) const;
    void redo(ObjectContext& context) const;

private:
    enum class Kind : quint8 { Attribute, ToOne, ToManyAdd, ToManyRemove, Insert, Delete, Shift, RelatedShift, Fill };
    // A change of many records. For a fill, `positions` holds each
    // record's slot and `leftover` each record's value before.
    struct Shift {
        QList<ManagedObject*> records;
        std::vector<int> positions;
        std::vector<QVariant> leftover;
    };
    // To-one: the targets before and after; to-many: the target (first);
    // a shift of either kind or a fill: its place among the step's shifts
    // (index), a fill's one value in `after`.
    struct Change {
        Kind kind;
        int slot;
        qsizetype index;
        ManagedObject* object;
        ManagedObject* first;
        ManagedObject* second;
        QVariant before;
        QVariant after;
    };

    void apply(ObjectContext& context, const Change& change, bool forward) const;
    void applyShift(const Shift& shift, bool forward) const;
    static void applyFill(const Shift& fill, const QVariant& after, bool forward);
    // Whether the change holds many records (in its entry of m_shifts).
    static bool isBatch(Kind kind) { return kind == Kind::Shift || kind == Kind::RelatedShift || kind == Kind::Fill; }
    // Tells each record the step changed, once, after all of them changed.
    void tellRestored() const;

    // How many of the latest changes a new value of an attribute looks back
    // over for an earlier change of the same attribute to join: a value
    // written a hundred times while typing keeps one entry (its first value
    // and its last), and a keystroke writes a field, its shadow and the time.
    static constexpr size_t joinWindow = 8;

    QString m_name;
    // A deque grows by blocks: a step of a hundred thousand changes is never
    // moved as a whole while it records.
    std::deque<Change> m_changes;
    std::deque<Shift> m_shifts;
};
