#include "gui/window/WindowShortcutGuard.h"

#include "gui/editing/PlainTextPaste.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include <algorithm>
#include <array>

WindowShortcutGuard::WindowShortcutGuard(QWidget& window)
    : QObject(&window)
    , m_window(window)
{
    // A text field asks whether it may keep a key before any shortcut runs,
    // and only the field is asked: the window never sees that question.
    qApp->installEventFilter(this);
}

bool WindowShortcutGuard::isTextEditingKey(const QKeyEvent& event)
{
    // Undo and redo are not among them: the document's history holds the
    // field's typing too, and the window's Undo reaches every other step.
    static constexpr std::array keys { QKeySequence::Copy, QKeySequence::Cut, QKeySequence::Paste,
        QKeySequence::SelectAll, QKeySequence::Delete, QKeySequence::Backspace, QKeySequence::Bold,
        QKeySequence::Italic, QKeySequence::Underline };
    return std::any_of(
        keys.begin(), keys.end(), [&event](QKeySequence::StandardKey key) { return event.matches(key); });
}

bool WindowShortcutGuard::isEnabledWindowShortcut(const QKeyEvent& event) const
{
    const QKeySequence keys(event.keyCombination());
    const QList<QAction*> actions = m_window.findChildren<QAction*>() + m_window.actions();
    return std::any_of(actions.begin(), actions.end(),
        [&keys](const QAction* action) { return action->isEnabled() && action->shortcuts().contains(keys); });
}

bool WindowShortcutGuard::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if ((type != QEvent::ShortcutOverride && type != QEvent::KeyPress) || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (widget == &m_window || widget->window() != &m_window)
        return false;
    auto& key = static_cast<QKeyEvent&>(*event);
    if (PlainTextPaste::isPlainTextPasteKey(key) && PlainTextPaste::isEditableTextField(widget))
        return pastePlainText(widget, key);
    // Swallowing the question without accepting it leaves the key to the shortcut.
    return type == QEvent::ShortcutOverride && !isTextEditingKey(key) && isEnabledWindowShortcut(key);
}

// Accepting the question keeps the key from Paste Lesson; the key itself
// then comes to the field, which no text field of Qt's would understand.
bool WindowShortcutGuard::pastePlainText(QWidget* field, QKeyEvent& key)
{
    if (key.type() == QEvent::ShortcutOverride) {
        key.accept();
        return true;
    }
    return PlainTextPaste::pasteInto(field);
}
