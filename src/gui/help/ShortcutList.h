#pragma once

#include <QList>
#include <QString>

class QWidget;

// Every keyboard shortcut of a window, read from its actions each time, so
// that the list can never disagree with the keys that work: the commands of
// each menu of the menu bar in menu order, then commands that live in no
// menu (the search field's, the application's).
namespace ShortcutList {

struct Entry {
    // The menu's title, without its mnemonic.
    QString group;
    // The command's title as the menu shows it, without mnemonic or ellipsis.
    QString command;
    // Every key of the command, as the desktop writes them ("Ctrl+Shift+V").
    QStringList keys;
};

QList<Entry> of(const QWidget& window);
// The group of commands that live in no menu.
QString otherCommandsGroup();

} // namespace ShortcutList
