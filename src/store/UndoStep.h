#pragma once

#include <QHash>
#include <QString>
#include <QVariant>

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
    // A step that takes no more changes needs no index into them.
    void seal();

    void undo(ObjectContext& context) const;
    void redo(ObjectContext& context) const;

private:
    enum class Kind : quint8 { Attribute, ToOne, ToManyAdd, ToManyRemove, Insert, Delete };
    struct Change {
        Kind kind;
        int slot;
        qsizetype index;
        ManagedObject* object;
        // To-one: the targets before and after; to-many: the target (first).
        ManagedObject* first;
        ManagedObject* second;
        QVariant before;
        QVariant after;
    };

    void apply(ObjectContext& context, const Change& change, bool forward) const;

    QString m_name;
    std::vector<Change> m_changes;
    // While the step records: where each attribute's change sits, so that a
    // value written a hundred times while typing keeps one entry (its first
    // value and its last) and the step stays as small as the edit.
    QHash<QPair<const ManagedObject*, int>, size_t> m_attributeChanges;
};
