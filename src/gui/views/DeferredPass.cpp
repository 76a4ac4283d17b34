#include "gui/views/DeferredPass.h"

#include <QMetaObject>
#include <QWidget>

#include <utility>

void DeferredPass::schedule(QWidget* view, const std::function<void()>& pass)
{
    view->update();
    if (m_scheduled)
        return;
    m_scheduled = true;
    QMetaObject::invokeMethod(
        view,
        [view, pass] {
            if (view->isVisible())
                pass();
        },
        Qt::QueuedConnection);
}

bool DeferredPass::take()
{
    return std::exchange(m_scheduled, false);
}
