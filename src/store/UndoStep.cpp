#include "store/UndoStep.h"

#include "store/ManagedObject.h"
#include "store/ObjectContext.h"

#include <QSet>

UndoStep::UndoStep(QString name)
    : m_name(std::move(name))
{ }

void UndoStep::recordAttribute(ManagedObject& object, int slot, const QVariant& before, const QVariant& after)
{
    // Changes of attributes depend on nothing else the step does, so a later
    // value may join an earlier entry across changes of other kinds.
    const size_t oldest = m_changes.size() > joinWindow ? m_changes.size() - joinWindow : 0;
    for (size_t index = m_changes.size(); index-- > oldest;) {
        Change& earlier = m_changes[index];
        if (earlier.kind == Kind::Attribute && earlier.object == &object && earlier.slot == slot) {
            earlier.after = after;
            return;
        }
    }
    m_changes.push_back({ Kind::Attribute, slot, 0, &object, nullptr, nullptr, before, after });
}

void UndoStep::recordToOne(ManagedObject& object, int slot, ManagedObject* before, ManagedObject* after)
{
    m_changes.push_back({ Kind::ToOne, slot, 0, &object, before, after, {}, {} });
}

void UndoStep::recordToMany(ManagedObject& object, int slot, ManagedObject& target, qsizetype index, bool added)
{
    m_changes.push_back(
        { added ? Kind::ToManyAdd : Kind::ToManyRemove, slot, index, &object, &target, nullptr, {}, {} });
}

void UndoStep::recordInsert(ManagedObject& object, qsizetype index)
{
    m_changes.push_back({ Kind::Insert, -1, index, &object, nullptr, nullptr, {}, {} });
}

void UndoStep::recordDelete(ManagedObject& object, qsizetype index)
{
    m_changes.push_back({ Kind::Delete, -1, index, &object, nullptr, nullptr, {}, {} });
}

void UndoStep::seal()
{
    m_changes.shrink_to_fit();
}

void UndoStep::undo(ObjectContext& context) const
{
    for (auto change = m_changes.rbegin(); change != m_changes.rend(); ++change)
        apply(context, *change, false);
    tellRestored();
}

void UndoStep::redo(ObjectContext& context) const
{
    for (const Change& change : m_changes)
        apply(context, change, true);
    tellRestored();
}

// A record's changes mostly follow one another, so a record is looked up
// in the set only where the record changes.
void UndoStep::tellRestored() const
{
    QSet<ManagedObject*> told;
    const ManagedObject* last = nullptr;
    for (const Change& change : m_changes) {
        if (change.object == last)
            continue;
        last = change.object;
        if (!told.contains(change.object)) {
            told.insert(change.object);
            change.object->valuesRestored();
        }
    }
}

// Each change is its own inverse played the other way: an insert undone is a
// delete, a list entry added is one removed from the same place.
void UndoStep::apply(ObjectContext& context, const Change& change, bool forward) const
{
    ManagedObject& object = *change.object;
    switch (change.kind) {
    case Kind::Attribute:
        object.restoreAttribute(change.slot, forward ? change.after : change.before);
        break;
    case Kind::ToOne:
        object.restoreToOne(change.slot, forward ? change.second : change.first);
        break;
    case Kind::ToManyAdd:
    case Kind::ToManyRemove:
        if ((change.kind == Kind::ToManyAdd) == forward)
            object.restoreToManyEntry(change.slot, change.index, change.first);
        else
            object.restoreToManyEntry(change.slot, change.index, nullptr);
        break;
    case Kind::Insert:
    case Kind::Delete:
        if ((change.kind == Kind::Insert) == forward)
            context.revive(object, change.index);
        else
            context.forget(object);
        break;
    }
}
