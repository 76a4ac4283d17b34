#pragma once

#include <QObject>

class QKeyEvent;
class QWidget;

// Text fields claim keys that the window's commands use: a line edit takes
// Ctrl+E for "end of line", which would leave editing mode out of reach while
// the search field or a title field has the focus. The guard lets a window
// command's key win over any text field of that window, except for the keys
// that text editing cannot do without (copy, paste and the like), which stay
// with the field. Undo and redo are the window's: its history holds the
// field's typing as well as every other change. Ctrl+Shift+V is shared: in a
// text field it pastes plain text, elsewhere it is the window's Paste Lesson.
class WindowShortcutGuard : public QObject {
    Q_OBJECT
public:
    // Watches the application's key events for the window's widgets.
    explicit WindowShortcutGuard(QWidget& window);

    // Whether a key belongs to the text field that has the focus.
    static bool isTextEditingKey(const QKeyEvent& event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isEnabledWindowShortcut(const QKeyEvent& event) const;
    static bool pastePlainText(QWidget* field, QKeyEvent& key);

    QWidget& m_window;
};
