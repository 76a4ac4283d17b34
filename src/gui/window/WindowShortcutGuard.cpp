#include "gui/window/WindowShortcutGuard.h"

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
    if (event->type() != QEvent::ShortcutOverride || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    const auto& key = static_cast<const QKeyEvent&>(*event);
    // Swallowing the question without accepting it leaves the key to the shortcut.
    return widget != &m_window && widget->window() == &m_window && !isTextEditingKey(key)
        && isEnabledWindowShortcut(key);
}
