#include "gui/content/AttachedPanel.h"

#include <QKeyEvent>

AttachedPanel::AttachedPanel(QWidget* window, QPoint offset, QSize size)
    : QFrame(window, Qt::Tool | Qt::FramelessWindowHint)
    , m_window(window)
    , m_offset(offset)
{
    setFrameShape(QFrame::Box);
    setLineWidth(1);
    setAutoFillBackground(true);
    setStyleSheet(QStringLiteral("AttachedPanel { background: #ececec; border: 1px solid #8c8c8c; }"));
    resize(size);
}

void AttachedPanel::attach()
{
    move(m_window->mapToGlobal(m_offset));
    show();
    raise();
    activateWindow();
}

void AttachedPanel::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QFrame::keyPressEvent(event);
}

void AttachedPanel::hideEvent(QHideEvent* event)
{
    QFrame::hideEvent(event);
    emit closed();
}
