#pragma once

#include <QObject>
#include <QPointer>

class ObjectContext;
class QAction;
class QMenu;
class QTimer;
class UndoHistory;

// The Edit menu: Undo and Redo of the document's steps, named after the
// change ("Undo Bump"), and Cut, Copy, Paste and Select All for the text
// field that has the focus.
//
// The store records every change but cannot see where a user's action ends,
// so this is decided here, once for every command: the changes one event
// makes (a click, a key, a menu item, a sheet's button, a drop) become one
// step when the event is over, named after what the user chose: the menu
// item or button, or the sheet the button belongs to. Typing into a text
// field is the exception: it stays one step until a pause, until the focus
// moves on, or until another command.
//
// The window's Ctrl+Z always undoes the document's last step, typing
// included, even while a text field has the focus: the field's own undo
// would otherwise hide the steps of every other command behind it.
class EditActions : public QObject {
    Q_OBJECT
public:
    // Longer between keystrokes (ms) and typing goes on as a new step.
    static constexpr int typingPause = 1000;

    explicit EditActions(QWidget& window);
    ~EditActions() override;

    QMenu* createMenu(QWidget* parent);
    // From now on the window's commands change this document.
    void bind(ObjectContext& context);

    QAction* undoAction() const { return m_undo; }
    QAction* redoAction() const { return m_redo; }
    QAction* cutAction() const { return m_cut; }
    QAction* copyAction() const { return m_copy; }
    QAction* pasteAction() const { return m_paste; }
    QAction* selectAllAction() const { return m_selectAll; }

    // A command's name as a step's: the menu text without its mnemonic or ellipsis.
    static QString stepName(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void undo();
    void redo();
    void updateStates();
    void historyChanged();
    // After an event: its loose changes become a step, unless they are typing.
    void endOfEvent();
    void endTyping();
    void inputBegins(QObject* receiver, QEvent* event);
    bool isPropagated(const QObject* receiver, const QEvent* event) const;
    bool belongsToWindow(const QObject* object) const;
    QString commandNameFor(QObject* receiver) const;
    static QString menuCommandName(const QMenu* menu, const QAction* chosen);
    static QString dropNameFor(const QObject* receiver);
    // Tells every view, panel and list to show the records as they now are.
    void showRestoredState() const;
    void forwardToFocusedText(const char* slot) const;

    QWidget& m_window;
    UndoHistory* m_history = nullptr;
    QAction* m_undo = nullptr;
    QAction* m_redo = nullptr;
    QAction* m_cut = nullptr;
    QAction* m_copy = nullptr;
    QAction* m_paste = nullptr;
    QAction* m_selectAll = nullptr;
    QTimer* m_eventEnd = nullptr;
    QTimer* m_pause = nullptr;
    int m_eventLoopLevel = 0;
    QString m_commandName;
    // The input event last seen and where it went first; compared, never read.
    const QEvent* m_lastInput = nullptr;
    QPointer<QObject> m_lastReceiver;
    // The text field the last key went into, and the one typing a step now.
    QPointer<QWidget> m_keyTarget;
    QPointer<QWidget> m_typingField;
};
