#include "store/UndoHistory.h"

namespace {

// Changes made outside any group; a front end names them when it closes the step.
const QString looseStepName = QStringLiteral("Change");

} // namespace

UndoHistory::UndoHistory(ObjectContext& context)
    : m_context(context)
{ }

UndoHistory::~UndoHistory() = default;

void UndoHistory::setEnabled(bool enabled)
{
    m_enabled = enabled;
    if (!enabled)
        clear();
}

void UndoHistory::beginGroup(const QString& name)
{
    if (m_depth == 0 && m_enabled) {
        closeOpenStep();
        openStep(name, OpenKind::Group);
    }
    ++m_depth;
}

void UndoHistory::endGroup()
{
    if (m_depth == 0 || --m_depth > 0)
        return;
    m_discarding = false;
    closeOpenStep();
}

void UndoHistory::openStep(const QString& name, OpenKind kind)
{
    m_open = std::make_unique<UndoStep>(name);
    m_openKind = kind;
}

void UndoHistory::closeOpenStep(const QString& name)
{
    // A group's step ends with the group, never halfway through it.
    if (!m_open || m_depth > 0)
        return;
    std::unique_ptr<UndoStep> step = std::move(m_open);
    if (!name.isEmpty() && m_openKind == OpenKind::Loose)
        step->setName(name);
    m_openKind = OpenKind::None;
    if (!step->isEmpty())
        pushStep(std::move(step));
}

bool UndoHistory::hasOpenLooseStep() const
{
    return m_openKind == OpenKind::Loose;
}

void UndoHistory::pushStep(std::unique_ptr<UndoStep> step)
{
    step->seal();
    m_undo.push_back(std::move(step));
    if (m_undo.size() > maximumSteps)
        m_undo.erase(m_undo.begin());
    notify();
}

bool UndoHistory::canUndo() const
{
    return !m_undo.empty() || (m_open && !m_open->isEmpty());
}

QString UndoHistory::undoName() const
{
    if (m_open && !m_open->isEmpty())
        return m_open->name();
    return m_undo.empty() ? QString() : m_undo.back()->name();
}

QString UndoHistory::redoName() const
{
    return m_redo.empty() ? QString() : m_redo.back()->name();
}

size_t UndoHistory::undoCount() const
{
    return m_undo.size() + (m_open && !m_open->isEmpty() ? 1 : 0);
}

bool UndoHistory::undo()
{
    closeOpenStep();
    if (m_depth > 0 || m_undo.empty())
        return false;
    play(m_undo, m_redo, false);
    return true;
}

bool UndoHistory::redo()
{
    closeOpenStep();
    if (m_depth > 0 || m_redo.empty())
        return false;
    play(m_redo, m_undo, true);
    return true;
}

void UndoHistory::play(
    std::vector<std::unique_ptr<UndoStep>>& from, std::vector<std::unique_ptr<UndoStep>>& to, bool forward)
{
    std::unique_ptr<UndoStep> step = std::move(from.back());
    from.pop_back();
    m_restoring = true;
    if (forward)
        step->redo(m_context);
    else
        step->undo(m_context);
    m_restoring = false;
    to.push_back(std::move(step));
    notify();
}

void UndoHistory::clear()
{
    m_undo.clear();
    m_redo.clear();
    m_open.reset();
    m_openKind = OpenKind::None;
    m_discarding = m_depth > 0;
    notify();
}

UndoStep& UndoHistory::recordingStep()
{
    if (m_depth == 0 && m_openKind != OpenKind::Loose) {
        closeOpenStep();
        openStep(looseStepName, OpenKind::Loose);
        notify();
    } else if (!m_open) {
        // Recording was switched on inside a group.
        openStep(looseStepName, OpenKind::Group);
    }
    if (!m_redo.empty()) {
        m_redo.clear();
        notify();
    }
    return *m_open;
}

void UndoHistory::recordAttribute(ManagedObject& object, int slot, const QVariant& before, const QVariant& after)
{
    recordingStep().recordAttribute(object, slot, before, after);
}

void UndoHistory::recordToOne(ManagedObject& object, int slot, ManagedObject* before, ManagedObject* after)
{
    recordingStep().recordToOne(object, slot, before, after);
}

void UndoHistory::recordToMany(ManagedObject& object, int slot, ManagedObject& target, qsizetype index, bool added)
{
    recordingStep().recordToMany(object, slot, target, index, added);
}

void UndoHistory::recordInsert(ManagedObject& object, qsizetype index)
{
    recordingStep().recordInsert(object, index);
}

void UndoHistory::recordDelete(ManagedObject& object, qsizetype index)
{
    recordingStep().recordDelete(object, index);
}

void UndoHistory::recordShift(const QList<ManagedObject*>& records, const std::vector<int>& positions, std::vector<QVariant> leftover)
{
    recordingStep().recordShift(records, positions, std::move(leftover));
}

void UndoHistory::recordRelatedShift(const QList<ManagedObject*>& records, int slot)
{
    recordingStep().recordRelatedShift(records, slot);
}

void UndoHistory::recordFill(
    const QList<ManagedObject*>& records, std::vector<int> positions, std::vector<QVariant> before, const QVariant& after)
{
    recordingStep().recordFill(records, std::move(positions), std::move(before), after);
}

void UndoHistory::notify() const
{
    if (m_observer)
        m_observer();
}
