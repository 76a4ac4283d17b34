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
    // Walked by iterator: indexing a deque divides by its block size.
    auto earlier = m_changes.end();
    for (size_t looked = 0; looked < joinWindow && earlier != m_changes.begin(); ++looked) {
        --earlier;
        // A shift or a fill may have changed this value since: a later
        // value joins no entry from before it.
        if (earlier->kind == Kind::Shift || earlier->kind == Kind::Fill)
            break;
        if (earlier->kind == Kind::Attribute && earlier->object == &object && earlier->slot == slot) {
            earlier->after = after;
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

void UndoStep::recordShift(const QList<ManagedObject*>& records, const std::vector<int>& positions, std::vector<QVariant> leftover)
{
    m_shifts.push_back({ records, positions, std::move(leftover) });
    m_changes.push_back({ Kind::Shift, -1, qsizetype(m_shifts.size() - 1), records.constFirst(), nullptr, nullptr, {}, {} });
}

void UndoStep::recordRelatedShift(const QList<ManagedObject*>& records, int slot)
{
    m_shifts.push_back({ records, {}, {} });
    m_changes.push_back(
        { Kind::RelatedShift, slot, qsizetype(m_shifts.size() - 1), records.constFirst(), nullptr, nullptr, {}, {} });
}

void UndoStep::recordFill(
    const QList<ManagedObject*>& records, std::vector<int> positions, std::vector<QVariant> before, const QVariant& after)
{
    m_shifts.push_back({ records, std::move(positions), std::move(before) });
    m_changes.push_back(
        { Kind::Fill, -1, qsizetype(m_shifts.size() - 1), records.constFirst(), nullptr, nullptr, {}, after });
}

void UndoStep::seal()
{
    m_changes.shrink_to_fit();
    m_shifts.shrink_to_fit();
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
    const auto tell = [&](ManagedObject* object) {
        if (object == last)
            return;
        last = object;
        if (!told.contains(object)) {
            told.insert(object);
            object->valuesRestored();
        }
    };
    for (const Change& change : m_changes) {
        if (!isBatch(change.kind)) {
            tell(change.object);
            continue;
        }
        for (ManagedObject* record : m_shifts[size_t(change.index)].records) {
            tell(record);
            if (change.kind == Kind::RelatedShift) {
                for (ManagedObject* related : record->m_toMany[size_t(change.slot)])
                    tell(related);
            }
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
    case Kind::Shift:
        applyShift(m_shifts[size_t(change.index)], forward);
        break;
    case Kind::RelatedShift:
        ManagedObject::moveRelatedLists(m_shifts[size_t(change.index)].records, change.slot, forward);
        break;
    case Kind::Fill:
        applyFill(m_shifts[size_t(change.index)], change.after, forward);
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

// Played forward, each record takes the values of the one before it and the
// first takes empty ones; played back, each takes those of the one after it
// and the last gets back what it gave up.
void UndoStep::applyShift(const Shift& shift, bool forward) const
{
    std::vector<QVariant> carried = forward ? std::vector<QVariant>(shift.positions.size()) : shift.leftover;
    const qsizetype count = shift.records.size();
    for (qsizetype n = 0; n < count; ++n) {
        ManagedObject& record = *shift.records[forward ? n : count - 1 - n];
        for (size_t p = 0; p < shift.positions.size(); ++p) {
            QVariant value = record.valueAtSlot(shift.positions[p]);
            record.restoreAttribute(shift.positions[p], carried[p]);
            carried[p] = std::move(value);
        }
    }
}

void UndoStep::applyFill(const Shift& fill, const QVariant& after, bool forward)
{
    for (qsizetype n = 0; n < fill.records.size(); ++n)
        fill.records[n]->restoreAttribute(fill.positions[size_t(n)], forward ? after : fill.leftover[size_t(n)]);
}
