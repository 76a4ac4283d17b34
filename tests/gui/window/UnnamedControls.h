#pragma once

#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QStringList>
#include <QWidget>

// Walks the visible widgets under a root and lists every control a screen
// reader would announce without a name: anything the keyboard can reach, and
// anything whose role says it is pressed, typed into or chosen from. Each
// entry names the widget's class and its path of object names, so whoever
// reads a failure can find the widget to name.
//
// Left out on purpose: scroll bars (a screen reader announces them by
// their orientation and value, and no teacher needs them named), menus and
// the menu bar (their items read as their text), and the parts that a spin
// box, a combo box or a table is made of (the composite speaks for them:
// headers, the corner button).
namespace UnnamedControls {

inline bool isInteractiveRole(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::List:
    case QAccessible::Table:
    case QAccessible::Tree:
    case QAccessible::Slider:
    case QAccessible::SpinBox:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
    case QAccessible::PageTabList:
        return true;
    default:
        return false;
    }
}

inline bool isLeftOut(const QWidget* widget)
{
    if (qobject_cast<const QScrollBar*>(widget) || qobject_cast<const QMenu*>(widget)
        || qobject_cast<const QMenuBar*>(widget) || qobject_cast<const QHeaderView*>(widget)
        || widget->inherits("QTableCornerButton"))
        return true;
    for (const QObject* up = widget->parent(); up; up = up->parent()) {
        if (qobject_cast<const QAbstractSpinBox*>(up) || qobject_cast<const QComboBox*>(up))
            return true;
    }
    return false;
}

inline QString pathOf(const QWidget* widget, const QWidget* root)
{
    QStringList parts;
    for (const QWidget* up = widget; up && up != root; up = up->parentWidget())
        parts.prepend(up->objectName().isEmpty() ? QString::fromLatin1(up->metaObject()->className()) : up->objectName());
    return parts.join(QLatin1Char('/'));
}

// "QPushButton at sheet/buttons/QPushButton (role 43)", one per unnamed control.
inline QStringList under(const QWidget* root)
{
    QStringList unnamed;
    for (QWidget* widget : root->findChildren<QWidget*>()) {
        if (!widget->isVisible() || isLeftOut(widget))
            continue;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        if (!accessible)
            continue;
        const bool interactive = widget->focusPolicy() != Qt::NoFocus || isInteractiveRole(accessible->role());
        if (interactive && accessible->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << QStringLiteral("%1 at %2 (role %3)")
                           .arg(QString::fromLatin1(widget->metaObject()->className()), pathOf(widget, root))
                           .arg(int(accessible->role()));
    }
    return unnamed;
}

} // namespace UnnamedControls
