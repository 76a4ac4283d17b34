#pragma once

#include <QFrame>

// A small borderless panel that hangs at a fixed place below the top left of
// its window: light grey with a grey border. Escape closes it.
class AttachedPanel : public QFrame {
    Q_OBJECT
public:
    AttachedPanel(QWidget* window, QPoint offset, QSize size);

    // Places the panel at its offset from the window's top left and shows it.
    void attach();
    QPoint offset() const { return m_offset; }

signals:
    void closed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* m_window;
    QPoint m_offset;
};
