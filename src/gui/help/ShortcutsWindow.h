#pragma once

#include <QDialog>

class QTreeWidget;

// "Keyboard Shortcuts": the window's commands and their keys, grouped by
// menu. It reads the window's actions each time it is shown.
class ShortcutsWindow : public QDialog {
public:
    // Lists the shortcuts of `window`, over which it opens.
    explicit ShortcutsWindow(QWidget& window);

    void reload();
    QTreeWidget* list() const { return m_list; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget& m_window;
    QTreeWidget* m_list;
};
