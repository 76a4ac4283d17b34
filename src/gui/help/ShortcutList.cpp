#include "gui/help/ShortcutList.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QWidget>

namespace ShortcutList {

namespace {

QString plainTitle(QString text)
{
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    if (text.endsWith(QChar(0x2026)))
        text.chop(1);
    return text;
}

class Collector {
public:
    void addMenu(const QString& group, const QMenu& menu)
    {
        for (const QAction* action : menu.actions()) {
            if (const QMenu* submenu = action->menu())
                addMenu(group, *submenu);
            else
                addAction(group, action);
        }
    }

    void addAction(const QString& group, const QAction* action)
    {
        if (action->isSeparator() || action->shortcuts().isEmpty() || m_seen.contains(action))
            return;
        m_seen.insert(action);
        QStringList keys;
        for (const QKeySequence& sequence : action->shortcuts())
            keys.append(sequence.toString(QKeySequence::NativeText));
        m_entries.append({ group, plainTitle(action->text()), keys });
    }

    QList<Entry> entries() const { return m_entries; }

private:
    QSet<const QAction*> m_seen;
    QList<Entry> m_entries;
};

} // namespace

QString otherCommandsGroup()
{
    return QStringLiteral("Other");
}

QList<Entry> of(const QWidget& window)
{
    Collector collector;
    if (const QMenuBar* bar = window.findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly)) {
        for (const QAction* item : bar->actions()) {
            if (const QMenu* menu = item->menu())
                collector.addMenu(plainTitle(menu->title()), *menu);
        }
    }
    for (const QAction* action : window.actions() + window.findChildren<QAction*>())
        collector.addAction(otherCommandsGroup(), action);
    return collector.entries();
}

} // namespace ShortcutList
