#pragma once

#include "store/UndoStep.h"

#include <functional>
#include <memory>
#include <vector>

class ManagedObject;
class ObjectContext;

// The document's undo and redo stacks. The records report every change they
// make to their context, which hands it here; a step is what changed
// between the start and the end of a group (one user action, however many
// records it touches). Undo and redo play a step's changes back, so no
// command needs an inverse of its own.
//
// Changes made outside any group still count: they collect in a loose step
// that stays open until closeOpenStep(), so that a front end can end it where
// the user's action ends: at the close of the event that made the changes,
// or, for typing, at a pause or when the focus moves on.
//
// Recording is off until enabled: the command line and bulk work such as
// building a year keep no history.
class UndoHistory {
public:
    // Far more than a day's work; older steps are forgotten beyond it.
    static constexpr size_t maximumSteps = 10000;

    explicit UndoHistory(ObjectContext& context);
    ~UndoHistory();
    UndoHistory(const UndoHistory&) = delete;
    UndoHistory& operator=(const UndoHistory&) = delete;

    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);

    // Groups nest; the outermost names the step. Use UndoGroup rather than
    // calling these in pairs.
    void beginGroup(const QString& name);
    void endGroup();
    // Ends the step of loose changes, which then takes no more, under
    // `name` when one is given. Does nothing inside a group.
    void closeOpenStep(const QString& name = {});
    bool hasOpenLooseStep() const;

    bool canUndo() const;
    bool canRedo() const { return !m_redo.empty(); }
    // The names of the steps undo and redo would play ("Bump"); empty when none.
    QString undoName() const;
    QString redoName() const;
    size_t undoCount() const;
    size_t redoCount() const { return m_redo.size(); }
    bool undo();
    bool redo();
    // Forgets every step (a year moved to a new school year cannot go back).
    // Inside a group, the rest of that group is not recorded either.
    void clear();
    // True while a step is played back: record rules must not add changes
    // of their own then, as the step holds every change they made.
    bool isRestoring() const { return m_restoring; }

    // Told when what undo and redo offer changes, and when a loose step opens.
    void setObserver(std::function<void()> observer) { m_observer = std::move(observer); }

    // Whether changes are recorded right now; the records ask before each.
    bool isRecording() const { return m_enabled && !m_restoring && !m_discarding; }
    void recordAttribute(ManagedObject& object, int slot, const QVariant& before, const QVariant& after);
    void recordToOne(ManagedObject& object, int slot, ManagedObject* before, ManagedObject* after);
    void recordToMany(ManagedObject& object, int slot, ManagedObject& target, qsizetype index, bool added);
    void recordInsert(ManagedObject& object, qsizetype index);
    void recordDelete(ManagedObject& object, qsizetype index);
    void recordShift(const QList<ManagedObject*>& records, const std::vector<int>& positions, std::vector<QVariant> leftover);
    void recordRelatedShift(const QList<ManagedObject*>& records, int slot);
    void recordFill(const QList<ManagedObject*>& records, std::vector<int> positions, std::vector<QVariant> before,
        const QVariant& after);

private:
    enum class OpenKind { None, Group, Loose };

    // The step the next change goes into, opening a loose one when no group is open.
    UndoStep& recordingStep();
    void openStep(const QString& name, OpenKind kind);
    void pushStep(std::unique_ptr<UndoStep> step);
    void play(std::vector<std::unique_ptr<UndoStep>>& from, std::vector<std::unique_ptr<UndoStep>>& to, bool forward);
    void notify() const;

    ObjectContext& m_context;
    bool m_enabled = false;
    bool m_restoring = false;
    bool m_discarding = false;
    int m_depth = 0;
    OpenKind m_openKind = OpenKind::None;
    std::unique_ptr<UndoStep> m_open;
    std::vector<std::unique_ptr<UndoStep>> m_undo;
    std::vector<std::unique_ptr<UndoStep>> m_redo;
    std::function<void()> m_observer;
};
