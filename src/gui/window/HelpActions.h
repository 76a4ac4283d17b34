#pragma once

#include <QObject>

class AboutDialog;
class QAction;
class QMenu;
class QWidget;
class ShortcutsWindow;

// The Help menu: the window's keyboard shortcuts and About Semestra. Each
// window is made on first use and kept, over the document window.
class HelpActions : public QObject {
    Q_OBJECT
public:
    explicit HelpActions(QWidget& window);

    void addToMenu(QMenu* menu) const;
    void showShortcuts();
    void showAbout();

    QAction* shortcutsAction() const { return m_shortcuts; }
    QAction* aboutAction() const { return m_about; }
    ShortcutsWindow* shortcutsWindow() const { return m_shortcutsWindow; }
    AboutDialog* aboutDialog() const { return m_aboutDialog; }

private:
    QWidget& m_window;
    QAction* m_shortcuts;
    QAction* m_about;
    ShortcutsWindow* m_shortcutsWindow = nullptr;
    AboutDialog* m_aboutDialog = nullptr;
};
