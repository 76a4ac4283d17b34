#pragma once

#include <functional>

class QWidget;

// One pass of work per turn of the event loop for a view: however often it
// is asked for, it runs once, on the next turn, and only while the view is
// shown. A hidden view does the pass when it is shown or asked for its
// layout, by taking it itself.
class DeferredPass {
public:
    // Repaints the view and, unless a pass is already asked for, queues
    // `pass` for the next turn.
    void schedule(QWidget* view, const std::function<void()>& pass);
    bool isScheduled() const { return m_scheduled; }
    // True, once, when a pass was asked for: the caller does it now.
    bool take();

private:
    bool m_scheduled = false;
};
