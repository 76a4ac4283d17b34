#pragma once

#include <QString>

class QAbstractButton;
class QObject;

// The name a control gives the undo step of the change it makes, where its
// own text would not say what the teacher did: a "Remove" button under a
// list of attachments removes an attachment, a "Locked" box locks or
// unlocks a lesson, a combo box or a tree has no text at all.
//
// A name set on a sheet names every step its buttons make; one set on a
// combo box or a spin box also covers the parts it is made of. Inside a text
// field the name replaces "Typing".
class UndoStepName {
public:
    static void set(QObject* control, const QString& name);
    // A check box or toggle button: named after what the next click does.
    static void setForToggle(QAbstractButton* button, const QString& checking, const QString& unchecking);
    // What dropping onto the widget does.
    static void setForDrop(QObject* target, const QString& name);

    // The name set on the control or on the nearest of its owners up to its
    // sheet; empty when none is.
    static QString of(const QObject* control);
    static QString ofDrop(const QObject* target);
};
