#pragma once

#include "store/ObjectContext.h"

// Makes every change between its making and its end one undo step, named
// after the user's action ("Bump", "Paste Lesson"). Groups nest: inside
// another, a group adds its changes to the outer step.
class UndoGroup {
public:
    UndoGroup(ObjectContext& context, const QString& name)
        : m_history(context.undoHistory())
    {
        m_history.beginGroup(name);
    }
    ~UndoGroup() { m_history.endGroup(); }
    UndoGroup(const UndoGroup&) = delete;
    UndoGroup& operator=(const UndoGroup&) = delete;

private:
    UndoHistory& m_history;
};
