#include "gui/window/HelpActions.h"

#include "gui/help/AboutDialog.h"
#include "gui/help/ShortcutsWindow.h"

#include <QAction>
#include <QMenu>

HelpActions::HelpActions(QWidget& window)
    : QObject(&window)
    , m_window(window)
    , m_shortcuts(new QAction(QStringLiteral("Keyboard Shortcuts"), this))
    , m_about(new QAction(QStringLiteral("About Semestra"), this))
{
    // Ctrl+? as in the desktop's own programs.
    m_shortcuts->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Question));
    m_shortcuts->setIcon(QIcon::fromTheme(QStringLiteral("input-keyboard")));
    m_about->setIcon(QIcon::fromTheme(QStringLiteral("help-about")));
    m_about->setMenuRole(QAction::AboutRole);
    connect(m_shortcuts, &QAction::triggered, this, &HelpActions::showShortcuts);
    connect(m_about, &QAction::triggered, this, &HelpActions::showAbout);
}

void HelpActions::addToMenu(QMenu* menu) const
{
    menu->addAction(m_shortcuts);
    menu->addSeparator();
    menu->addAction(m_about);
}

void HelpActions::showShortcuts()
{
    if (!m_shortcutsWindow)
        m_shortcutsWindow = new ShortcutsWindow(m_window);
    m_shortcutsWindow->show();
    m_shortcutsWindow->raise();
    m_shortcutsWindow->reload();
}

void HelpActions::showAbout()
{
    if (!m_aboutDialog)
        m_aboutDialog = new AboutDialog(&m_window);
    m_aboutDialog->open();
}
